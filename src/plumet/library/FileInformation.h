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
    MissingFields,  // a required field is empty: nothing written, the dialog stays
    Done,           // the dialog closes, whether or not the file could be written
};

// The folder a new file goes to.
std::string TargetFolder(const PlumetState& state);

// Reads the input into the program-wide strings and, when the required
// fields are there, writes the content file with EditorText as its body.
Outcome Save(PlumetState& state, const Input& input);

inline constexpr const char* kMandatoryMessage =
    "Fields indicated by the '*' sign are mandatory.  Please fill them out before continuing.";

}  // namespace FileInformation
