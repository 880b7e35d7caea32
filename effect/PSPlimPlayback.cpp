#include "effect/PSPlimPlayback.h"

#include <stdexcept>

PSPlimPlayPlan PSPlimPlanPlay(int16_t playInfo, const std::function<HuxPSDescriptorItems()>& read,
                              const PSPlimParameters& current)
{
    PSPlimPlayPlan plan;
    try {
        plan.warp = PSPlimReadWarp(read(), current);
    } catch (const std::runtime_error& e) {
        if (playInfo == PS::playSilent) {
            plan.start = PSPlimPlayStart::Refused;
            plan.reason = e.what();
        }
        return plan;
    }
    const bool silent = playInfo == PS::playSilent || playInfo == PS::playDialogIfNeeded;
    plan.start = silent ? PSPlimPlayStart::Silent : PSPlimPlayStart::EditorOnWarp;
    return plan;
}
