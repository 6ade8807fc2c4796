#pragma once
#include <cstddef>
#include <string>

// Replacing a file's whole content without ever leaving a half-written file:
// the bytes go to a temporary file in the same folder, which is then renamed
// over the old one. An existing file keeps its permissions.
namespace SafeFile {

// Creates or replaces the file. False when nothing could be written; the old
// file, if any, is then unchanged, and `error` (when given) holds the errno
// that stopped it. A link is followed: the file it names is replaced. A new
// file gets 0666 less the umask.
bool Replace(const std::string& path, const std::string& bytes, int* error = nullptr);

// A new empty file in `folder` named `prefix` and six random characters,
// opened for reading and writing with 0666 less the umask; its descriptor, or
// -1 with errno set. Its path through `path`.
int CreateUnique(const std::string& folder, const std::string& prefix, std::string& path);

// Replaces an existing file only; never creates one.
bool ReplaceExisting(const std::string& path, const std::string& bytes);

// Reading takes regular files only, opened without blocking: a FIFO, a
// socket or a device (also behind a link) reads as nothing and never holds
// the caller.

// The whole file, or false when it cannot be read (missing, a folder, not a
// regular file, a read error).
bool ReadAll(const std::string& path, std::string& bytes);

// At most the first `limit` bytes of the file; false as for ReadAll.
bool ReadStart(const std::string& path, size_t limit, std::string& bytes);

}  // namespace SafeFile
