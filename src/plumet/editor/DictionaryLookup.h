#pragma once
#include <optional>
#include <string>
#include <vector>

// A Hunspell dictionary: its affix file and its word file.
struct DictionaryFiles {
    std::string affixes;  // <folder>/<name>.aff
    std::string words;    // <folder>/<name>.dic
    bool operator==(const DictionaryFiles&) const = default;
};

namespace DictionaryLookup {

// The dictionary that fits a locale name such as "de_AT.UTF-8@euro": the
// same language and country, else the language alone, else the first of
// that language with any country; en_US when none fits. Folders are
// searched in order for each choice; nothing when even en_US is missing.
std::optional<DictionaryFiles> Find(const std::vector<std::string>& folders, const std::string& locale);

// The folders of $DICPATH (colon-separated), then /usr/share/hunspell.
std::vector<std::string> Folders();

// The user's language for spelling: $DICTIONARY, else the locale of
// messages ($LC_ALL, $LC_MESSAGES, $LANG, the first that is set).
std::string UserLanguage();

// The dictionary of the user's language, found in Folders().
std::optional<DictionaryFiles> ForUser();

}  // namespace DictionaryLookup
