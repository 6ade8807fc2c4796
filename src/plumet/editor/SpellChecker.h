#pragma once
#include "DictionaryLookup.h"

#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

class Hunspell;
class QStringDecoder;
class QStringEncoder;

// Spelling of single words against a Hunspell dictionary, the user's
// personal word list and the words ignored for this session. Words are
// UTF-8 whatever the dictionary's own encoding. A dictionary that cannot be
// loaded accepts every word.
class CSpellChecker {
public:
    static constexpr int kMaxSuggestions = 8;

    // The personal list is a file of one word a line; it need not exist yet.
    CSpellChecker(const std::optional<DictionaryFiles>& dictionary, std::string personalListPath);
    ~CSpellChecker();
    CSpellChecker(const CSpellChecker&) = delete;
    CSpellChecker& operator=(const CSpellChecker&) = delete;

    bool IsLoaded() const { return static_cast<bool>(hunspell_); }

    bool IsMisspelled(const std::string& word);
    // At most kMaxSuggestions replacements, best first.
    std::vector<std::string> Suggestions(const std::string& word);

    // Accepts the word from now on, and in later sessions through the
    // personal list. False when the list could not be written (the word is
    // still accepted in this session).
    bool AddToDictionary(const std::string& word);
    // Accepts the word for the rest of this session.
    void Ignore(const std::string& word);

    // <user data folder>/plumet/personal-dictionary.txt
    static std::string UserPersonalListPath();

private:
    void Load(const DictionaryFiles& dictionary);
    std::string ToDictionary(const std::string& word) const;
    std::string FromDictionary(const std::string& word) const;

    std::unique_ptr<Hunspell> hunspell_;
    std::unique_ptr<QStringEncoder> encoder_;  // only for a dictionary not in UTF-8
    std::unique_ptr<QStringDecoder> decoder_;
    std::string personalListPath_;
    std::vector<std::string> personalWords_;
    std::set<std::string> ignored_;
    std::unordered_map<std::string, bool> known_;  // word -> misspelled, as looked up
};
