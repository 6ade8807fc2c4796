#include "TextSearch.h"

#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

using TextSearch::Options;

// Where successive searches from the start land, and whether each wrapped.
std::vector<std::pair<int, bool>> Walk(const QString& text, const QString& find, const Options& options, int steps)
{
    QTextDocument document(text);
    QTextCursor at(&document);
    if (options.backward)
        at.movePosition(QTextCursor::End);
    std::vector<std::pair<int, bool>> stops;
    for (int i = 0; i < steps; ++i) {
        const TextSearch::Found found = TextSearch::FindNext(document, find, at, options);
        if (found.match.isNull()) {
            stops.emplace_back(-1, false);
            break;
        }
        stops.emplace_back(found.match.selectionStart(), found.wrapped);
        at = found.match;
    }
    return stops;
}

TEST(TextSearch, FindsWithAndWithoutCaseAndWholeWordsGoingRound)
{
    const QString text = QStringLiteral("Cat scatter cat\nCAT catalogue");
    using Stops = std::vector<std::pair<int, bool>>;
    const struct {
        const char* name;
        QString find;
        Options options;
        Stops expected;
    } cases[] = {
        {"any case", "cat", {}, Stops{{0, false}, {5, false}, {12, false}, {16, false}, {20, false}, {0, true}}},
        {"match case", "cat", {true, false, false}, Stops{{5, false}, {12, false}, {20, false}, {5, true}}},
        {"whole words", "cat", {false, true, false}, Stops{{0, false}, {12, false}, {16, false}, {0, true}}},
        {"case and whole words", "cat", {true, true, false}, Stops{{12, false}, {12, true}}},
        {"backward", "cat", {false, true, true}, Stops{{16, false}, {12, false}, {0, false}, {16, true}}},
        {"absent", "dog", {}, Stops{{-1, false}}},
        {"empty", "", {}, Stops{{-1, false}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Walk(text, c.find, c.options, int(c.expected.size())), c.expected) << c.name;
}

TEST(TextSearch, IsMatchWantsTheWholeSelection)
{
    QTextDocument document(QStringLiteral("a Cat scatter"));
    QTextCursor cursor(&document);
    cursor.setPosition(2);
    cursor.setPosition(5, QTextCursor::KeepAnchor);
    EXPECT_TRUE(TextSearch::IsMatch(cursor, "cat", {}));
    EXPECT_FALSE(TextSearch::IsMatch(cursor, "cat", {true, false, false}));
    EXPECT_FALSE(TextSearch::IsMatch(cursor, "ca", {}));
    cursor.setPosition(7);
    cursor.setPosition(10, QTextCursor::KeepAnchor);
    EXPECT_TRUE(TextSearch::IsMatch(cursor, "cat", {}));
    EXPECT_FALSE(TextSearch::IsMatch(cursor, "cat", {false, true, false}));
    cursor.clearSelection();
    EXPECT_FALSE(TextSearch::IsMatch(cursor, "", {}));
}

TEST(TextSearch, ReplaceAllIsOneUndoStep)
{
    QTextDocument document;
    document.setPlainText(QStringLiteral("cat Cat\ncatalogue cat"));
    ASSERT_FALSE(document.isUndoAvailable());
    EXPECT_EQ(TextSearch::ReplaceAll(document, "cat", "a cat", {false, true, false}, 1000), 3);
    EXPECT_EQ(document.toPlainText(), "a cat a cat\ncatalogue a cat");
    document.undo();
    EXPECT_EQ(document.toPlainText(), "cat Cat\ncatalogue cat");
    EXPECT_FALSE(document.isUndoAvailable());
    EXPECT_EQ(TextSearch::ReplaceAll(document, "dog", "x", {}, 1000), 0);
    EXPECT_EQ(TextSearch::ReplaceAll(document, "", "x", {}, 1000), 0);
    EXPECT_FALSE(document.isUndoAvailable());
}

TEST(TextSearch, ReplaceAllStopsAtTheLimit)
{
    QTextDocument document(QStringLiteral("ab ab ab"));  // 8 characters
    EXPECT_EQ(TextSearch::ReplaceAll(document, "ab", "abc", {}, 10), 2);
    EXPECT_EQ(document.toPlainText(), "abc abc ab");
    EXPECT_EQ(TextSearch::ReplaceAll(document, "abc", "", {}, 10), 2);
    EXPECT_EQ(document.toPlainText(), "  ab");
}

}  // namespace
