#include "HuxLib/HUXUTIL/HuxFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <stdexcept>

#include "HuxLib/HUXUTIL/HuxQuote.h"

namespace fs = std::filesystem;

namespace {

[[noreturn]] void Fail(std::string_view verb, std::string_view what, const std::string& path, const std::string& reason)
{
    throw std::runtime_error(std::string(verb) + " " + std::string(what) + " " + HuxQuote(path, 200) + ": " + reason);
}

std::string SystemReason(int error)
{
    return error != 0 ? std::strerror(error) : "unknown error";
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Writes and closes; the error number of the first failure, or 0.
int WriteAndClose(File file, std::string_view bytes)
{
    errno = 0;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
        return errno != 0 ? errno : EIO;
    if (std::fflush(file.get()) != 0)
        return errno != 0 ? errno : EIO;
    const int closed = std::fclose(file.release());
    return closed != 0 ? (errno != 0 ? errno : EIO) : 0;
}

std::string TemporaryNameBeside(const fs::path& target)
{
    std::random_device random;
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, ".tmp%08x", unsigned(random()));
    return target.string() + suffix;
}

} // namespace

std::optional<std::string> HuxReadFileIfPresent(const std::string& path, size_t maxBytes, std::string_view what)
{
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (status.type() == fs::file_type::not_found)
        return std::nullopt;
    if (status.type() == fs::file_type::directory)
        Fail("cannot read", what, path, "it is a directory");
    errno = 0;
    File file(std::fopen(path.c_str(), "rb"));
    if (!file)
        Fail("cannot read", what, path, SystemReason(errno));
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
        if (got > maxBytes - bytes.size())
            Fail("cannot read", what, path, "larger than the limit of " + std::to_string(maxBytes) + " bytes");
        bytes.append(buffer, got);
        if (got < sizeof buffer)
            break;
    }
    if (std::ferror(file.get()))
        Fail("cannot read", what, path, SystemReason(errno));
    return bytes;
}

std::string HuxReadFile(const std::string& path, size_t maxBytes, std::string_view what)
{
    std::optional<std::string> bytes = HuxReadFileIfPresent(path, maxBytes, what);
    if (!bytes)
        Fail("cannot read", what, path, "no such file");
    return std::move(*bytes);
}

void HuxWriteFile(const std::string& path, std::string_view bytes, std::string_view what)
{
    std::error_code ec;
    fs::path target = path;
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        target = fs::canonical(target, ec); // replace the file the link names, keep the link
        if (ec)
            Fail("cannot write", what, path, ec.message());
    }
    const fs::file_status status = fs::status(target, ec);
    if (status.type() == fs::file_type::directory)
        Fail("cannot write", what, path, "it is a directory");
    // Renaming would replace a file nobody may write (and fails on
    // Windows with a misleading reason): its mode is the answer.
    constexpr fs::perms kWritable = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if (status.type() == fs::file_type::regular && (status.permissions() & kWritable) == fs::perms::none)
        Fail("cannot write", what, path, "the file is read-only");
    if (status.type() != fs::file_type::not_found && status.type() != fs::file_type::regular) {
        errno = 0;
        File device(std::fopen(target.string().c_str(), "wb"));
        if (!device)
            Fail("cannot write", what, path, SystemReason(errno));
        if (const int error = WriteAndClose(std::move(device), bytes))
            Fail("cannot write", what, path, SystemReason(error));
        return;
    }

    const std::string temporary = TemporaryNameBeside(target);
    errno = 0;
    File file(std::fopen(temporary.c_str(), "wb"));
    if (!file)
        Fail("cannot write", what, path, SystemReason(errno));
    std::string reason;
    if (const int error = WriteAndClose(std::move(file), bytes)) {
        reason = SystemReason(error);
    } else {
        if (status.type() == fs::file_type::regular)
            fs::permissions(temporary, status.permissions(), ec); // the new file keeps the old one's mode
        fs::rename(temporary, target, ec);
        if (ec)
            reason = ec.message();
    }
    if (!reason.empty()) {
        fs::remove(temporary, ec);
        Fail("cannot write", what, path, reason);
    }
}
