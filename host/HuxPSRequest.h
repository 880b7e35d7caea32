// The host's rectangles and every request for data, in one place.
//
// A host that describes the document in 32-bit coordinates (bigDocumentData)
// is read and written through those fields only; the 16-bit fields serve
// hosts without them. Requests always ask for planes 0 to planes - 1
// together, never one alone: some hosts ignore the plane range and deliver
// them interleaved anyway.
#pragma once

#include "HuxLib/HuxGeometry/HuxRect.h"
#include "host/PSHostInterface.h"

#include <cstdint>

struct HuxPSRequest {
    HuxRect in;        // source pixels, scaled coordinates
    HuxRect mask;      // selection mask, scaled coordinates
    HuxRect out;       // output pixels, image coordinates
    int32_t scale = 1; // sampling rate of `in` and `mask`
    int16_t planes = 3; // the first planes of the input and the output
};

// The message a user sees when the document cannot be described to a host
// with 16-bit coordinates only.
extern const char* const kHuxPSImageTooLarge;

// Whether the record's 32-bit fields describe the document.
bool HuxPSUsesBigDocument(const PS::FilterRecord& record);
// Tells a big-document host that its 32-bit fields are the ones in use.
void HuxPSAnnounceCoordinates(PS::FilterRecord& record);
// The filter rectangle in image coordinates; throws kHuxPSImageTooLarge when
// a 16-bit host's fields may have been cut short.
HuxRect HuxPSFilterRectOf(const PS::FilterRecord& record);
// Fills the record's request fields: rectangles, planes, both rates.
// Throws std::out_of_range for a scale the 16.16 rate cannot hold.
void HuxPSSetRequest(PS::FilterRecord& record, const HuxPSRequest& request);
// The 16.16 rate of a sampling scale (1 to 32767).
PS::Fixed HuxPSRateForScale(int32_t scale);
