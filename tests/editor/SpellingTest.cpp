#include "DictionaryLookup.h"
#include "SpellChecker.h"
#include "SpellWords.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::vector<QString> WordsOf(const QString& text)
{
    std::vector<QString> words;
    for (const TextSpan& span : SpellWords(text))
        words.push_back(text.mid(span.start, span.length));
    return words;
}

struct WordCase {
    const char* text;
    std::vector<QString> words;
};

TEST(SpellWords, FindsTheWordsOfTheLanguageOnly)
{
    const WordCase cases[] = {
        {"", {}},
        {"Teh cat sat", {"Teh", "cat", "sat"}},
        {"  two  spaces\tand\ttabs\nnewline ", {"two", "spaces", "and", "tabs", "newline"}},
        {"don't, \"quoted\" (round) end.", {"don't", "quoted", "round", "end"}},
        {"it\u2019s curly", {"it\u2019s", "curly"}},
        {"'lead' trail' o''clock", {"lead", "trail", "o", "clock"}},
        {"well-known e-mail", {"well", "known", "e", "mail"}},
        {"3rd item_2 abc123 top10 4x4 ok", {"ok"}},
        {"see www.example.com or http://a.example/path", {"see", "or"}},
        {"mail ann@example.com now", {"mail", "now"}},
        {"caf\u00e9 na\u0308ive \u00fcber", {"caf\u00e9", "na\u0308ive", "\u00fcber"}},
    };
    for (const WordCase& c : cases)
        EXPECT_EQ(WordsOf(QString::fromUtf8(c.text)), c.words) << c.text;
}

TEST(SpellWords, SpansPointIntoTheTextAndSkipOverlongWords)
{
    const QString text = QStringLiteral("ab ") + QString(kLongestCheckedWord + 1, u'x') + QStringLiteral(" ")
                         + QString(kLongestCheckedWord, u'y');
    const std::vector<TextSpan> spans = SpellWords(text);
    ASSERT_EQ(spans.size(), 2u);
    EXPECT_EQ(spans[0], (TextSpan{0, 2}));
    EXPECT_EQ(spans[1], (TextSpan{text.size() - kLongestCheckedWord, kLongestCheckedWord}));
}

// A folder of made-up dictionaries: each name gets an .aff and a .dic.
class DictionaryFolder {
public:
    explicit DictionaryFolder(std::initializer_list<const char*> names)
    {
        for (const char* name : names) {
            WriteBytes(Path() + "/" + name + ".aff", "SET UTF-8\n");
            WriteBytes(Path() + "/" + name + ".dic", "1\nword\n");
        }
    }
    std::string Path() const { return dir_.path().toStdString(); }
    DictionaryFiles Files(const std::string& name) const
    {
        return {Path() + "/" + name + ".aff", Path() + "/" + name + ".dic"};
    }

private:
    QTemporaryDir dir_;
};

