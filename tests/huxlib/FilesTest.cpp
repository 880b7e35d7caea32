// Whole-file reads with a limit, and writes that replace a file completely
// or not at all.
#include "HuxLib/HUXUTIL/HuxFiles.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <fstream>
#include <stdexcept>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

class FilesTest : public ::testing::Test {
protected:
    FilesTest() : dir_(fs::path(::testing::TempDir()) / "squelm-huxfiles")
    {
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    ~FilesTest() override { fs::remove_all(dir_); }

    std::string Path(const char* name) const { return (dir_ / name).string(); }

    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path dir_;
};

std::string MessageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "";
}

TEST_F(FilesTest, ReadingHonoursTheLimitExactly)
{
    HuxWriteFile(Path("f"), "12345", "test file");
    EXPECT_EQ(HuxReadFile(Path("f"), 5, "test file"), "12345");
    EXPECT_THAT(MessageOf([&] { HuxReadFile(Path("f"), 4, "test file"); }),
                HasSubstr("cannot read test file '" + Path("f") + "': larger than the limit of 4 bytes"));
    EXPECT_THAT(MessageOf([&] { HuxReadFile("/dev/zero", 100000, "script"); }),
                HasSubstr("larger than the limit of 100000 bytes"));
    HuxWriteFile(Path("empty"), "", "test file");
    EXPECT_EQ(HuxReadFile(Path("empty"), 0, "test file"), "");
}

TEST_F(FilesTest, MissingFilesAndDirectoriesAreNamed)
{
    EXPECT_FALSE(HuxReadFileIfPresent(Path("none"), 10, "x").has_value());
    EXPECT_THAT(MessageOf([&] { HuxReadFile(Path("none"), 10, "script"); }), HasSubstr(": no such file"));
    EXPECT_THAT(MessageOf([&] { HuxReadFileIfPresent(dir_.string(), 10, "script"); }),
                HasSubstr(": it is a directory"));
    EXPECT_THAT(MessageOf([&] { HuxWriteFile(dir_.string(), "x", "PNG"); }),
                HasSubstr("cannot write PNG '" + dir_.string() + "': it is a directory"));
}

TEST_F(FilesTest, WritingReplacesTheFileAndKeepsItsModeAndLinks)
{
    HuxWriteFile(Path("f"), "first, longer", "test file");
    fs::permissions(Path("f"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("f", Path("link"));
    HuxWriteFile(Path("link"), "second", "test file");
    EXPECT_EQ(HuxReadFile(Path("f"), 100, "test file"), "second");
    EXPECT_TRUE(fs::is_symlink(Path("link")));
    EXPECT_EQ(fs::status(Path("f")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(Names(), (std::vector<std::string>{"f", "link"}));
}

TEST_F(FilesTest, AFailedWriteLeavesNothingBehind)
{
    HuxWriteFile(Path("f"), "old", "test file");
    EXPECT_THAT(MessageOf([&] { HuxWriteFile(Path("no-dir/f"), "new", "PNG"); }),
                HasSubstr("cannot write PNG '" + Path("no-dir/f") + "': "));
    EXPECT_THAT(MessageOf([] { HuxWriteFile("/dev/full", "new", "PNG"); }),
                HasSubstr("cannot write PNG '/dev/full': "));
    EXPECT_EQ(Names(), (std::vector<std::string>{"f"}));
    EXPECT_EQ(HuxReadFile(Path("f"), 100, "test file"), "old");
}

TEST_F(FilesTest, AReadOnlyFileIsRefusedForThatReasonAndKept)
{
    HuxWriteFile(Path("f"), "old", "test file");
    fs::permissions(Path("f"), fs::perms::owner_read | fs::perms::group_read);
    EXPECT_THAT(MessageOf([&] { HuxWriteFile(Path("f"), "new", "PNG"); }),
                HasSubstr("cannot write PNG '" + Path("f") + "': the file is read-only"));
    EXPECT_EQ(Names(), (std::vector<std::string>{"f"}));
    EXPECT_EQ(HuxReadFile(Path("f"), 100, "test file"), "old");
}

} // namespace
