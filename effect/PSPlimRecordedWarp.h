// A run as the host's actions keep it: the mesh the run confirmed, as the
// Base64 text of its mesh file (the descriptor types carry text whole, and
// raw data not at all), and the settings that shape the warp beyond the
// mesh: interpolation, sampling and what fills exposed areas. The editor's
// own settings (tools, colours, what it shows) are the user's and stay out.
#pragma once

#include "effect/PSPlimParameters.h"
#include "grid/PSPlimMesh.h"
#include "host/HuxPSDescriptorItems.h"

#include <string>

struct PSPlimRecordedWarp {
    PSPlimParameters params{}; // the run's parameters with the recorded settings in place
    PSPlimMesh mesh;
};

// The items of a run's descriptor, in the order of kPSPlimDescriptorKeys.
HuxPSDescriptorItems PSPlimDescribeWarp(const PSPlimParameters& params, const PSPlimMesh& mesh);

// The recorded settings on top of `current`, and the recorded mesh. Keys
// the filter does not know are passed over; a missing setting keeps its
// current value. Throws std::runtime_error, the reason in words that follow
// "Cannot complete operation because", when the mesh is missing or does not
// read, a key holds another type than the filter records, or a setting is
// outside what the filter takes.
PSPlimRecordedWarp PSPlimReadWarp(const HuxPSDescriptorItems& items, const PSPlimParameters& current);
