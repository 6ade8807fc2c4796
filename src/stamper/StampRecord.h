#pragma once
#include <string>

// The stamp record appended to the distributable: "Value1=", the referral
// partner identifier, one carriage return. An identifier without "IM" in it
// (case-sensitive, anywhere) gets "IM" put in front.
std::string BuildStampRecord(const std::string& identifier);

enum class StampOutcome {
    Stamped,
    NotOpened,   // the file could not be opened for this process alone
    NotWritten,  // it opened, but could not be extended, mapped or flushed; it keeps its length
};

// Appends the record for `identifier` to the file at `path`, creating the
// file when it does not exist. A relative path is taken from the current folder.
StampOutcome StampFile(const std::string& path, const std::string& identifier);
