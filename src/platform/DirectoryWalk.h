#pragma once
#include <string>

// A depth-first walk of one drive's folders. Each sub-folder is opened
// relative to its parent's descriptor without following links, so a walk
// never follows a symbolic link and never crosses into another mount point,
// so it never enters a folder twice. Folders whose name
// begins with a full stop are not entered. Only regular files are reported:
// links (to files or folders), pipes, sockets and devices are passed over.
// Entries come in the order the file system returns them; a folder that
// cannot be read contributes none.
class CDirectoryWalk {
public:
    enum class Next { Continue, EndFolder };

    class Visitor {
    public:
        virtual ~Visitor() = default;
        // A folder is entered; its path ends with "/".
        virtual void EnterFolder(const std::string& path) = 0;
        // Called before each entry is examined; false ends the whole walk.
        virtual bool BeforeEntry() = 0;
        // A regular file of `folder`. EndFolder skips the rest of `folder`,
        // its sub-folders included.
        virtual Next RegularFile(const std::string& folder, const char* name) = 0;
    };

    // Walks the folder `root` (ending with "/"). False when the visitor ended it.
    static bool Walk(const std::string& root, Visitor& visitor);
};
