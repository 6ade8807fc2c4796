#pragma once
#include <string>

struct PlumetState;

// What opening a path in the editor found.
enum class LoadOutcome {
    NothingRead,  // no path, a folder, or a file that cannot be read
    NoBody,       // a file without a separator line or with nothing after it
    Loaded,       // the body is in EditorText
};

inline constexpr const char* kNoDataMessage =
    "The file contained no data.  Please choose a file with data before you use this feature.";

// Opens a content file for the editor: sets the four header fields from its
// first lines, puts its body into EditorText with the sponsor placeholder
// replaced by the machine's sponsor token, and writes the file back with that
// body (only ever an existing file, replaced atomically). A relative path is
// taken below ProgramFolder. EditorText is empty unless the outcome is Loaded.
LoadOutcome LoadContentFile(PlumetState& state, const std::string& path);
