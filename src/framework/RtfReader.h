#pragma once
#include <QColor>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextOption>

#include <map>
#include <optional>
#include <string_view>
#include <vector>

#include "RtfCodePage.h"
#include "RtfTableBuilder.h"

struct RtfToken;

// A pattern colour laid over a background colour: colour table entries and
// the pattern's share in hundredths of a percent.
struct RtfShading {
    int back = 0;
    int fore = 0;
    int percent = 0;
    bool operator==(const RtfShading&) const = default;
};

// Reads an RTF document into a text document through one cursor: the text
// replaces the cursor's selection, formatted as a word processor shows it
// (character formatting, shading, super- and subscript, paragraphs, indents,
// alignment, tables; font and colour tables). Groups are kept on one explicit stack, so nesting of any depth
// costs no recursion; bad input is read as far as it goes.
class CRtfReader {
public:
    explicit CRtfReader(QTextCursor& cursor);

    // Text that does not start as RTF goes in as plain text.
    void Read(std::string_view input);

    static bool IsRtf(std::string_view input);

    // Groups nested deeper than this share the state of the deepest kept one.
    static constexpr std::size_t kMaxGroupDepth = 256;
    // Tab stops kept per paragraph; further ones are dropped.
    static constexpr std::size_t kMaxTabStops = 64;

private:
    enum class Destination { Text, FontTable, ColorTable, Skip };
    enum class Shift { None, Up, Down };
    using Shading = RtfShading;

    struct CharState {
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strike = false;
        int halfPoints = 24;
        int font = -1;  // -1: the document's default font
        int foreground = 0;
        int background = 0;
        Shading shading;
        Shift shift = Shift::None;
        bool operator==(const CharState&) const = default;
    };
    struct ParaState {
        Qt::Alignment alignment = Qt::AlignLeft;
        int leftIndent = 0;  // twips, as are the others
        int rightIndent = 0;
        int firstIndent = 0;
        int spaceBefore = 0;
        int spaceAfter = 0;
        std::vector<QTextOption::Tab> tabs;  // positions in twips from the margin
        Shading shading;
        bool inTable = false;
        bool operator==(const ParaState&) const = default;
    };
    struct GroupState {
        CharState chars;
        ParaState para;
        Destination destination = Destination::Text;
        int unicodeSkip = 1;
    };
    struct Font {
        QString name;
        int codePage = 0;  // 0: the document's code page
    };

    void ReadRtf(std::string_view input);
    void ReadPlainText(std::string_view input);
    void OpenGroup();
    bool CloseGroup();  // false once the outermost group has closed
    void HandleToken(const RtfToken& token);
    void HandleWord(const RtfToken& token);
    void HandleSymbol(char symbol);
    bool SkipFallback(const RtfToken& token);
    void HandleTableText(std::string_view bytes);

    void AppendBytes(std::string_view bytes);
    void AppendChar(char16_t c);
    bool BeginText();
    void EndParagraph();
    void EndCell();
    void EndRow();
    void PlaceText(bool inTable);
    void EndTextHere();
    void FlushText();
    void Finish();

    void BreakParagraph();
    void SetBlockFormat();

    const CodePageTable& CurrentTable();
    const QTextCharFormat& CharFormat(const CharState& chars);
    QTextCharFormat MakeCharFormat(const CharState& chars) const;
    const QTextBlockFormat& BlockFormat(const ParaState& para);
    QTextBlockFormat MakeBlockFormat(const ParaState& para) const;
    static QList<QTextOption::Tab> TabStops(const ParaState& para);
    void SetDefaultTabWidth(int twips);
    QColor Colour(int index) const;
    QColor Shade(const Shading& shading) const;
    GroupState& Top() { return m_groups.back(); }

    QTextCursor& m_cursor;
    CRtfTableBuilder m_tables;
    std::vector<GroupState> m_groups;
    std::size_t m_overflowDepth = 0;
    int m_skipFallback = 0;

    int m_codePage = 1252;
    int m_defaultFont = 0;
    std::map<int, Font> m_fonts;
    int m_fontEntry = 0;
    QString m_fontName;
    QTextOption::TabType m_nextTabType = QTextOption::LeftTab;
    std::vector<QColor> m_colours;
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colourGiven = false;

    const CodePageTable* m_table = nullptr;  // for m_tableFont
    int m_tableFont = 0;
    static constexpr std::size_t kMaxKeptFormats = 64;
    std::vector<std::pair<CharState, QTextCharFormat>> m_charFormats;
    std::optional<std::pair<ParaState, QTextBlockFormat>> m_paraFormat;
    std::optional<QTextBlockFormat> m_blockFormat;  // the current block's, once set here

    QString m_text;  // text not yet inserted, all in m_textChars
    CharState m_textChars;
    bool m_breakPending = false;
    bool m_paragraphStarted = false;
};
