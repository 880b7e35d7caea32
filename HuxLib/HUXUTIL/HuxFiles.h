// Whole-file reading and writing for the command-line tools: bounded reads,
// and writes that either replace the file completely or leave it as it was.
// Failures throw std::runtime_error naming the file and the reason.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The file's bytes. `what` names the file's role in messages ("script",
// "parameters file"). A missing file, a directory, a read error and a file
// of more than `maxBytes` bytes (a device that never ends included) throw.
std::string HuxReadFile(const std::string& path, size_t maxBytes, std::string_view what);

// As HuxReadFile, but a file that does not exist gives nothing.
std::optional<std::string> HuxReadFileIfPresent(const std::string& path, size_t maxBytes, std::string_view what);

// Writes `bytes` to a new file beside the target and renames it into
// place, so a failed write (a full disk, an I/O error) leaves the old file
// untouched and no temporary file behind. An existing read-only file is
// refused and left as it is. A target that exists and is not
// a regular file (a device, a pipe) is written directly; every write and
// the close are checked there too.
void HuxWriteFile(const std::string& path, std::string_view bytes, std::string_view what);
