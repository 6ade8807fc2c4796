#pragma once
#include "ExclusiveFile.h"

#include <string>

// The stamp record appended to the distributable: "Value1=", the referral
// partner identifier, one carriage return. An identifier without "IM" in it
// (case-sensitive, anywhere) gets "IM" put in front.
std::string BuildStampRecord(const std::string& identifier);

enum class StampOutcome {
    Stamped,
    NotOpened,   // the file could not be opened for this process alone
    NotWritten,  // it opened, but the record could not be written whole; it keeps its length
};

// Appends the record for `identifier` to the file at `path`, creating the
// file when it does not exist. A relative path is taken from the current
// folder. A path the finder found is stamped with links refused, so a link
// put in its place meanwhile leads nowhere.
StampOutcome StampFile(const std::string& path, const std::string& identifier,
                       CExclusiveFile::FinalLink finalLink = CExclusiveFile::FinalLink::Follow);
