// The terminology resource and the PIPL's hstm property as compiled: both
// name the event the filter records, and the terminology's parameters are
// the descriptor's keys in order, with their types and names.
#include <gtest/gtest.h>

#include <string>

#include "effect/PSPlimDescriptorKeys.h"
#include "resources/ResourceFile.h"

namespace {

constexpr int kTerminologyId = 16000;

ResourceFile::Resource Named(const char* path, const char* type)
{
    for (ResourceFile::Resource& resource : ResourceFile::Read(path))
        if (resource.type.text == type && resource.name.number == kTerminologyId)
            return resource;
    ADD_FAILURE() << "no " << type << " " << kTerminologyId << " in " << path;
    return {};
}

std::string PascalString(ResourceFile::Reader& r)
{
    std::string text(r.U8(), '\0');
    for (char& c : text)
        c = char(r.U8());
    return text;
}

// `count` strings and the padding to an even offset after them; the first.
std::string Strings(ResourceFile::Reader& r, int count)
{
    const std::string first = PascalString(r);
    for (int k = 1; k < count; ++k)
        PascalString(r);
    r.AlignTo(2);
    return first;
}

TEST(Terminology, NamesTheRecordedEventAndEveryDescriptorKey)
{
    const ResourceFile::Resource aete = Named(SQUELM_TERMINOLOGY_RES, "AETE");
    EXPECT_EQ(aete.language, 0x0409);
    ResourceFile::Reader r(aete.data);
    EXPECT_EQ(r.U16(), 1) << "format";
    EXPECT_EQ(r.U16(), 1) << "version 1.0";
    r.Skip(4); // language and script
    ASSERT_EQ(r.U16(), 1) << "suites";
    EXPECT_EQ(Strings(r, 2), "Ombrix");
    r.Skip(8); // suite id, level, version
    ASSERT_EQ(r.U16(), 1) << "events";
    EXPECT_EQ(Strings(r, 2), "Squelm");
    EXPECT_EQ(r.U32(), kPSPlimScriptingClass);
    EXPECT_EQ(r.U32(), kPSPlimScriptingEvent);
    for (const char* what : {"reply", "direct parameter"}) {
        EXPECT_EQ(r.U32(), PS::FourCC('n', 'u', 'l', 'l')) << what;
        Strings(r, 1);
        r.Skip(2);
    }
    ASSERT_EQ(r.U16(), kPSPlimDescriptorKeys.size());
    for (const PSPlimDescriptorKey& key : kPSPlimDescriptorKeys) {
        EXPECT_EQ(Strings(r, 1), key.name);
        EXPECT_EQ(r.U32(), key.key) << key.name;
        EXPECT_EQ(r.U32(), key.type) << key.name;
        EXPECT_FALSE(Strings(r, 1).empty()) << key.name << ": a description";
        EXPECT_EQ(r.U16(), key.key == kPSPlimKeyMesh ? 0 : 0x8000) << key.name << ": only the mesh is required";
    }
    for (const char* what : {"classes", "comparison operators", "enumerations"})
        EXPECT_EQ(r.U16(), 0) << what;
    EXPECT_TRUE(r.AtEnd());
}

TEST(Terminology, ThePropertyListNamesItAndTheEvent)
{
    const ResourceFile::Resource pipl = Named(SQUELM_PIPL_RES, "PIPL");
    ResourceFile::Reader r(pipl.data);
    r.Skip(6);
    const uint32_t count = r.U32();
    for (uint32_t k = 0; k < count; ++k) {
        r.Skip(4); // vendor
        const uint32_t key = r.U32();
        r.Skip(4); // id
        const uint32_t length = r.U32();
        const size_t end = r.Offset() + length;
        if (key == PS::FourCC('h', 's', 't', 'm')) {
            EXPECT_EQ(length % 4, 0u);
            EXPECT_EQ(r.U32(), 0u) << "version";
            EXPECT_EQ(r.U32(), kPSPlimScriptingClass);
            EXPECT_EQ(r.U32(), kPSPlimScriptingEvent);
            EXPECT_EQ(r.U16(), kTerminologyId);
            std::string name;
            for (char c; r.Offset() < end && (c = char(r.U8())) != 0;)
                name += c;
            EXPECT_EQ(name.size(), 36u) << "a unique scripting name: " << name;
            return;
        }
        r.Skip(end - r.Offset());
    }
    ADD_FAILURE() << "no hstm property";
}

} // namespace
