// The effect's parameters record: 96 bytes kept by the host in its
// `parameters` handle between runs, little-endian, with this exact layout.
// Flags are bytes (any stored value is taken as is), not bool.
#pragma once

#include <cstddef>
#include <cstdint>

#include "grid/PSPlimChoices.h"

struct PSPlimParameters {
    int32_t leftButtonTool;  // tool id 0..5
    int32_t rightButtonTool; // tool id 0..5
    uint8_t showGrid;
    uint8_t padding1[7];
    double toolSize;  // grid units, 0.01..0.25
    double toolPower; // 0.05..1.0
    uint8_t showToolRadius;
    uint8_t padding2[3];
    uint32_t gridColour;       // 0x00BBGGRR
    uint32_t toolRadiusColour; // 0x00BBGGRR
    int32_t gridEdgeMode;      // 0 fixed, 1 locked, 2 free
    int32_t pointsAcross;      // 5..152, border points included
    int32_t pointsDown;        // 5..152
    int32_t exposedAreaMode;   // 0 repeat edge, 1 wrap, 2 mirror, 3 fixed colour, 4 transparent
    uint32_t exposedAreaColour;
    uint8_t useInterpolation;
    uint8_t padding3[7];
    double sampleDensity;   // 0.5..3.0
    double sampleCountBias; // 0.0..2.0
    uint8_t knockout;
    uint8_t padding4[3];
    uint32_t knockoutColour;
};

static_assert(offsetof(PSPlimParameters, leftButtonTool) == 0);
static_assert(offsetof(PSPlimParameters, rightButtonTool) == 4);
static_assert(offsetof(PSPlimParameters, showGrid) == 8);
static_assert(offsetof(PSPlimParameters, toolSize) == 16);
static_assert(offsetof(PSPlimParameters, toolPower) == 24);
static_assert(offsetof(PSPlimParameters, showToolRadius) == 32);
static_assert(offsetof(PSPlimParameters, gridColour) == 36);
static_assert(offsetof(PSPlimParameters, toolRadiusColour) == 40);
static_assert(offsetof(PSPlimParameters, gridEdgeMode) == 44);
static_assert(offsetof(PSPlimParameters, pointsAcross) == 48);
static_assert(offsetof(PSPlimParameters, pointsDown) == 52);
static_assert(offsetof(PSPlimParameters, exposedAreaMode) == 56);
static_assert(offsetof(PSPlimParameters, exposedAreaColour) == 60);
static_assert(offsetof(PSPlimParameters, useInterpolation) == 64);
static_assert(offsetof(PSPlimParameters, sampleDensity) == 72);
static_assert(offsetof(PSPlimParameters, sampleCountBias) == 80);
static_assert(offsetof(PSPlimParameters, knockout) == 88);
static_assert(offsetof(PSPlimParameters, knockoutColour) == 92);
static_assert(sizeof(PSPlimParameters) == 96);


// Writes every field's default; the padding bytes are left as they are.
void PSPlimSetDefaultParameters(PSPlimParameters& p);

// Forces every ranged field into its range, in record order. A double that
// is not a number or infinite is replaced by its default.
void PSPlimValidateParameters(PSPlimParameters& p);
