#include "resources/ResourceFile.h"

#include <fstream>
#include <iterator>
#include <stdexcept>


namespace ResourceFile {

uint8_t Reader::U8()
{
    if (offset_ + 1 > data_.size()) {
        throw std::runtime_error("read past the end of the resource data");
    }
    return data_[offset_++];
}

uint16_t Reader::U16()
{
    const uint16_t low = U8();
    return static_cast<uint16_t>(low | U8() << 8);
}

uint32_t Reader::U32()
{
    const uint32_t low = U16();
    return low | static_cast<uint32_t>(U16()) << 16;
}

std::string Reader::Utf16()
{
    std::string text;
    for (uint16_t c = U16(); c != 0; c = U16()) {
        if (c > 0x7F) {
            throw std::runtime_error("a character outside ASCII");
        }
        text += static_cast<char>(c);
    }
    return text;
}

Key Reader::SzOrOrd()
{
    const size_t start = offset_;
    if (U16() == 0xFFFF) {
        return Key{U16(), {}};
    }
    offset_ = start;
    return Key{-1, Utf16()};
}

void Reader::Skip(size_t bytes)
{
    if (offset_ + bytes > data_.size()) {
        throw std::runtime_error("skip past the end of the resource data");
    }
    offset_ += bytes;
}

// Each entry: data size, header size, type, name (each a number or a
// string), data version, memory flags, language, version, characteristics;
// the header and the data are each padded to four bytes. The file starts
// with an empty entry.
std::vector<Resource> Read(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot open " + path);
    }
    const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<Resource> resources;
    Reader reader(file);
    while (!reader.AtEnd()) {
        const size_t start = reader.Offset();
        const uint32_t dataSize = reader.U32();
        const uint32_t headerSize = reader.U32();
        Resource resource;
        resource.type = reader.SzOrOrd();
        resource.name = reader.SzOrOrd();
        reader.AlignTo(4);
        reader.U32();   // data version
        reader.U16();   // memory flags
        resource.language = reader.U16();
        reader.Skip(start + headerSize - reader.Offset());
        Reader body(file, reader.Offset());
        for (uint32_t i = 0; i < dataSize; ++i) {
            resource.data.push_back(body.U8());
        }
        reader.Skip(dataSize);
        reader.AlignTo(4);
        if (dataSize != 0 || resource.type.number != 0) {
            resources.push_back(std::move(resource));
        }
    }
    return resources;
}

const Resource& Find(const std::vector<Resource>& resources, int type, int name)
{
    const Resource* found = nullptr;
    int count = 0;
    for (const Resource& resource : resources) {
        if (resource.type.number == type && resource.name.number == name) {
            found = &resource;
            ++count;
        }
    }
    if (count != 1) {
        throw std::runtime_error("resource type " + std::to_string(type) + " name " + std::to_string(name) +
                                 " found " + std::to_string(count) + " times");
    }
    return *found;
}

}
