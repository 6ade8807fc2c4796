#include "SpellChecker.h"

#include "SafeFile.h"
#include "SettingsStore.h"

#include <hunspell/hunspell.hxx>

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <cctype>

namespace {

constexpr std::size_t kLongestListedWord = 400;  // bytes; longer lines are not words

// A word file starts with its count of words; anything else is not a
// dictionary, and Hunspell would take it for an empty one that rejects every word.
bool LooksLikeWordFile(const std::string& path)
{
    std::string start;
    if (!SafeFile::ReadStart(path, 32, start))
        return false;
    const auto end = std::find_if(start.begin(), start.end(), [](char c) { return !std::isdigit(static_cast<unsigned char>(c)); });
    return end != start.begin() && std::any_of(start.begin(), end, [](char c) { return c != '0'; });
}

std::vector<std::string> ReadPersonalList(const std::string& path)
{
    std::string bytes;
    std::vector<std::string> words;
    if (!SafeFile::ReadAll(path, bytes))
        return words;
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t end = bytes.find('\n', at);
        if (end == std::string::npos)
            end = bytes.size();
        std::string word = bytes.substr(at, end - at);
        if (!word.empty() && word.back() == '\r')
            word.pop_back();
        if (!word.empty() && word.size() <= kLongestListedWord && word.find('\0') == std::string::npos)
            words.push_back(std::move(word));
        at = end + 1;
    }
    return words;
}

}  // namespace

CSpellChecker::CSpellChecker(const std::optional<DictionaryFiles>& dictionary, std::string personalListPath)
    : personalListPath_(std::move(personalListPath))
{
    if (dictionary)
        Load(*dictionary);
    personalWords_ = ReadPersonalList(personalListPath_);
    if (hunspell_)
        for (const std::string& word : personalWords_)
            hunspell_->add(ToDictionary(word));
}

CSpellChecker::~CSpellChecker() = default;

void CSpellChecker::Load(const DictionaryFiles& dictionary)
{
    std::string affixes;
    if (!SafeFile::ReadStart(dictionary.affixes, 1, affixes) || !LooksLikeWordFile(dictionary.words))
        return;
    try {
        auto hunspell = std::make_unique<Hunspell>(dictionary.affixes.c_str(), dictionary.words.c_str());
        const std::string encoding = hunspell->get_dict_encoding();
        if (encoding != "UTF-8") {
            auto encoder = std::make_unique<QStringEncoder>(encoding.c_str());
            auto decoder = std::make_unique<QStringDecoder>(encoding.c_str());
            if (!encoder->isValid() || !decoder->isValid())
                return;
            encoder_ = std::move(encoder);
            decoder_ = std::move(decoder);
        }
        hunspell_ = std::move(hunspell);
    } catch (const std::exception&) {
        // An unreadable dictionary checks nothing.
    }
}

std::string CSpellChecker::ToDictionary(const std::string& word) const
{
    if (!encoder_)
        return word;
    return QByteArray((*encoder_)(QString::fromUtf8(word))).toStdString();
}

std::string CSpellChecker::FromDictionary(const std::string& word) const
{
    if (!decoder_)
        return word;
    return QString((*decoder_)(QByteArray::fromStdString(word))).toUtf8().toStdString();
}

bool CSpellChecker::IsMisspelled(const std::string& word)
{
    if (!hunspell_ || word.empty())
        return false;
    const auto known = known_.find(word);
    if (known != known_.end())
        return known->second;
    const bool misspelled = !ignored_.contains(word) && !hunspell_->spell(ToDictionary(word));
    known_.emplace(word, misspelled);
    return misspelled;
}

std::vector<std::string> CSpellChecker::Suggestions(const std::string& word)
{
    std::vector<std::string> suggestions;
    if (!hunspell_ || word.empty())
        return suggestions;
    for (const std::string& suggestion : hunspell_->suggest(ToDictionary(word))) {
        if (int(suggestions.size()) == kMaxSuggestions)
            break;
        suggestions.push_back(FromDictionary(suggestion));
    }
    return suggestions;
}

bool CSpellChecker::AddToDictionary(const std::string& word)
{
    if (word.empty() || word.size() > kLongestListedWord || word.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
        return false;
    if (hunspell_)
        hunspell_->add(ToDictionary(word));
    known_[word] = false;
    // Another session may have added words since this one read the list.
    personalWords_ = ReadPersonalList(personalListPath_);
    if (std::find(personalWords_.begin(), personalWords_.end(), word) != personalWords_.end())
        return true;
    personalWords_.push_back(word);
    std::string list;
    for (const std::string& listed : personalWords_)
        list += listed + "\n";
    QDir().mkpath(QFileInfo(QString::fromLocal8Bit(personalListPath_)).path());
    return SafeFile::Replace(personalListPath_, list);
}

void CSpellChecker::Ignore(const std::string& word)
{
    ignored_.insert(word);
    known_[word] = false;
}

std::string CSpellChecker::UserPersonalListPath()
{
    return SettingsStore::UserDataFolder() + "/plumet/personal-dictionary.txt";
}
