#pragma once
#include <string>
#include <sys/types.h>

// A child process that holds a file open as `user`: a writer appends kLine
// every millisecond until it is released, a reader only keeps it open.
class FileHolder {
public:
    enum class Kind { AppendingWriter, Reader };
    static constexpr const char* kLine = "appended\n";

    FileHolder(const std::string& path, Kind kind, uid_t user);
    ~FileHolder();
    FileHolder(const FileHolder&) = delete;
    FileHolder& operator=(const FileHolder&) = delete;

    // The child has the file open.
    bool Held() const { return held_; }

    // Closes the file and ends the child; the lines it appended come back
    // (-1 when that is not known).
    int Release();

    // What a writer that appended `lines` lines wrote.
    static std::string Written(int lines);

private:
    int Hold(const std::string& path, Kind kind, uid_t user);

    int toParent_[2] = {-1, -1};
    int toChild_[2] = {-1, -1};
    pid_t child_ = -1;
    bool held_ = false;
};
