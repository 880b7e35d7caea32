// Reads a compiled resource file (.res, as the resource compiler writes it
// before linking) and the structures inside the resources the editor loads.
#ifndef SQUELM_TESTS_RESOURCES_RESOURCEFILE_H
#define SQUELM_TESTS_RESOURCES_RESOURCEFILE_H

#include <cstdint>
#include <string>
#include <vector>

namespace ResourceFile {

// A resource type or name: a number, or a string when number is -1.
struct Key {
    int number = -1;
    std::string text;
};

struct Resource {
    Key type;
    Key name;
    uint16_t language = 0;
    std::vector<uint8_t> data;
};

std::vector<Resource> Read(const std::string& path);

// The one resource of a numeric type and name; fails the test when there is
// not exactly one.
const Resource& Find(const std::vector<Resource>& resources, int type, int name);

// Little-endian reads from resource data, checked against its size.
class Reader {
public:
    explicit Reader(const std::vector<uint8_t>& data, size_t offset = 0) : data_(data), offset_(offset) {}
    uint8_t U8();
    uint16_t U16();
    uint32_t U32();
    int16_t S16() { return static_cast<int16_t>(U16()); }
    int32_t S32() { return static_cast<int32_t>(U32()); }
    // A zero-terminated UTF-16 string of ASCII characters.
    std::string Utf16();
    // A resource key as dialog templates store them: 0xFFFF then a number, or a string.
    Key SzOrOrd();
    void AlignTo(size_t boundary) { offset_ = (offset_ + boundary - 1) / boundary * boundary; }
    void Skip(size_t bytes);
    size_t Offset() const { return offset_; }
    bool AtEnd() const { return offset_ >= data_.size(); }

private:
    const std::vector<uint8_t>& data_;
    size_t offset_;
};

}

#endif
