#pragma once

#include <QString>

// A name from a server's listing as the tree shows it: readable text whatever
// its encoding (ReadableName), on one line, each control character shown as "?".
QString ListedName(const char* name);