TEST(DictionaryLookup, TakesTheLocaleThenItsLanguageThenEnglish)
{
    const DictionaryFolder folder{"de_DE", "de_AT", "fr", "pt_BR", "pt_PT", "en_US"};
    const struct {
        const char* locale;
        const char* expected;
    } cases[] = {
        {"de_AT.UTF-8", "de_AT"}, {"de_CH.UTF-8@euro", "de_AT"}, {"fr_CA", "fr"},
        {"pt", "pt_BR"},          {"C.UTF-8", "en_US"},          {"POSIX", "en_US"},
        {"", "en_US"},            {"xx_YY", "en_US"},            {"../de_DE", "en_US"},
        {"a/de_DE", "en_US"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DictionaryLookup::Find({folder.Path()}, c.locale), folder.Files(c.expected)) << c.locale;
}

TEST(DictionaryLookup, SearchesFoldersInOrderAndNeedsBothFiles)
{
    const DictionaryFolder first{"de_DE"};
    const DictionaryFolder second{"de_DE", "en_US"};
    std::filesystem::remove(first.Files("de_DE").words);
    EXPECT_EQ(DictionaryLookup::Find({first.Path(), second.Path()}, "de_DE"), second.Files("de_DE"));
    EXPECT_EQ(DictionaryLookup::Find({first.Path()}, "de_DE"), std::nullopt);
}

TEST(DictionaryLookup, UserLanguageAndFoldersComeFromTheEnvironment)
{
    TestEnvironment env;
    EXPECT_EQ(DictionaryLookup::UserLanguage(), "en_US");
    qputenv("DICPATH", "/one::/two");
    EXPECT_EQ(DictionaryLookup::Folders(), (std::vector<std::string>{"/one", "/two", "/usr/share/hunspell"}));
}

class SpellCheckerTest : public testing::Test {
protected:
    void SetUp() override
    {
        dictionary = DictionaryLookup::Find({"/usr/share/hunspell"}, "en_US");
        if (!dictionary)
            GTEST_SKIP() << "the en_US dictionary is not installed";
    }
    std::string ListPath() const { return env.UserData() + "/plumet/personal-dictionary.txt"; }

    TestEnvironment env;
    std::optional<DictionaryFiles> dictionary;
};

TEST_F(SpellCheckerTest, FindsMisspellingsAndSuggestsAtMostEight)
{
    CSpellChecker checker(dictionary, ListPath());
    ASSERT_TRUE(checker.IsLoaded());
    for (const char* good : {"cat", "The", "don't", "it\u2019s", "newsletters", "Newsletter"})
        EXPECT_FALSE(checker.IsMisspelled(good)) << good;
    for (const char* bad : {"Teh", "wrtier", "recieve", "Plumetry"})
        EXPECT_TRUE(checker.IsMisspelled(bad)) << bad;
    const std::vector<std::string> suggestions = checker.Suggestions("recieve");
    ASSERT_FALSE(suggestions.empty());
    EXPECT_EQ(suggestions.front(), "receive");
    EXPECT_LE(checker.Suggestions("aaaaaaaaa").size(), size_t(CSpellChecker::kMaxSuggestions));
}

TEST_F(SpellCheckerTest, AddedWordsPersistIgnoredWordsDoNot)
{
    {
        CSpellChecker checker(dictionary, ListPath());
        ASSERT_TRUE(checker.IsMisspelled("Plumetry"));
        EXPECT_TRUE(checker.AddToDictionary("Plumetry"));
        EXPECT_TRUE(checker.AddToDictionary("Plumetry"));
        checker.Ignore("wrtier");
        EXPECT_FALSE(checker.IsMisspelled("Plumetry"));
        EXPECT_FALSE(checker.IsMisspelled("wrtier"));
    }
    EXPECT_EQ(ReadBytes(ListPath()), "Plumetry\n");
    CSpellChecker later(dictionary, ListPath());
    EXPECT_FALSE(later.IsMisspelled("Plumetry"));
    EXPECT_TRUE(later.IsMisspelled("wrtier"));
}

TEST_F(SpellCheckerTest, AddingKeepsWordsAnotherSessionAdded)
{
    CSpellChecker one(dictionary, ListPath());
    CSpellChecker two(dictionary, ListPath());
    EXPECT_TRUE(one.AddToDictionary("Quorvel"));
    EXPECT_TRUE(two.AddToDictionary("Brindlewick"));
    EXPECT_EQ(ReadBytes(ListPath()), "Quorvel\nBrindlewick\n");
}

TEST_F(SpellCheckerTest, ReadsTheListLeniently)
{
    QDir().mkpath(QString::fromStdString(env.UserData() + "/plumet"));
    WriteBytes(ListPath(), "Quorvel\r\n\n" + std::string(500, 'z') + "\nBrindlewick");
    CSpellChecker checker(dictionary, ListPath());
    EXPECT_FALSE(checker.IsMisspelled("Quorvel"));
    EXPECT_FALSE(checker.IsMisspelled("Brindlewick"));
    EXPECT_FALSE(checker.AddToDictionary("two\nlines"));
}

TEST_F(SpellCheckerTest, ADictionaryThatCannotBeLoadedAcceptsEverything)
{
    const DictionaryFolder folder{"xx_XX"};
    WriteBytes(folder.Files("xx_XX").words, "not a word list\n");
    const std::optional<DictionaryFiles> broken[] = {
        std::nullopt, folder.Files("xx_XX"), DictionaryFiles{"/nonexistent.aff", "/nonexistent.dic"},
        DictionaryFiles{"/", dictionary->words},
    };
    for (const auto& files : broken) {
        CSpellChecker checker(files, ListPath());
        EXPECT_FALSE(checker.IsLoaded());
        EXPECT_FALSE(checker.IsMisspelled("wrtier"));
        EXPECT_TRUE(checker.Suggestions("wrtier").empty());
    }
}

}  // namespace
