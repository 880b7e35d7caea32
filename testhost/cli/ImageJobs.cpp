#include "testhost/cli/ImageJobs.h"

#include <filesystem>
#include <set>
#include <stdexcept>

#include "HuxLib/HUXUTIL/HuxQuote.h"

namespace SquelmHostCli {

namespace {

namespace fs = std::filesystem;

std::string Quoted(const fs::path& path) { return HuxQuote(path.string(), 200); }

} // namespace

std::vector<ImageJob> PlanImageJobs(const std::vector<std::string>& inputs, const std::string& output)
{
    std::error_code ec;
    const fs::path folder = output;
    if (inputs.size() == 1 && !fs::is_directory(folder, ec))
        return {{inputs.front(), output}};
    if (fs::exists(folder, ec) && !fs::is_directory(folder, ec))
        throw std::runtime_error("several images go to an output folder, and " + Quoted(folder) + " is a file");
    std::vector<ImageJob> jobs;
    std::set<fs::path> names;
    for (const std::string& input : inputs) {
        const fs::path name = fs::path(input).filename();
        if (!names.insert(name).second)
            throw std::runtime_error("two images are named " + Quoted(name) + ": their outputs in " + Quoted(folder) +
                                     " would be one file");
        const fs::path target = folder / name;
        if (fs::equivalent(input, target, ec))
            throw std::runtime_error("the output " + Quoted(target) + " would overwrite its input");
        jobs.push_back({input, target.string()});
    }
    fs::create_directories(folder, ec);
    if (ec)
        throw std::runtime_error("cannot make the output folder " + Quoted(folder) + ": " + ec.message());
    return jobs;
}

} // namespace SquelmHostCli
