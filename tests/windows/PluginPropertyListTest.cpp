// The property list a host reads: parsing, the host's acceptance checks, and
// the list inside the built Squelm.8bf, byte for byte.
#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "PluginFile.h"
#include "host/HuxPSDescriptorItems.h"
#include "testhost/PluginPropertyList.h"
#include "testhost/win32/PluginModule.h"

namespace {

using SquelmHost::FilterEntryName;
using SquelmHost::kEntryX64;
using SquelmHost::kEntryX86;
using SquelmHost::ParsePiPL;
using SquelmHost::PiPL;

// Little builder for expected bytes. Four-character codes are written the
// way they lie in memory: '8BIM' as "MIB8".
struct Bytes {
    std::vector<uint8_t> v;

    Bytes& Word(uint16_t w) { return Raw({uint8_t(w), uint8_t(w >> 8)}); }
    Bytes& Long(uint32_t l) { return Raw({uint8_t(l), uint8_t(l >> 8), uint8_t(l >> 16), uint8_t(l >> 24)}); }
    Bytes& Text(const std::string& s) { v.insert(v.end(), s.begin(), s.end()); return *this; }
    Bytes& Zeros(size_t n) { v.insert(v.end(), n, 0); return *this; }
    Bytes& Raw(std::initializer_list<uint8_t> b) { v.insert(v.end(), b); return *this; }
    // vendor '8BIM', a key in memory order, id 0, the stated length.
    Bytes& Property(const char* storedKey, uint32_t length) { return Text("MIB8").Text(storedKey).Long(0).Long(length); }
};

// The entry-point key of this test's architecture as it lies in memory.
const char* const kOwnStoredEntryKey = SquelmHost::kOwnEntryKey == kEntryX64 ? "4668" : "68xw";

constexpr const char* kEnabledModes =
    "in (PSHOP_ImageMode, GrayScaleMode, RGBMode, CMYKMode, LabMode, Gray16Mode, RGB48Mode, CMYK64Mode, Lab48Mode)";

std::vector<uint8_t> ExpectedSquelmList()
{
    Bytes b;
    b.Word(1).Long(0).Long(9);
    b.Property("dnik", 4).Text("MFB8");
    b.Property("eman", 12).Raw({11}).Text("Squelm! ...");
    b.Property("gtac", 8).Raw({6}).Text("Ombrix").Zeros(1);
    b.Property("srev", 4).Raw({0x00, 0x00, 0x04, 0x00});
    b.Property(kOwnStoredEntryKey, 12).Text("PluginMain").Zeros(2);
    b.Property("edom", 4).Raw({0x58, 0x7C, 0x00, 0x00}); // Grey, RGB, CMYK; Lab and the 16-bit modes
    b.Property("lbne", 112).Text(kEnabledModes).Zeros(3);
    b.Property("icif", 28);
    b.Raw({4, 4, 6, 0}).Raw({4, 4, 6, 0}).Raw({4, 4, 6, 0});          // flat, flat + selection, floating
    b.Raw({1, 1, 0x0E, 0}).Raw({1, 1, 0x0E, 0});                       // editable transparency: straight data
    b.Raw({1, 1, 6, 0}).Raw({1, 1, 0x0E, 0});                          // protected transparency: straight data
    b.Property("mtsh", 52).Long(0).Text("mlqS").Text("mlqS").Word(16000);   // recordable: event 'Sqlm'
    b.Text("7c4de1a2-58b3-4f0e-9a61-3e2b8d5f0c97").Zeros(2);
    return b.v;
}

std::string HexDump(const std::vector<uint8_t>& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (size_t i = 0; i < bytes.size(); ++i) {
        text += (i % 16 == 0) ? (i ? "\n" : "") : " ";
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 15];
    }
    return text;
}

PiPL Parse(const std::vector<uint8_t>& bytes)
{
    return ParsePiPL(bytes.data(), bytes.size());
}

