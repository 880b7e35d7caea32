// Runs the real squelm-host program in a scratch directory of its own and
// keeps what it left: exit status, standard output and error, files.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace SquelmCliTest {

struct ProgramRun {
    int status = -1; // exit status, or -1 if the program did not exit normally
    std::string out;
    std::string err;
};

class Scratch {
public:
    // An empty directory named after the running test.
    Scratch();
    ~Scratch();
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    const std::filesystem::path& Dir() const { return dir_; }

    // squelm-host with these arguments, run in the directory. `shellPrefix`
    // runs first in the same shell (a ulimit, say).
    ProgramRun Run(const std::vector<std::string>& args, const std::string& shellPrefix = "") const;

    // The names in the directory, sorted, without the run's own output files.
    std::vector<std::string> Files() const;

private:
    std::filesystem::path dir_;
};

// A 40 by 30 PNG in which no two pixels agree, so a flip or an offset shows.
void WriteMarkedPng(const std::string& path);

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

} // namespace SquelmCliTest
