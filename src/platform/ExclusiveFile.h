#pragma once
#include <csignal>
#include <string>
#include <sys/types.h>
#include <unistd.h>

// A file opened for reading and writing, created when missing, that no other
// process has open and none may open meanwhile. Made for one operation; the
// file is closed with the object.
//
// The open holds a write lease, which the system grants only while no other
// descriptor of the file is open anywhere; another process that opens the file
// meanwhile waits until this object is gone. Where the system gives no lease
// (a file of another owner, a file system without leases) the open is refused
// when any process this user can see holds the file open. An exclusive flock
// is held as well.
class CExclusiveFile {
public:
    enum class FinalLink { Follow, Refuse };

    explicit CExclusiveFile(const std::string& path, FinalLink finalLink = FinalLink::Follow);
    ~CExclusiveFile();
    CExclusiveFile(const CExclusiveFile&) = delete;
    CExclusiveFile& operator=(const CExclusiveFile&) = delete;

    // False when the file could not be opened for this process alone: an
    // empty path, a missing folder, a folder, no write access, a running
    // program, a link when links are refused, another process holding the
    // file open, or a lock held elsewhere.
    bool IsOpen() const { return fd_ >= 0; }

    // The write call the append uses; tests put failures in its place.
    using WriteCall = ssize_t (*)(int fd, const void* bytes, size_t count, off_t offset);

    // Writes the bytes at the file's true end with one write call, so an
    // interrupted append leaves the old bytes or all of the new ones, never
    // a gap. When the write fails or falls short, the file is cut back to
    // its old length with its old modification time and false comes back; a
    // file that the open created is removed again.
    bool AppendInOneWrite(const std::string& bytes, WriteCall write = ::pwrite);

private:
    bool TakeSoleUse(int fd);
    void ReleaseLease(int fd);
    void PutBack(const struct stat& before);

    std::string path_;
    int fd_ = -1;
    bool created_ = false;  // the open made the file
    bool leased_ = false;
    struct sigaction signalBeforeLease_ {};
};
