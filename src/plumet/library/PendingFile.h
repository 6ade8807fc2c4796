#pragma once
#include <cstdint>
#include <string>

// A download's file in a folder that gets its name only once it is complete,
// so a download cut short by a kill, a crash or a power loss leaves nothing a
// folder listing would show. Where the file system cannot make unnamed files
// (O_TMPFILE), a hidden name starting with kHiddenPrefix stands in until
// then; RemoveLeftovers clears those at the next start.
class CPendingFile {
public:
    static constexpr const char* kHiddenPrefix = ".premium-";

    // `unnamed` false goes straight to the hidden name (file systems without
    // O_TMPFILE, and tests of that path).
    explicit CPendingFile(const std::string& folder, bool unnamed = true);
    CPendingFile(const CPendingFile&) = delete;
    CPendingFile& operator=(const CPendingFile&) = delete;
    // Whatever was not published goes.
    ~CPendingFile();

    bool IsOpen() const { return fd_ >= 0; }
    // A path that opens this same file for writing (truncating it).
    const std::string& WritePath() const { return writePath_; }
    // The bytes stored so far, -1 when unknown.
    int64_t Size() const;
    // The whole content, up to `limit` bytes; false when it is longer or unreadable.
    bool ReadAll(size_t limit, std::string& bytes) const;
    // Gives the file the name `path` unless something is there already;
    // true when it got it.
    bool Publish(const std::string& path);

private:
    int fd_ = -1;
    std::string writePath_;
    std::string hiddenPath_;  // empty for an unnamed file
};

// Removes the hidden files that interrupted downloads left in `folder`.
void RemoveLeftovers(const std::string& folder);
