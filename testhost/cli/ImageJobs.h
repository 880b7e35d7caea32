// Which output each input image goes to. One input goes to the output named,
// or, when that is an existing folder, into it under the input's file name;
// several inputs always go into the output folder (made if missing).
#pragma once

#include <string>
#include <vector>

namespace SquelmHostCli {

struct ImageJob {
    std::string input;
    std::string output;
};

// Throws std::runtime_error before anything is run when the outputs cannot
// all be written: the output is a file though several inputs are given, the
// folder cannot be made, two inputs share a file name, or an output would
// overwrite its own input.
std::vector<ImageJob> PlanImageJobs(const std::vector<std::string>& inputs, const std::string& output);

} // namespace SquelmHostCli
