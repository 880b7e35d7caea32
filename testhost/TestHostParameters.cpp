// The parameters handle the host keeps for the filter between runs, and its
// file form for the command line (see ParametersFile.h).
#include <algorithm>
#include <cstring>
#include <iterator>
#include <optional>
#include <ostream>
#include <string>

#include "HuxLib/HUXUTIL/HuxFiles.h"
#include "testhost/HandleTable.h"
#include "testhost/ParametersFile.h"
#include "testhost/TestHost.h"

namespace SquelmHost {

void TestHost::StoreParametersFromRecord()
{
    parameters_ = record_.parameters;
}

std::vector<uint8_t> TestHost::ParameterBytes() const
{
    const int32_t size = handles_->Size(parameters_);
    if (!parameters_ || size <= 0)
        return {};
    const char* block = *parameters_;
    return std::vector<uint8_t>(block, block + size);
}

void TestHost::SetParameterBytes(const std::vector<uint8_t>& bytes)
{
    DiscardParameters();
    if (bytes.empty())
        return;
    parameters_ = handles_->New(int32_t(bytes.size()), 0);
    std::memcpy(*parameters_, bytes.data(), bytes.size());
    record_.parameters = parameters_;
}

void TestHost::DiscardParameters()
{
    handles_->Dispose(parameters_);
    parameters_ = nullptr;
    record_.parameters = nullptr;
}

void TestHost::SaveParameters(const std::string& path) const
{
    const std::string file = EncodeParametersFile(ParameterBytes());
    // Only a parameters file (or nothing) may be replaced: checked again
    // here, as the file may have changed since it was loaded.
    if (const std::optional<std::string> old = HuxReadFileIfPresent(path, kParametersFileLimit, "parameters file"))
        DecodeParametersFile(*old, path);
    HuxWriteFile(path, file, "parameters file");
}

bool TestHost::LoadParameters(const std::string& path)
{
    const std::optional<std::string> file = HuxReadFileIfPresent(path, kParametersFileLimit, "parameters file");
    if (!file)
        return false;
    SetParameterBytes(DecodeParametersFile(*file, path));
    return true;
}

bool TestHost::IsLiveHandle(PS::Handle h) const
{
    return handles_->Contains(h);
}

int TestHost::LockCount(PS::Handle h) const
{
    return handles_->LockCount(h);
}

size_t TestHost::LiveHandleCount() const
{
    return handles_->LiveCount();
}

void TestHost::TallyLock(PS::Handle h, bool lock)
{
    auto it = std::find_if(lockTallies_.begin(), lockTallies_.end(),
                           [&](const LockTally& t) { return t.call == calls_ && t.handle == h; });
    if (it == lockTallies_.end())
        it = lockTallies_.insert(lockTallies_.end(), LockTally{calls_, callSelector_, h, 0, 0});
    ++(lock ? it->locks : it->unlocks);
}

std::vector<LockTally> TestHost::UnbalancedLocks() const
{
    std::vector<LockTally> unbalanced;
    std::copy_if(lockTallies_.begin(), lockTallies_.end(), std::back_inserter(unbalanced),
                 [](const LockTally& t) { return !t.Balanced(); });
    return unbalanced;
}

size_t TestHost::MovedBlocks() const
{
    return handles_->MovedCount();
}

size_t TestHost::StaleBlockWrites() const
{
    return handles_->StaleWrites();
}

std::ostream& operator<<(std::ostream& out, const LockTally& tally)
{
    return out << "call " << tally.call << " (" << SelectorName(tally.selector) << ") handle " << tally.handle << ": "
               << tally.locks << " locks, " << tally.unlocks << " unlocks";
}

} // namespace SquelmHost