std::string ParseError(const std::vector<uint8_t>& bytes)
{
    try {
        Parse(bytes);
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "no error";
}

std::string EntryError(const std::vector<uint8_t>& bytes, PS::OSType entryKey = kEntryX86)
{
    try {
        return "accepted: " + FilterEntryName(Parse(bytes), entryKey);
    } catch (const std::runtime_error& e) {
        return e.what();
    }
}

// A minimal list a 32-bit host accepts, with one property replaced or
// dropped, and the entry point under `entryKey` (stored order).
std::vector<uint8_t> FilterList(const std::string& replacedKey = {}, const Bytes& replacement = {},
                                const char* entryKey = "68xw")
{
    struct Item {
        const char* key;
        Bytes data;
    };
    const Item items[] = {
        {"dnik", Bytes().Text("MFB8")},
        {"eman", Bytes().Raw({2}).Text("Xy")},
        {"gtac", Bytes().Raw({1}).Text("C")},
        {"srev", Bytes().Long(0x00040000)},
        {entryKey, Bytes().Text("Go").Zeros(2)},
        {"edom", Bytes().Raw({0x10, 0, 0, 0})},
    };
    Bytes body;
    uint32_t count = 0;
    for (const Item& item : items) {
        const Bytes& data = replacedKey == item.key ? replacement : item.data;
        if (replacedKey == item.key && data.v.empty())
            continue;
        body.Property(item.key, uint32_t(data.v.size()));
        body.v.insert(body.v.end(), data.v.begin(), data.v.end());
        body.Zeros((4 - data.v.size() % 4) % 4);
        ++count;
    }
    Bytes list;
    list.Word(1).Long(0).Long(count);
    list.v.insert(list.v.end(), body.v.begin(), body.v.end());
    return list.v;
}

TEST(PluginPropertyList, ParsesPropertiesWithUnpaddedLengthsAndSkipsThePadding)
{
    Bytes b;
    b.Word(1).Long(0).Long(3);
    b.Property("eman", 3).Raw({2, 'A', 'b'}).Zeros(1);
    b.Property("edom", 1).Raw({0x10}).Zeros(3);
    b.Text("MIB8").Text("tsoh").Long(7).Long(4).Text("    ");
    const PiPL list = Parse(b.v);
    EXPECT_EQ(list.format, 1);
    EXPECT_EQ(list.version, 0);
    ASSERT_EQ(list.properties.size(), 3u);
    EXPECT_EQ(list.properties[0].key, PS::FourCC('n', 'a', 'm', 'e'));
    EXPECT_EQ(list.properties[0].data, (std::vector<uint8_t>{2, 'A', 'b'}));
    EXPECT_EQ(SquelmHost::PropertyPascalString(list.properties[0]), "Ab");
    EXPECT_EQ(list.properties[1].data, std::vector<uint8_t>{0x10});
    EXPECT_EQ(list.properties[2].vendor, PS::FourCC('8', 'B', 'I', 'M'));
    EXPECT_EQ(list.properties[2].key, PS::FourCC('h', 'o', 's', 't'));
    EXPECT_EQ(list.properties[2].id, 7);
    ASSERT_NE(list.Find(PS::FourCC('h', 'o', 's', 't')), nullptr);
    EXPECT_EQ(list.Find(PS::FourCC('k', 'i', 'n', 'd')), nullptr);
}

TEST(PluginPropertyList, AcceptsTheLastPropertyWithoutItsPadding)
{
    Bytes b;
    b.Word(1).Long(0).Long(1).Property("gtac", 2).Raw({1, 'Z'});
    EXPECT_EQ(SquelmHost::PropertyPascalString(Parse(b.v).properties.at(0)), "Z");
}

TEST(PluginPropertyList, ReportsTruncatedAndOverlongListsPrecisely)
{
    EXPECT_EQ(ParseError({1, 0, 0, 0}), "PiPL: header truncated: 4 bytes");
    Bytes twoAnnounced;
    twoAnnounced.Word(1).Long(0).Long(2).Property("dnik", 4).Text("MFB8");
    EXPECT_EQ(ParseError(twoAnnounced.v), "PiPL: property 1 at offset 30: truncated (2 announced)");
    Bytes overlong;
    overlong.Word(1).Long(0).Long(1).Property("eman", 9).Raw({8, 'a', 'b'});
    EXPECT_EQ(ParseError(overlong.v), "PiPL: property 0 at offset 10 ('name'): 9 data bytes run past the end");
    Bytes huge;
    huge.Word(1).Long(0).Long(1).Property("eman", 0xFFFFFFF0u).Raw({0});
    EXPECT_NE(ParseError(huge.v).find("run past the end"), std::string::npos);
}

TEST(PluginPropertyList, HostChecksAcceptAFilterAndNameEachReasonToRefuse)
{
    EXPECT_EQ(EntryError(FilterList()), "accepted: Go");
    EXPECT_EQ(EntryError(FilterList("dnik", Bytes().Text("MFY8"))),
              "PiPL: kind '8YFM' is not a filter ('8BFM')");
    EXPECT_EQ(EntryError(FilterList("srev", Bytes().Long(0x00050000))),
              "PiPL: interface version 5.0 is newer than 4.0");
    EXPECT_EQ(EntryError(FilterList("srev", Bytes().Long(0x00040001))), "accepted: Go");
    EXPECT_EQ(EntryError(FilterList("edom", Bytes().Raw({0x40, 0x10, 0, 0}))),
              "PiPL: 'mode' does not include RGB colour");
    EXPECT_EQ(EntryError(FilterList("eman", Bytes().Raw({0}))), "PiPL: empty 'name'");
    EXPECT_EQ(EntryError(FilterList("gtac", Bytes())), "PiPL: no 'catg' property");
    EXPECT_EQ(EntryError(FilterList("68xw", Bytes())), "PiPL: no 'wx86' property");
    EXPECT_EQ(EntryError(FilterList("68xw", Bytes().Zeros(4))), "PiPL: empty 'wx86' entry point name");
    EXPECT_EQ(EntryError(FilterList("68xw", Bytes().Text("Open"))), "PiPL: 'wx86' is not zero-terminated");
    EXPECT_EQ(EntryError(FilterList("eman", Bytes().Raw({5, 'a'}))), "PiPL: 'name' is not a length-prefixed string");
}

TEST(PluginPropertyList, EachArchitectureReadsOnlyItsOwnEntryProperty)
{
    const std::vector<uint8_t> x86List = FilterList();
    const std::vector<uint8_t> x64List = FilterList({}, {}, "4668");
    EXPECT_EQ(EntryError(x86List, kEntryX86), "accepted: Go");
    EXPECT_EQ(EntryError(x86List, kEntryX64), "PiPL: no '8664' property");
    EXPECT_EQ(EntryError(x64List, kEntryX64), "accepted: Go");
    EXPECT_EQ(EntryError(x64List, kEntryX86), "PiPL: no 'wx86' property");
    EXPECT_EQ(EntryError(FilterList("4668", Bytes().Zeros(4), "4668"), kEntryX64),
              "PiPL: empty '8664' entry point name");
}

class SquelmPropertyList : public testing::Test {
protected:
    static void SetUpTestSuite() { plugin_ = new SquelmHost::PluginModule(SquelmHost::LoadPluginModule(PluginFile())); }
    static void TearDownTestSuite() { delete plugin_; }
    static SquelmHost::PluginModule* plugin_;
};

SquelmHost::PluginModule* SquelmPropertyList::plugin_ = nullptr;

TEST_F(SquelmPropertyList, IsOneResource16000InUsEnglish)
{
    const auto resources = SquelmHost::PiPLResources(plugin_->module);
    ASSERT_EQ(resources.size(), 1u);
    EXPECT_EQ(resources[0].id, 16000);
    EXPECT_EQ(resources[0].language, 1033);
    EXPECT_EQ(resources[0].type, "PIPL"); // how resource compilers store "PiPL"
}

TEST_F(SquelmPropertyList, HoldsExactlyTheExpectedBytes)
{
    const std::vector<uint8_t> expected = ExpectedSquelmList();
    ASSERT_EQ(expected.size(), 390u);
    EXPECT_EQ(plugin_->resource.bytes, expected) << "actual:\n"
                                                 << HexDump(plugin_->resource.bytes) << "\nexpected:\n"
                                                 << HexDump(expected);
}

TEST_F(SquelmPropertyList, ReadsAsAFilterNamedSquelmInOmbrix)
{
    const PiPL& list = plugin_->list;
    ASSERT_EQ(list.properties.size(), 9u);
    EXPECT_EQ(SquelmHost::PropertyPascalString(*list.Find(PS::FourCC('n', 'a', 'm', 'e'))), "Squelm! ...");
    EXPECT_EQ(SquelmHost::PropertyPascalString(*list.Find(PS::FourCC('c', 'a', 't', 'g'))), "Ombrix");
    EXPECT_EQ(SquelmHost::PropertyCString(*list.Find(PS::FourCC('e', 'n', 'b', 'l'))), kEnabledModes);
    EXPECT_EQ(SquelmHost::PropertyUInt32(*list.Find(PS::FourCC('v', 'e', 'r', 's'))), 0x00040000u);
    EXPECT_EQ(plugin_->entryName, "PluginMain");
    EXPECT_NE(plugin_->entry, nullptr);
    // The loader steps by the stated lengths alone: each must be padded.
    for (const SquelmHost::PiPLProperty& property : list.properties)
        EXPECT_EQ(property.length % 4, 0u) << HuxPSCodeText(property.key);
    // Only the entry key of the library's own architecture.
    EXPECT_EQ(list.Find(SquelmHost::kOwnEntryKey == kEntryX64 ? kEntryX86 : kEntryX64), nullptr);
}

} // namespace
