// What a run does with the step a host plays from its actions, decided from
// how the host asks to play it (playInfo) and whether the step reads:
//
//   step        dialog if needed   dialog shown          silent
//   none        editor             editor                editor
//   reads       warp, no editor    editor on its mesh    warp, no editor
//   does not    editor             editor                refused with the reason
//
// "Editor" is a run as without actions: the editor on an undeformed grid.
// A playInfo of the host's own shows the editor on the step's mesh.
#pragma once

#include "effect/PSPlimRecordedWarp.h"

#include <functional>
#include <optional>
#include <string>

enum class PSPlimPlayStart {
    Editor,       // the editor on an undeformed grid, as without actions
    EditorOnWarp, // the editor on the recorded mesh and settings
    Silent,       // the recorded warp applied without the editor
    Refused,      // the run ends with the reason
};

struct PSPlimPlayPlan {
    PSPlimPlayStart start = PSPlimPlayStart::Editor;
    std::optional<PSPlimRecordedWarp> warp; // with EditorOnWarp and Silent
    std::string reason;                     // with Refused
};

// read: reads the host's step; it and the reading of the warp throw
// std::runtime_error with the reason a step does not read.
PSPlimPlayPlan PSPlimPlanPlay(int16_t playInfo, const std::function<HuxPSDescriptorItems()>& read,
                              const PSPlimParameters& current);
