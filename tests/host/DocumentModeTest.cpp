// Which documents the filter takes: the record read as a kind of document,
// and Prepare through the real entry point refusing every other kind with
// filterBadMode before anything is asked of the host.
#include "FakeHost.h"

#include "effect/PSPlimDocuments.h"
#include "host/HuxPSDocument.h"
#include "plugin/PluginMain.h"

#include <gtest/gtest.h>

using namespace FakeHostTest;

namespace {

using Model = HuxPSColourModel;
using Transparency = HuxPSTransparency;

struct DocumentCase {
    const char* name;
    int16_t mode;
    int32_t depth;
    int16_t planes;
    int16_t filterCase;
    int16_t layerPlanes, transparencyPlanes;
    HuxPSDocument expected;
    bool taken;
};

constexpr int16_t kFlat = PS::filterCaseFlatImageNoSelection;
constexpr int16_t kEditable = PS::filterCaseEditTransparencyNoSelection;
constexpr int16_t kProtected = PS::filterCaseProtectTransparencyWithSelection;

const DocumentCase kCases[] = {
    {"RGB 8", PS::plugInModeRGBColor, 8, 3, kFlat, 0, 0, {{Model::RGB, 8, Transparency::None}, 3, true}, true},
    {"RGB 8 from a host without depth", PS::plugInModeRGBColor, 0, 3, 0, 0, 0,
     {{Model::RGB, 8, Transparency::None}, 3, true}, true},
    {"RGB 8 layer, editable", PS::plugInModeRGBColor, 8, 4, kEditable, 3, 1,
     {{Model::RGB, 8, Transparency::Editable}, 3, true}, true},
    {"RGB 8 layer, protected", PS::plugInModeRGBColor, 8, 4, kProtected, 3, 1,
     {{Model::RGB, 8, Transparency::Protected}, 3, true}, true},
    {"RGB 8 layer passed as flat", PS::plugInModeRGBColor, 8, 4, kFlat, 3, 1,
     {{Model::RGB, 8, Transparency::Editable}, 3, true}, true},
    {"RGB 8 with two planes", PS::plugInModeRGBColor, 8, 2, kFlat, 0, 0,
     {{Model::RGB, 8, Transparency::None}, 3, false}, false},
    {"RGB 8 layer without its transparency plane", PS::plugInModeRGBColor, 8, 3, kEditable, 3, 1,
     {{Model::RGB, 8, Transparency::Editable}, 3, false}, false},
    {"RGB mode at depth 16", PS::plugInModeRGBColor, 16, 3, kFlat, 0, 0,
     {{Model::RGB, 8, Transparency::None}, 3, false}, false},
    {"RGB mode, a grey layer", PS::plugInModeRGBColor, 8, 3, kFlat, 1, 0,
     {{Model::RGB, 8, Transparency::None}, 3, false}, false},
    {"RGB 16", PS::plugInModeRGB48, 16, 3, kFlat, 0, 0, {{Model::RGB, 16, Transparency::None}, 3, true}, true},
    {"Grey 16", PS::plugInModeGray16, 16, 1, kFlat, 0, 0, {{Model::Grey, 16, Transparency::None}, 1, true}, true},
    {"Grey 32", PS::plugInModeGray32, 32, 1, kFlat, 0, 0, {{Model::Grey, 32, Transparency::None}, 1, true}, false},
    {"CMYK 8", PS::plugInModeCMYKColor, 8, 4, kFlat, 0, 0, {{Model::CMYK, 8, Transparency::None}, 4, true}, true},
    {"CMYK 16 with three planes", PS::plugInModeCMYK64, 16, 3, kFlat, 0, 0,
     {{Model::CMYK, 16, Transparency::None}, 4, false}, false},
    {"Lab 16 layer", PS::plugInModeLab48, 16, 4, kEditable, 3, 1,
     {{Model::Lab, 16, Transparency::Editable}, 3, true}, true},
    {"Bitmap", PS::plugInModeBitmap, 1, 1, kFlat, 0, 0, {{Model::Other, 1, Transparency::None}, 0, false}, false},
    {"Indexed", PS::plugInModeIndexedColor, 8, 1, kFlat, 0, 0, {{Model::Other, 8, Transparency::None}, 0, false},
     false},
};

void Describe(PS::FilterRecord& r, const DocumentCase& c)
{
    r.imageMode = c.mode;
    r.depth = c.depth;
    r.planes = c.planes;
    r.filterCase = c.filterCase;
    r.inLayerPlanes = c.layerPlanes;
    r.inTransparencyMask = c.transparencyPlanes;
    r.inNonLayerPlanes = c.layerPlanes ? 0 : c.planes;
}

} // namespace

// Prepare through the real entry point refuses before it asks the host
// for anything: no handle, no lock, no request.
TEST(DocumentMode, EachRecordIsReadAsItsKindAndPrepareTakesOnlySupportedOnes)
{
    for (const DocumentCase& c : kCases) {
        FakeHost host{8, 6};
        Describe(host.Record(), c);
        const HuxPSDocument document = HuxPSDescribeDocument(host.Record());
        EXPECT_EQ(document.kind, c.expected.kind) << c.name;
        EXPECT_EQ(document.colourPlanes, c.expected.colourPlanes) << c.name;
        EXPECT_EQ(document.layoutFits, c.expected.layoutFits) << c.name;
        EXPECT_EQ(PSPlimTakesDocument(document), c.taken) << c.name;
        intptr_t data = 0;
        int16_t result = 1;
        PluginMain(PS::filterSelectorPrepare, &host.Record(), &data, &result);
        EXPECT_EQ(result, c.taken ? PS::noErr : PS::filterBadMode) << c.name;
        if (!c.taken) {
            EXPECT_EQ(host.newCalls + host.lockCalls + int(host.requests.size()), 0) << c.name;
        }
    }
}
