#include "StampRecord.h"

std::string BuildStampRecord(const std::string& identifier)
{
    const bool hasPrefix = identifier.find("IM") != std::string::npos;
    return "Value1=" + std::string(hasPrefix ? "" : "IM") + identifier + '\r';
}

StampOutcome StampFile(const std::string& path, const std::string& identifier, CExclusiveFile::FinalLink finalLink)
{
    CExclusiveFile file(path, finalLink);
    if (!file.IsOpen())
        return StampOutcome::NotOpened;
    return file.AppendInOneWrite(BuildStampRecord(identifier)) ? StampOutcome::Stamped : StampOutcome::NotWritten;
}
