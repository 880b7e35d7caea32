// The string table as compiled: tool names, zoom strings and the command
// strings whose text after the newline is the toolbar's tooltip.
#include <cstdint>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "EditorStrings.h"
#include "resources/ResourceFile.h"
#include "resources/ResourceIds.h"
#include "ui/PSPlimDialogModel.h"

namespace {

constexpr int RT_STRING = 6;

// Strings are stored sixteen to a block: block n holds ids (n - 1) * 16 to
// n * 16 - 1, each a 16-bit length and that many UTF-16 characters.
std::map<int, std::string> ReadStringTable()
{
    std::map<int, std::string> strings;
    for (const auto& resource : ResourceFile::Read(SQUELM_EDITOR_RES)) {
        if (resource.type.number != RT_STRING) {
            continue;
        }
        EXPECT_EQ(resource.language, 0x0409);
        ResourceFile::Reader r(resource.data);
        for (int i = 0; i < 16; ++i) {
            const int length = r.U16();
            std::string text;
            for (int c = 0; c < length; ++c) {
                text += static_cast<char>(r.U16());
            }
            if (length > 0) {
                strings[(resource.name.number - 1) * 16 + i] = text;
            }
        }
    }
    return strings;
}

// What the resource compiler made of the string table is what Editor.rc says.
TEST(CompiledStrings, HoldExactlyTheEditorsTexts)
{
    const std::map<int, std::string> written(kEditorStrings.begin(), kEditorStrings.end());
    EXPECT_EQ(written.size(), 21u);
    EXPECT_EQ(ReadStringTable(), written);
}

// The tooltip request has an 80-character buffer: every tip must fit.
TEST(CompiledStrings, EveryToolbarCommandHasATipThatFitsTheTooltipBuffer)
{
    const auto strings = ReadStringTable();
    for (int id : kPSPlimToolbarLayout) {
        if (id == 0)
            continue;
        ASSERT_EQ(strings.count(id), 1u) << id;
        const std::string& text = strings.at(id);
        const size_t newline = text.find('\n');
        ASSERT_NE(newline, std::string::npos) << id;
        const std::string tip = text.substr(newline + 1);
        EXPECT_FALSE(tip.empty()) << id;
        EXPECT_LE(tip.size(), 79u) << id;
    }
}

}
