#pragma once
#include "ContentFile.h"

#include <string>

struct PlumetState;

// What the file information dialog does, apart from its controls.
namespace FileInformation {

// What the boxes show when the dialog opens: the current header fields when
// all three required ones are set, else what the current file holds, else
// nothing. The date boxes always start empty.
ContentFile::Header Prefill(const PlumetState& state);

struct Input {
    std::string articleName;
    std::string authorName;
    std::string month;
    std::string day;
    std::string year;
    std::string topic;
};

enum class Outcome {
    MissingFields,   // a required field is empty: nothing written, the dialog stays
    AsksToReplace,   // another file of that name is there: nothing written until the user agrees
    NotSaved,        // the name is refused or the write failed: nothing written, the dialog stays
    Saved,
};

// What a save may replace without asking: the file whose text is being
// saved (empty for a new file), or any file once the user has agreed.
struct Replacing {
    std::string ownFile;
    bool agreed = false;
};

// The folder a new file goes to.
std::string TargetFolder(const PlumetState& state);

// Reads the input into the program-wide strings and, when the required
// fields are there, writes the content file with EditorText as its body.
// Only a saved file becomes CurrentFilePath. For NotSaved, `error` holds
// EINVAL for a refused name, else the errno of the failed write.
Outcome Save(PlumetState& state, const Input& input, const Replacing& replacing = {}, int* error = nullptr);

// The one-sentence reason shown when a save wrote nothing.
std::string NotSavedMessage(int error);

// The question asked before a save replaces another article's file.
std::string ReplaceQuestion(const std::string& articleName);

inline constexpr const char* kMandatoryMessage =
    "Fields indicated by the '*' sign are mandatory.  Please fill them out before continuing.";

}  // namespace FileInformation
