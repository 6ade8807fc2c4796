#pragma once
#include <string>
#include <sys/types.h>

// A file opened for reading and writing, created when missing, that no other
// process may open meanwhile (an exclusive, non-blocking flock held for the
// object's life). Made for one operation; the file is closed with the object.
class CExclusiveFile {
public:
    explicit CExclusiveFile(const std::string& path);
    ~CExclusiveFile();
    CExclusiveFile(const CExclusiveFile&) = delete;
    CExclusiveFile& operator=(const CExclusiveFile&) = delete;

    // False when the file could not be opened or locked: an empty path, a
    // missing folder, a folder, no write access, a running program, or a lock
    // held by another process.
    bool IsOpen() const { return fd_ >= 0; }

    // Appends the bytes at the file's true end through a shared mapping; the
    // existing bytes are neither read nor copied. When the file cannot be
    // extended, mapped or flushed it is cut back to its old length and false
    // comes back; a file that the open created is removed again.
    bool AppendThroughMapping(const std::string& bytes);

private:
    void CutBack(off_t oldEnd);

    std::string path_;
    int fd_ = -1;
    bool created_ = false;  // the open made the file
};
