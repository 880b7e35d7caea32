// Binary interface of the Photoshop filter plug-in protocol, declared from the
// published layout. Every offset a real host relies on is pinned below for
// x86 (ILP32) and x64 (LP64 / LLP64); the x64 checks also hold for the native
// test build, which shares this header with the test host.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define PS_CALLBACK __cdecl
#else
#define PS_CALLBACK
#endif

namespace PS {

using OSErr = int16_t;
using OSType = uint32_t;
using Fixed = int32_t;
using Boolean = unsigned char;
using Ptr = char*;
using Handle = char**;

constexpr OSType FourCC(char a, char b, char c, char d)
{
    return (OSType(uint8_t(a)) << 24) | (OSType(uint8_t(b)) << 16) | (OSType(uint8_t(c)) << 8) | OSType(uint8_t(d));
}

// Selectors.
enum : int16_t {
    filterSelectorAbout = 0,
    filterSelectorParameters = 1,
    filterSelectorPrepare = 2,
    filterSelectorStart = 3,
    filterSelectorContinue = 4,
    filterSelectorFinish = 5,
};

// Result codes.
enum : OSErr {
    noErr = 0,
    paramErr = -50,
    memFullErr = -108,
    nilHandleErr = -109,
    userCanceledErr = -128,
    filterBadParameters = -30100,
    filterBadMode = -30101,
    errPlugInHostInsufficient = -30900,
    errReportString = -30904,
};

// Document modes (imageMode).
enum : int16_t {
    plugInModeBitmap = 0,
    plugInModeGrayScale = 1,
    plugInModeIndexedColor = 2,
    plugInModeRGBColor = 3,
    plugInModeCMYKColor = 4,
    plugInModeHSLColor = 5,
    plugInModeHSBColor = 6,
    plugInModeMultichannel = 7,
    plugInModeDuotone = 8,
    plugInModeLabColor = 9,
    plugInModeGray16 = 10,
    plugInModeRGB48 = 11,
    plugInModeLab48 = 12,
    plugInModeCMYK64 = 13,
    plugInModeRGB96 = 16,
    plugInModeGray32 = 17,
};

// Filter cases (filterCase; 0 from hosts older than the field).
enum : int16_t {
    filterCaseNotSet = 0,
    filterCaseFlatImageNoSelection = 1,
    filterCaseFlatImageWithSelection = 2,
    filterCaseFloatingSelection = 3,
    filterCaseEditTransparencyNoSelection = 4,
    filterCaseEditTransparencyWithSelection = 5,
    filterCaseProtectTransparencyNoSelection = 6,
    filterCaseProtectTransparencyWithSelection = 7,
};

struct Point { int16_t v, h; };
struct Rect { int16_t top, left, bottom, right; };
struct VPoint { int32_t v, h; };
struct VRect { int32_t top, left, bottom, right; };
struct RGBColor { uint16_t red, green, blue; };
struct PlugInMonitor { Fixed gamma, redX, redY, greenX, greenY, blueX, blueY, whiteX, whiteY, ambient; };
using FilterColor = unsigned char[4];
using Str255 = unsigned char[256];

struct PlatformData { intptr_t hwnd; };

using TestAbortProc = Boolean(PS_CALLBACK*)();
using ProgressProc = void(PS_CALLBACK*)(int32_t done, int32_t total);
using AdvanceStateProc = OSErr(PS_CALLBACK*)();
using HostProc = void(PS_CALLBACK*)(int16_t selector, intptr_t* data);
using ProcessEventProc = void(PS_CALLBACK*)(void* event);
using DisplayPixelsProc = OSErr(PS_CALLBACK*)(const void* source, const VRect* srcRect, int32_t dstRow,
                                              int32_t dstCol, void* platformContext);
using GetPropertyProc = OSErr(PS_CALLBACK*)(uint32_t signature, uint32_t key, int32_t index, intptr_t* simpleProperty,
                                            Handle* complexProperty);

struct ColorServicesInfo;
using ColorServicesProc = OSErr(PS_CALLBACK*)(ColorServicesInfo* info);

using NewPIHandleProc = Handle(PS_CALLBACK*)(int32_t size);
using DisposePIHandleProc = void(PS_CALLBACK*)(Handle h);
using GetPIHandleSizeProc = int32_t(PS_CALLBACK*)(Handle h);
using SetPIHandleSizeProc = OSErr(PS_CALLBACK*)(Handle h, int32_t newSize);
using LockPIHandleProc = Ptr(PS_CALLBACK*)(Handle h, Boolean moveHigh);
using UnlockPIHandleProc = void(PS_CALLBACK*)(Handle h);
using RecoverSpaceProc = void(PS_CALLBACK*)(int32_t size);

struct HandleProcs {
    int16_t handleProcsVersion;
    int16_t numHandleProcs;
    NewPIHandleProc newProc;
    DisposePIHandleProc disposeProc;
    GetPIHandleSizeProc getSizeProc;
    SetPIHandleSizeProc setSizeProc;
    LockPIHandleProc lockProc;
    UnlockPIHandleProc unlockProc;
    RecoverSpaceProc recoverSpaceProc;
    DisposePIHandleProc disposeRegularHandleProc;
};
// Procs up to unlockProc are the ones every host has; later ones need a count check.
constexpr int16_t kHandleProcsThroughUnlock = 6;

struct ColorServicesInfo {
    int32_t infoSize;
    int16_t selector;
    int16_t sourceSpace;
    int16_t resultSpace;
    Boolean resultGamutInfoValid;
    Boolean resultInGamut;
    void* reservedSourceSpaceInfo;
    void* reservedResultSpaceInfo;
    int16_t colorComponents[4];
    void* reserved;
    union {
        Str255* pickerPrompt;
        Point* globalSamplePoint;
        int32_t specialColorID;
    } selectorParameter;
};

enum : int16_t { plugIncolorServicesChooseColor = 0, plugIncolorServicesConvertColor = 1 };
enum : int16_t {
    plugIncolorServicesRGBSpace = 0,
    plugIncolorServicesCMYKSpace = 2,
    plugIncolorServicesLabSpace = 3,
    plugIncolorServicesChosenSpace = -1
};

struct AboutRecord {
    void* platformData;
    void* sSPBasic;
    void* plugInRef;
    char reserved[244];
};

#pragma pack(push, 4)

struct BigDocumentStruct {
    int32_t PluginUsing32BitCoordinates;
    VPoint imageSize32;
    VRect filterRect32;
    VRect inRect32;
    VRect outRect32;
    VRect maskRect32;
    VPoint floatCoord32;
    VPoint wholeSize32;
};

struct FilterRecord {
    int32_t serialNumber;
    TestAbortProc abortProc;
    ProgressProc progressProc;
    Handle parameters;
    Point imageSize;
    int16_t planes;
    Rect filterRect;
    RGBColor background;
    RGBColor foreground;
    int32_t maxSpace;
    int32_t bufferSpace;
    Rect inRect;
    int16_t inLoPlane;
    int16_t inHiPlane;
    Rect outRect;
    int16_t outLoPlane;
    int16_t outHiPlane;
    void* inData;
    int32_t inRowBytes;
    void* outData;
    int32_t outRowBytes;
    Boolean isFloating;
    Boolean haveMask;
    Boolean autoMask;
    Rect maskRect;
    void* maskData;
    int32_t maskRowBytes;
    FilterColor backColor;
    FilterColor foreColor;
    OSType hostSig;
    HostProc hostProc;
    int16_t imageMode;
    Fixed imageHRes;
    Fixed imageVRes;
    Point floatCoord;
    Point wholeSize;
    PlugInMonitor monitor;
    void* platformData;
    void* bufferProcs;
    void* resourceProcs;
    ProcessEventProc processEvent;
    DisplayPixelsProc displayPixels;
    HandleProcs* handleProcs;
    Boolean supportsDummyChannels;
    Boolean supportsAlternateLayouts;
    int16_t wantLayout;
    int16_t filterCase;
    int16_t dummyPlaneValue;
    void* premiereHook;
    AdvanceStateProc advanceState;
    Boolean supportsAbsolute;
    Boolean wantsAbsolute;
    GetPropertyProc getPropertyObsolete;
    Boolean cannotUndo;
    Boolean supportsPadding;
    int16_t inputPadding;
    int16_t outputPadding;
    int16_t maskPadding;
    char samplingSupport;
    char reservedByte;
    Fixed inputRate;
    Fixed maskRate;
    ColorServicesProc colorServices;
    int16_t inLayerPlanes;
    int16_t inTransparencyMask;
    int16_t inLayerMasks;
    int16_t inInvertedLayerMasks;
    int16_t inNonLayerPlanes;
    int16_t outLayerPlanes;
    int16_t outTransparencyMask;
    int16_t outLayerMasks;
    int16_t outInvertedLayerMasks;
    int16_t outNonLayerPlanes;
    int16_t absLayerPlanes;
    int16_t absTransparencyMask;
    int16_t absLayerMasks;
    int16_t absInvertedLayerMasks;
    int16_t absNonLayerPlanes;
    int16_t inPreDummyPlanes;
    int16_t inPostDummyPlanes;
    int16_t outPreDummyPlanes;
    int16_t outPostDummyPlanes;
    int32_t inColumnBytes;
    int32_t inPlaneBytes;
    int32_t outColumnBytes;
    int32_t outPlaneBytes;
    void* imageServicesProcs;
    void* propertyProcs;
    int16_t inTileHeight;
    int16_t inTileWidth;
    Point inTileOrigin;
    int16_t absTileHeight;
    int16_t absTileWidth;
    Point absTileOrigin;
    int16_t outTileHeight;
    int16_t outTileWidth;
    Point outTileOrigin;
    int16_t maskTileHeight;
    int16_t maskTileWidth;
    Point maskTileOrigin;
    void* descriptorParameters;
    Str255* errorString;
    void* channelPortProcs;
    void* documentInfo;
    void* sSPBasic;
    void* plugInRef;
    int32_t depth;
    Handle iCCprofileData;
    int32_t iCCprofileSize;
    int32_t canUseICCProfiles;
    int32_t hasImageScrap;
    BigDocumentStruct* bigDocumentData;
    void* input3DScene;
    void* output3DScene;
    Boolean createNewLayer;
    Handle iCCWorkingProfileData;
    int32_t iCCWorkingProfileSize;
    int64_t bufferSpace64;
    int64_t maxSpace64;
    Boolean allowOverrangeColors;
    char reserved[46];
};

#pragma pack(pop)

// Entry point: caller-pops C convention, selector, record (FilterRecord, or
// AboutRecord for selector 0), private data word, result word.
using PluginEntry = void(PS_CALLBACK*)(int16_t selector, void* record, intptr_t* data, int16_t* result);

// ---- Layout checks ----------------------------------------------------------

constexpr bool kIs64 = sizeof(void*) == 8;
constexpr size_t Off(size_t x86, size_t x64) { return kIs64 ? x64 : x86; }

#define PS_PIN(type, field, x86, x64) \
    static_assert(offsetof(type, field) == PS::Off(x86, x64), #type "::" #field " offset")

PS_PIN(HandleProcs, newProc, 4, 8);
PS_PIN(HandleProcs, disposeProc, 8, 16);
PS_PIN(HandleProcs, getSizeProc, 12, 24);
PS_PIN(HandleProcs, setSizeProc, 16, 32);
PS_PIN(HandleProcs, lockProc, 20, 40);
PS_PIN(HandleProcs, unlockProc, 24, 48);
PS_PIN(HandleProcs, recoverSpaceProc, 28, 56);
PS_PIN(HandleProcs, disposeRegularHandleProc, 32, 64);
static_assert(sizeof(HandleProcs) == Off(36, 72));

PS_PIN(ColorServicesInfo, selector, 4, 4);
PS_PIN(ColorServicesInfo, sourceSpace, 6, 6);
PS_PIN(ColorServicesInfo, resultSpace, 8, 8);
PS_PIN(ColorServicesInfo, resultGamutInfoValid, 10, 10);
PS_PIN(ColorServicesInfo, resultInGamut, 11, 11);
PS_PIN(ColorServicesInfo, reservedSourceSpaceInfo, 12, 16);
PS_PIN(ColorServicesInfo, reservedResultSpaceInfo, 16, 24);
PS_PIN(ColorServicesInfo, colorComponents, 20, 32);
PS_PIN(ColorServicesInfo, reserved, 28, 40);
PS_PIN(ColorServicesInfo, selectorParameter, 32, 48);
static_assert(sizeof(ColorServicesInfo) == Off(36, 56));

PS_PIN(AboutRecord, platformData, 0, 0);
PS_PIN(AboutRecord, sSPBasic, 4, 8);
PS_PIN(AboutRecord, plugInRef, 8, 16);
PS_PIN(AboutRecord, reserved, 12, 24);
static_assert(sizeof(AboutRecord) == Off(256, 272));

static_assert(sizeof(PlatformData) == sizeof(void*));

PS_PIN(BigDocumentStruct, imageSize32, 4, 4);
PS_PIN(BigDocumentStruct, filterRect32, 12, 12);
PS_PIN(BigDocumentStruct, inRect32, 28, 28);
PS_PIN(BigDocumentStruct, outRect32, 44, 44);
PS_PIN(BigDocumentStruct, maskRect32, 60, 60);
PS_PIN(BigDocumentStruct, floatCoord32, 76, 76);
PS_PIN(BigDocumentStruct, wholeSize32, 84, 84);
static_assert(sizeof(BigDocumentStruct) == 92);

static_assert(offsetof(Rect, top) == 0 && offsetof(Rect, left) == 2 && offsetof(Rect, bottom) == 4 &&
              offsetof(Rect, right) == 6 && sizeof(Rect) == 8);
static_assert(offsetof(Point, v) == 0 && offsetof(Point, h) == 2);
static_assert(sizeof(PlugInMonitor) == 40);

PS_PIN(FilterRecord, serialNumber, 0, 0);
PS_PIN(FilterRecord, abortProc, 4, 4);
PS_PIN(FilterRecord, progressProc, 8, 12);
PS_PIN(FilterRecord, parameters, 12, 20);
PS_PIN(FilterRecord, imageSize, 16, 28);
PS_PIN(FilterRecord, planes, 20, 32);
PS_PIN(FilterRecord, filterRect, 22, 34);
PS_PIN(FilterRecord, background, 30, 42);
PS_PIN(FilterRecord, foreground, 36, 48);
PS_PIN(FilterRecord, maxSpace, 44, 56);
PS_PIN(FilterRecord, bufferSpace, 48, 60);
PS_PIN(FilterRecord, inRect, 52, 64);
PS_PIN(FilterRecord, inLoPlane, 60, 72);
PS_PIN(FilterRecord, inHiPlane, 62, 74);
PS_PIN(FilterRecord, outRect, 64, 76);
PS_PIN(FilterRecord, outLoPlane, 72, 84);
PS_PIN(FilterRecord, outHiPlane, 74, 86);
PS_PIN(FilterRecord, inData, 76, 88);
PS_PIN(FilterRecord, inRowBytes, 80, 96);
PS_PIN(FilterRecord, outData, 84, 100);
PS_PIN(FilterRecord, outRowBytes, 88, 108);
PS_PIN(FilterRecord, isFloating, 92, 112);
PS_PIN(FilterRecord, haveMask, 93, 113);
PS_PIN(FilterRecord, autoMask, 94, 114);
PS_PIN(FilterRecord, maskRect, 96, 116);
PS_PIN(FilterRecord, maskData, 104, 124);
PS_PIN(FilterRecord, maskRowBytes, 108, 132);
PS_PIN(FilterRecord, backColor, 112, 136);
PS_PIN(FilterRecord, foreColor, 116, 140);
PS_PIN(FilterRecord, hostSig, 120, 144);
PS_PIN(FilterRecord, hostProc, 124, 148);
PS_PIN(FilterRecord, imageMode, 128, 156);
PS_PIN(FilterRecord, imageHRes, 132, 160);
PS_PIN(FilterRecord, imageVRes, 136, 164);
PS_PIN(FilterRecord, floatCoord, 140, 168);
PS_PIN(FilterRecord, wholeSize, 144, 172);
PS_PIN(FilterRecord, monitor, 148, 176);
PS_PIN(FilterRecord, platformData, 188, 216);
PS_PIN(FilterRecord, bufferProcs, 192, 224);
PS_PIN(FilterRecord, resourceProcs, 196, 232);
PS_PIN(FilterRecord, processEvent, 200, 240);
PS_PIN(FilterRecord, displayPixels, 204, 248);
PS_PIN(FilterRecord, handleProcs, 208, 256);
PS_PIN(FilterRecord, supportsDummyChannels, 212, 264);
PS_PIN(FilterRecord, supportsAlternateLayouts, 213, 265);
PS_PIN(FilterRecord, wantLayout, 214, 266);
PS_PIN(FilterRecord, filterCase, 216, 268);
PS_PIN(FilterRecord, dummyPlaneValue, 218, 270);
PS_PIN(FilterRecord, premiereHook, 220, 272);
PS_PIN(FilterRecord, advanceState, 224, 280);
PS_PIN(FilterRecord, supportsAbsolute, 228, 288);
PS_PIN(FilterRecord, wantsAbsolute, 229, 289);
PS_PIN(FilterRecord, getPropertyObsolete, 232, 292);
PS_PIN(FilterRecord, cannotUndo, 236, 300);
PS_PIN(FilterRecord, supportsPadding, 237, 301);
PS_PIN(FilterRecord, inputPadding, 238, 302);
PS_PIN(FilterRecord, outputPadding, 240, 304);
PS_PIN(FilterRecord, maskPadding, 242, 306);
PS_PIN(FilterRecord, samplingSupport, 244, 308);
PS_PIN(FilterRecord, reservedByte, 245, 309);
PS_PIN(FilterRecord, inputRate, 248, 312);
PS_PIN(FilterRecord, maskRate, 252, 316);
PS_PIN(FilterRecord, colorServices, 256, 320);
PS_PIN(FilterRecord, inLayerPlanes, 260, 328);
PS_PIN(FilterRecord, inTransparencyMask, 262, 330);
PS_PIN(FilterRecord, inLayerMasks, 264, 332);
PS_PIN(FilterRecord, inInvertedLayerMasks, 266, 334);
PS_PIN(FilterRecord, inNonLayerPlanes, 268, 336);
PS_PIN(FilterRecord, outLayerPlanes, 270, 338);
PS_PIN(FilterRecord, outTransparencyMask, 272, 340);
PS_PIN(FilterRecord, outLayerMasks, 274, 342);
PS_PIN(FilterRecord, outInvertedLayerMasks, 276, 344);
PS_PIN(FilterRecord, outNonLayerPlanes, 278, 346);
PS_PIN(FilterRecord, absLayerPlanes, 280, 348);
PS_PIN(FilterRecord, absTransparencyMask, 282, 350);
PS_PIN(FilterRecord, absLayerMasks, 284, 352);
PS_PIN(FilterRecord, absInvertedLayerMasks, 286, 354);
PS_PIN(FilterRecord, absNonLayerPlanes, 288, 356);
PS_PIN(FilterRecord, inPreDummyPlanes, 290, 358);
PS_PIN(FilterRecord, inPostDummyPlanes, 292, 360);
PS_PIN(FilterRecord, outPreDummyPlanes, 294, 362);
PS_PIN(FilterRecord, outPostDummyPlanes, 296, 364);
PS_PIN(FilterRecord, inColumnBytes, 300, 368);
PS_PIN(FilterRecord, inPlaneBytes, 304, 372);
PS_PIN(FilterRecord, outColumnBytes, 308, 376);
PS_PIN(FilterRecord, outPlaneBytes, 312, 380);
PS_PIN(FilterRecord, imageServicesProcs, 316, 384);
PS_PIN(FilterRecord, propertyProcs, 320, 392);
PS_PIN(FilterRecord, inTileHeight, 324, 400);
PS_PIN(FilterRecord, inTileWidth, 326, 402);
PS_PIN(FilterRecord, inTileOrigin, 328, 404);
PS_PIN(FilterRecord, absTileHeight, 332, 408);
PS_PIN(FilterRecord, absTileWidth, 334, 410);
PS_PIN(FilterRecord, absTileOrigin, 336, 412);
PS_PIN(FilterRecord, outTileHeight, 340, 416);
PS_PIN(FilterRecord, outTileWidth, 342, 418);
PS_PIN(FilterRecord, outTileOrigin, 344, 420);
PS_PIN(FilterRecord, maskTileHeight, 348, 424);
PS_PIN(FilterRecord, maskTileWidth, 350, 426);
PS_PIN(FilterRecord, maskTileOrigin, 352, 428);
PS_PIN(FilterRecord, descriptorParameters, 356, 432);
PS_PIN(FilterRecord, errorString, 360, 440);
PS_PIN(FilterRecord, channelPortProcs, 364, 448);
PS_PIN(FilterRecord, documentInfo, 368, 456);
PS_PIN(FilterRecord, sSPBasic, 372, 464);
PS_PIN(FilterRecord, plugInRef, 376, 472);
PS_PIN(FilterRecord, depth, 380, 480);
PS_PIN(FilterRecord, iCCprofileData, 384, 484);
PS_PIN(FilterRecord, iCCprofileSize, 388, 492);
PS_PIN(FilterRecord, canUseICCProfiles, 392, 496);
PS_PIN(FilterRecord, hasImageScrap, 396, 500);
PS_PIN(FilterRecord, bigDocumentData, 400, 504);
PS_PIN(FilterRecord, input3DScene, 404, 512);
PS_PIN(FilterRecord, output3DScene, 408, 520);
PS_PIN(FilterRecord, createNewLayer, 412, 528);
PS_PIN(FilterRecord, iCCWorkingProfileData, 416, 532);
PS_PIN(FilterRecord, iCCWorkingProfileSize, 420, 540);
PS_PIN(FilterRecord, bufferSpace64, 424, 544);
PS_PIN(FilterRecord, maxSpace64, 432, 552);
PS_PIN(FilterRecord, allowOverrangeColors, 440, 560);
static_assert(sizeof(FilterRecord) == Off(488, 608), "largest FilterRecord form");

#undef PS_PIN

} // namespace PS
