#include "FtpParsing.h"

#include "GetToken.h"
#include "LeadingNumber.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <strings.h>

namespace {
// Tokens of one field never need more; longer ones count as missing.
constexpr int kTokenCapacity = 60;
constexpr int kTimeOrYearCapacity = 32;
constexpr size_t kNameLimit = sizeof FtpDirEntry::name - 1;

const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

bool IsDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Token `index` of `text` as a number, or `fallback` when it is missing.
int32_t NumberToken(const char* text, const char* delimiters, int index, int32_t fallback)
{
    char token[kTokenCapacity];
    return GetToken(text, delimiters, index, token, sizeof token) == 0 ? LeadingNumber(token) : fallback;
}

// The two characters at `at` of `text` (fewer when it ends sooner) as a number.
int32_t TwoDigitsAt(const char* text, size_t at)
{
    if (std::strlen(text) <= at)
        return 0;
    const char pair[3] = {text[at], text[at + 1], '\0'};
    return LeadingNumber(pair);
}

// The name is everything from token `index` on, spaces included, so that a
// folder "My Site" is listed and entered as "My Site".
void CopyNameFrom(const char* line, int index, char* name)
{
    const char* cursor = line;
    for (int current = 0;; ++current) {
        cursor += std::strspn(cursor, " ");
        if (*cursor == '\0')
            return;
        if (current == index)
            break;
        cursor += std::strcspn(cursor, " ");
    }
    std::snprintf(name, kNameLimit + 1, "%.*s", static_cast<int>(kNameLimit), cursor);
}
}

int ReplyCode(const char* line)
{
    if (line == nullptr)
        return 0;
    int code = 0;
    for (int i = 0; i < 3 && IsDigit(line[i]); ++i)
        code = code * 10 + (line[i] - '0');
    return code;
}

FtpDirEntry ParseUnixLine(const char* line, int32_t currentYear)
{
    FtpDirEntry entry;
    if (line == nullptr)
        return entry;
    CopyNameFrom(line, 8, entry.name);
    // A link is listed as "name -> target"; only the name is the entry's.
    if (line[0] == 'l') {
        if (char* arrow = std::strstr(entry.name, " -> "))
            *arrow = '\0';
    }
    entry.isFolder = line[0] == 'd' || line[0] == 'D' ? 1 : 0;
    entry.size = NumberToken(line, " ", 4, 0);

    char token[kTokenCapacity];
    if (GetToken(line, " ", 5, token, sizeof token) == 0) {
        for (int i = 0; i < 12; ++i) {
            if (strcasecmp(token, kMonths[i]) == 0) {
                entry.month = i + 1;
                break;
            }
        }
    }
    entry.day = NumberToken(line, " ", 6, 1);

    char timeOrYear[kTimeOrYearCapacity];
    if (GetToken(line, " ", 7, timeOrYear, sizeof timeOrYear) == 0) {
        if (const char* colon = std::strchr(timeOrYear, ':')) {
            entry.year = currentYear;
            entry.hour = LeadingNumber(timeOrYear);
            entry.minute = LeadingNumber(colon + 1);
        } else {
            entry.year = LeadingNumber(timeOrYear);
        }
    }
    return entry;
}

FtpDirEntry ParseDosLine(const char* line)
{
    FtpDirEntry entry;
    if (line == nullptr)
        return entry;
    CopyNameFrom(line, 3, entry.name);

    char token[kTokenCapacity];
    if (GetToken(line, " ", 2, token, sizeof token) == 0) {
        entry.isFolder = token[1] == 'd' || token[1] == 'D' ? 1 : 0;
        entry.size = LeadingNumber(token);
    }

    if (GetToken(line, " ", 0, token, sizeof token) == 0) {
        entry.month = NumberToken(token, "-", 0, 1);
        entry.day = NumberToken(token, "-", 1, 1);
        // Only two digits of the year are read, as the listing's old form had them.
        const int32_t twoDigitYear = TwoDigitsAt(token, 6);
        entry.year = twoDigitYear >= 70 ? 1900 + twoDigitYear : 2000 + twoDigitYear;
    }

    entry.hour = 12;
    if (GetToken(line, " ", 1, token, sizeof token) == 0) {
        entry.hour = NumberToken(token, ":", 0, 12);
        entry.minute = TwoDigitsAt(token, 3);
    }
    return entry;
}
