#include "StampRecord.h"

#include "ExclusiveFile.h"

std::string BuildStampRecord(const std::string& identifier)
{
    const bool hasPrefix = identifier.find("IM") != std::string::npos;
    return "Value1=" + std::string(hasPrefix ? "" : "IM") + identifier + '\r';
}

StampOutcome StampFile(const std::string& path, const std::string& identifier)
{
    CExclusiveFile file(path);
    if (!file.IsOpen())
        return StampOutcome::NotOpened;
    return file.AppendThroughMapping(BuildStampRecord(identifier)) ? StampOutcome::Stamped
                                                                   : StampOutcome::NotWritten;
}
