// The help file: its sources cover every pop-up topic of both dialogs'
// help-ID maps, their links resolve, and the compiled Squelm.chm holds the
// topics and the pop-up text files where the dialogs look for them.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <span>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ui/PSPlimDialogModel.h"

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot open " + path.string());
    }
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A pop-up text file: ".topic <id>" lines, each followed by its text.
std::map<uint32_t, std::string> ReadPopupTopics(const fs::path& path)
{
    std::map<uint32_t, std::string> topics;
    std::istringstream lines(ReadFile(path));
    std::string line;
    std::string* current = nullptr;
    while (std::getline(lines, line)) {
        if (line.rfind(".topic ", 0) == 0) {
            const uint32_t id = static_cast<uint32_t>(std::stoul(line.substr(7)));
            EXPECT_EQ(topics.count(id), 0u) << "topic " << id << " twice in " << path;
            current = &topics[id];
        } else if (current && line.find_first_not_of(" \t\r") != std::string::npos) {
            *current += line + "\n";
        }
    }
    return topics;
}

std::set<uint32_t> TopicIds(std::span<const PSPlimHelpPair> map)
{
    std::set<uint32_t> ids;
    for (const PSPlimHelpPair& pair : map.first(map.size() - 1)) {
        ids.insert(pair.topic);
    }
    return ids;
}

void ExpectTopicsFor(std::span<const PSPlimHelpPair> map, const std::string& popupFile)
{
    ASSERT_EQ(popupFile.rfind("::/", 0), 0u);
    const fs::path path = fs::path(SQUELM_HELP_SOURCES) / popupFile.substr(3);
    const auto topics = ReadPopupTopics(path);
    std::set<uint32_t> written;
    for (const auto& [id, text] : topics) {
        written.insert(id);
        EXPECT_GE(text.size(), 20u) << "topic " << id << " of " << path << " says next to nothing";
    }
    EXPECT_EQ(written, TopicIds(map)) << path;
}

TEST(HelpSources, EveryTopicOfTheEditorMapHasAPopupText)
{
    ExpectTopicsFor(kPSPlimDialogHelpIds, kPSPlimDialogPopupFile);
}

TEST(HelpSources, EveryTopicOfTheOptionsMapHasAPopupText)
{
    ExpectTopicsFor(kPSPlimOptionsHelpIds, kPSPlimOptionsPopupFile);
}

TEST(HelpSources, EveryLinkPictureAndContentsEntryOfTheManualExists)
{
    // Pages link with href and src; the table of contents names its pages
    // with a "Local" parameter.
    const std::regex reference(R"re((?:href|src|name="Local" value)="([^"#:]+)(#[^"]*)?")re");
    int checked = 0;
    for (const auto& entry : fs::recursive_directory_iterator(SQUELM_HELP_SOURCES)) {
        if (entry.path().extension() != ".htm" && entry.path().extension() != ".hhc") {
            continue;
        }
        const std::string page = ReadFile(entry.path());
        for (std::sregex_iterator it(page.begin(), page.end(), reference), end; it != end; ++it) {
            const fs::path target = entry.path().parent_path() / (*it)[1].str();
            EXPECT_TRUE(fs::exists(target)) << entry.path() << " refers to a missing " << (*it)[1].str();
            ++checked;
        }
    }
    EXPECT_GT(checked, 10);
}

// The names in a compiled help file's directory. The file starts with an
// "ITSF" header whose section table gives the directory's offset; the
// directory ("ITSP") is a run of fixed-size chunks, and each listing chunk
// ("PMGL") holds entries of a name and three numbers, all lengths and
// numbers as big-endian 7-bit groups.
std::set<std::string> ChmNames(const std::string& file)
{
    auto u32 = [&](size_t at) {
        if (at + 4 > file.size()) {
            throw std::runtime_error("truncated help file");
        }
        return static_cast<uint32_t>(static_cast<uint8_t>(file[at]) | static_cast<uint8_t>(file[at + 1]) << 8 |
                                     static_cast<uint8_t>(file[at + 2]) << 16 |
                                     static_cast<uint32_t>(static_cast<uint8_t>(file[at + 3])) << 24);
    };
    if (file.compare(0, 4, "ITSF") != 0) {
        throw std::runtime_error("not a compiled help file");
    }
    const size_t directory = u32(0x48);
    if (file.compare(directory, 4, "ITSP") != 0) {
        throw std::runtime_error("no directory where the header says");
    }
    const size_t chunkSize = u32(directory + 0x10);
    const size_t chunkCount = u32(directory + 0x2C);
    const size_t chunks = directory + u32(directory + 0x08);
    std::set<std::string> names;
    for (size_t c = 0; c < chunkCount; ++c) {
        const size_t chunk = chunks + c * chunkSize;
        if (file.compare(chunk, 4, "PMGL") != 0) {
            continue;
        }
        const size_t end = chunk + chunkSize - u32(chunk + 4);
        size_t at = chunk + 0x14;
        auto encint = [&] {
            uint64_t value = 0;
            uint8_t byte = 0;
            do {
                if (at >= end) {
                    throw std::runtime_error("directory entry runs past its chunk");
                }
                byte = static_cast<uint8_t>(file[at++]);
                value = value << 7 | (byte & 0x7F);
            } while (byte & 0x80);
            return value;
        };
        while (at < end) {
            const size_t length = encint();
            names.insert(file.substr(at, length));
            at += length;
            encint(), encint(), encint();
        }
    }
    return names;
}

TEST(CompiledHelp, HoldsTheTopicsAndPopupFilesTheDialogsOpen)
{
    const std::set<std::string> names = ChmNames(ReadFile(SQUELM_HELP_FILE));
    for (const char* topic : {kPSPlimDialogWelcomeTopic, kPSPlimDialogPopupFile, kPSPlimOptionsWelcomeTopic,
                              kPSPlimOptionsPopupFile}) {
        const std::string path = std::string(topic).substr(2);   // "::/Squelm/..." is "/Squelm/..." inside
        EXPECT_EQ(names.count(path), 1u) << path;
    }
}

TEST(CompiledHelp, HoldsEveryPageAndPictureOfTheSources)
{
    const std::set<std::string> names = ChmNames(ReadFile(SQUELM_HELP_FILE));
    int sources = 0;
    for (const auto& entry : fs::recursive_directory_iterator(SQUELM_HELP_SOURCES)) {
        const std::string extension = entry.path().extension().string();
        if ((extension != ".htm" && extension != ".png" && extension != ".css") ||
            entry.path().parent_path() == fs::path(SQUELM_HELP_SOURCES) / "Text") {
            continue;
        }
        // (Appending, not "/" + ..., which GCC 12 at -O2 wrongly flags as overlapping.)
        const std::string inside = std::string("/").append(fs::relative(entry.path(), SQUELM_HELP_SOURCES).generic_string());
        EXPECT_EQ(names.count(inside), 1u) << inside << " is not in the compiled help file";
        ++sources;
    }
    EXPECT_GT(sources, 4);
}

}
