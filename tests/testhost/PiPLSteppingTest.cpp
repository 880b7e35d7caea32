// The two ways hosts walk a property list: rounding each stated length up to
// the padding, or stepping by the stated length alone. A list that states an
// odd length reads well the first way and loses the entry point the second.
#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "testhost/PluginPropertyList.h"

namespace {

using SquelmHost::PiPLStepping;

struct ListBuilder {
    std::vector<uint8_t> bytes;
    uint32_t count = 0;

    void Long(uint32_t l)
    {
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(uint8_t(l >> shift));
    }
    // Data padded with zeros to a multiple of four; `stated` is the length
    // written into the list.
    ListBuilder& Property(const char* key, const std::vector<uint8_t>& data, uint32_t stated)
    {
        Long(PS::FourCC('8', 'B', 'I', 'M'));
        Long(PS::FourCC(key[0], key[1], key[2], key[3]));
        Long(0);
        Long(stated);
        bytes.insert(bytes.end(), data.begin(), data.end());
        bytes.insert(bytes.end(), (4 - data.size() % 4) % 4, 0);
        ++count;
        return *this;
    }
    ListBuilder& Property(const char* key, const std::vector<uint8_t>& data)
    {
        return Property(key, data, uint32_t(data.size()));
    }
    std::vector<uint8_t> List() const
    {
        std::vector<uint8_t> list = {1, 0, 0, 0, 0, 0};
        for (int shift = 0; shift < 32; shift += 8)
            list.push_back(uint8_t(count >> shift));
        list.insert(list.end(), bytes.begin(), bytes.end());
        return list;
    }
};

// A filter list whose category "Ombrix" is stated as `catgLength` bytes.
std::vector<uint8_t> FilterList(uint32_t catgLength)
{
    ListBuilder b;
    b.Property("kind", {'M', 'F', 'B', '8'});
    b.Property("name", {3, 'S', 'q', 'u'});
    b.Property("catg", {6, 'O', 'm', 'b', 'r', 'i', 'x', 0}, catgLength);
    b.Property("vers", {0, 0, 4, 0});
    b.Property("wx86", {'M', 'a', 'i', 'n', 0, 0, 0, 0});
    b.Property("mode", {0x10, 0, 0, 0});
    return b.List();
}

std::string Entry(const std::vector<uint8_t>& list, PiPLStepping stepping)
{
    try {
        return "entry " + SquelmHost::FilterEntryName(SquelmHost::ParsePiPL(list.data(), list.size(), stepping),
                                                      SquelmHost::kEntryX86);
    } catch (const std::runtime_error& e) {
        return e.what();
    }
}

TEST(PiPLStepping, PaddedLengthsReadTheSameEitherWay)
{
    const std::vector<uint8_t> list = FilterList(8);
    EXPECT_EQ(Entry(list, PiPLStepping::PaddedLength), "entry Main");
    EXPECT_EQ(Entry(list, PiPLStepping::StatedLength), "entry Main");
    const SquelmHost::PiPL strict = SquelmHost::ParsePiPL(list.data(), list.size(), PiPLStepping::StatedLength);
    ASSERT_EQ(strict.properties.size(), 6u);
    EXPECT_EQ(SquelmHost::PropertyPascalString(strict.properties[2]), "Ombrix");
    EXPECT_EQ(strict.properties[4].key, PS::FourCC('w', 'x', '8', '6'));
}

TEST(PiPLStepping, AnOddStatedLengthLosesAStrictReaderItsPlace)
{
    const std::vector<uint8_t> list = FilterList(7);
    EXPECT_EQ(Entry(list, PiPLStepping::PaddedLength), "entry Main");
    // The strict reader takes the pad byte as the start of the next
    // property: every key after it is garbage, so 'vers' is never found.
    EXPECT_EQ(Entry(list, PiPLStepping::StatedLength).rfind("PiPL: ", 0), 0u);
    EXPECT_NE(Entry(list, PiPLStepping::StatedLength), "entry Main");
    std::vector<uint32_t> keys;
    try {
        for (const auto& p : SquelmHost::ParsePiPL(list.data(), list.size(), PiPLStepping::StatedLength).properties)
            keys.push_back(p.key);
    } catch (const std::runtime_error&) {
        // Running past the end is one way of losing the place.
    }
    for (size_t i = 3; i < keys.size(); ++i)
        EXPECT_NE(keys[i], PS::FourCC('w', 'x', '8', '6')) << "property " << i;
}

} // namespace
