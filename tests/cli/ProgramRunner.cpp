#include "cli/ProgramRunner.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include "testhost/PngIO.h"

namespace SquelmCliTest {

namespace {

namespace fs = std::filesystem;

const char* const kStdout = ".run-stdout";
const char* const kStderr = ".run-stderr";

// Appends `text` as one shell word. (Built with += throughout: GCC 12's
// -Wrestrict misfires on "literal" + temporary at -O3.)
void AppendShellWord(std::string& command, const std::string& text)
{
    command += " '";
    for (const char c : text) {
        if (c == '\'')
            command += "'\\''";
        else
            command += c;
    }
    command += '\'';
}

} // namespace

Scratch::Scratch()
{
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::path(::testing::TempDir()) / (std::string("squelm-cli-") + info->test_suite_name() + "-" + info->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
}

Scratch::~Scratch()
{
    std::error_code ec;
    fs::remove_all(dir_, ec);
}

ProgramRun Scratch::Run(const std::vector<std::string>& args, const std::string& shellPrefix) const
{
    std::string command = "cd";
    AppendShellWord(command, dir_.string());
    command += " && ";
    command += shellPrefix;
    command += " exec";
    AppendShellWord(command, SQUELM_HOST_PROGRAM);
    for (const std::string& arg : args)
        AppendShellWord(command, arg);
    command += " >";
    command += kStdout;
    command += " 2>";
    command += kStderr;
    const int status = std::system(command.c_str());
    ProgramRun run;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = ReadBytes(Path(kStdout));
    run.err = ReadBytes(Path(kStderr));
    return run;
}

std::vector<std::string> Scratch::Files() const
{
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir_)) {
        const std::string name = entry.path().filename().string();
        if (name != kStdout && name != kStderr)
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

void WriteMarkedPng(const std::string& path)
{
    SquelmHost::RgbImage image(40, 30);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            image.Set(x, y, uint8_t(x * 6), uint8_t(y * 8), uint8_t(3 * x + 5 * y + 1));
    image.Set(0, 0, 255, 255, 255);
    SquelmHost::SavePng(path, image);
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out.flush())
        throw std::runtime_error("test set-up cannot write " + path);
}

} // namespace SquelmCliTest
