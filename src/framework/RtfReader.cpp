#include "RtfReader.h"

#include "RtfTokenizer.h"
#include "RtfUnits.h"

#include <QFont>
#include <QTextDocument>
#include <QTextBlockFormat>
#include <QTextCharFormat>

#include <algorithm>
#include <unordered_map>

namespace {
enum class Word {
    Ansi, AnsiCodePage, Mac, Pc, Pca, DefaultFont,
    FontTable, ColourTable, SkippedDestination,
    Font, FontCharset, FontCodePage, Red, Green, Blue,
    Paragraph, Line, Tab, Cell, Row, InTable, RowDefaults, RowLeft, CellEdge, Character,
    Bold, Italic, Underline, UnderlineNone, Strike, Plain, Pard, FontSize,
    Foreground, Background,
    Superscript, Subscript, Up, Down, NoSuperSub,
    CharShading, CharPatternFore, CharPatternBack, ParaShading, ParaPatternFore, ParaPatternBack,
    AlignLeft, AlignCentre, AlignRight, AlignJustify,
    LeftIndent, RightIndent, FirstIndent, SpaceBefore, SpaceAfter,
    TabStop, RightTab, CentreTab, DecimalTab, DefaultTabWidth,
    Unicode, UnicodeSkip,
};

struct WordInfo {
    Word word;
    char16_t character = 0;  // for Word::Character
};

const std::unordered_map<std::string_view, WordInfo>& Words()
{
    static const std::unordered_map<std::string_view, WordInfo> words = {
        {"ansi", {Word::Ansi}}, {"ansicpg", {Word::AnsiCodePage}}, {"mac", {Word::Mac}},
        {"pc", {Word::Pc}}, {"pca", {Word::Pca}}, {"deff", {Word::DefaultFont}},
        {"fonttbl", {Word::FontTable}}, {"colortbl", {Word::ColourTable}},
        {"f", {Word::Font}}, {"fcharset", {Word::FontCharset}}, {"cpg", {Word::FontCodePage}},
        {"red", {Word::Red}}, {"green", {Word::Green}}, {"blue", {Word::Blue}},
        {"par", {Word::Paragraph}}, {"sect", {Word::Paragraph}}, {"page", {Word::Paragraph}},
        {"line", {Word::Line}}, {"tab", {Word::Tab}},
        {"cell", {Word::Cell}}, {"row", {Word::Row}}, {"intbl", {Word::InTable}},
        {"trowd", {Word::RowDefaults}}, {"trleft", {Word::RowLeft}}, {"cellx", {Word::CellEdge}},
        {"super", {Word::Superscript}}, {"sub", {Word::Subscript}}, {"up", {Word::Up}}, {"dn", {Word::Down}},
        {"nosupersub", {Word::NoSuperSub}},
        {"chshdng", {Word::CharShading}}, {"chcfpat", {Word::CharPatternFore}},
        {"chcbpat", {Word::CharPatternBack}}, {"shading", {Word::ParaShading}},
        {"cfpat", {Word::ParaPatternFore}}, {"cbpat", {Word::ParaPatternBack}},
        {"b", {Word::Bold}}, {"i", {Word::Italic}}, {"strike", {Word::Strike}},
        {"striked", {Word::Strike}}, {"ulnone", {Word::UnderlineNone}},
        {"plain", {Word::Plain}}, {"pard", {Word::Pard}}, {"fs", {Word::FontSize}},
        {"cf", {Word::Foreground}}, {"cb", {Word::Background}}, {"highlight", {Word::Background}},
        {"ql", {Word::AlignLeft}}, {"qc", {Word::AlignCentre}}, {"qr", {Word::AlignRight}},
        {"qj", {Word::AlignJustify}},
        {"li", {Word::LeftIndent}}, {"lin", {Word::LeftIndent}},
        {"ri", {Word::RightIndent}}, {"rin", {Word::RightIndent}},
        {"fi", {Word::FirstIndent}}, {"sb", {Word::SpaceBefore}}, {"sa", {Word::SpaceAfter}},
        {"tx", {Word::TabStop}}, {"tqr", {Word::RightTab}}, {"tqc", {Word::CentreTab}},
        {"tqdec", {Word::DecimalTab}}, {"deftab", {Word::DefaultTabWidth}},
        {"u", {Word::Unicode}}, {"uc", {Word::UnicodeSkip}},
        {"bullet", {Word::Character, u'\u2022'}}, {"emdash", {Word::Character, u'\u2014'}},
        {"endash", {Word::Character, u'\u2013'}}, {"lquote", {Word::Character, u'\u2018'}},
        {"rquote", {Word::Character, u'\u2019'}}, {"ldblquote", {Word::Character, u'\u201C'}},
        {"rdblquote", {Word::Character, u'\u201D'}}, {"emspace", {Word::Character, u'\u2003'}},
        {"enspace", {Word::Character, u'\u2002'}}, {"qmspace", {Word::Character, u'\u2005'}},
        {"zwj", {Word::Character, u'\u200D'}}, {"zwnj", {Word::Character, u'\u200C'}},
        // Every kind of underline shows as one.
        {"ul", {Word::Underline}}, {"uld", {Word::Underline}}, {"uldash", {Word::Underline}},
        {"uldashd", {Word::Underline}}, {"uldashdd", {Word::Underline}}, {"uldb", {Word::Underline}},
        {"ulhwave", {Word::Underline}}, {"ulldash", {Word::Underline}}, {"ulth", {Word::Underline}},
        {"ulthd", {Word::Underline}}, {"ulthdash", {Word::Underline}}, {"ulthdashd", {Word::Underline}},
        {"ulthdashdd", {Word::Underline}}, {"ulthldash", {Word::Underline}},
        {"ululdbwave", {Word::Underline}}, {"ulw", {Word::Underline}}, {"ulwave", {Word::Underline}},
        // Destinations whose text is never shown.
        {"info", {Word::SkippedDestination}}, {"stylesheet", {Word::SkippedDestination}},
        {"pict", {Word::SkippedDestination}}, {"object", {Word::SkippedDestination}},
        {"header", {Word::SkippedDestination}}, {"headerl", {Word::SkippedDestination}},
        {"headerr", {Word::SkippedDestination}}, {"headerf", {Word::SkippedDestination}},
        {"footer", {Word::SkippedDestination}}, {"footerl", {Word::SkippedDestination}},
        {"footerr", {Word::SkippedDestination}}, {"footerf", {Word::SkippedDestination}},
        {"footnote", {Word::SkippedDestination}}, {"fldinst", {Word::SkippedDestination}},
        {"filetbl", {Word::SkippedDestination}}, {"listtable", {Word::SkippedDestination}},
        {"listoverridetable", {Word::SkippedDestination}}, {"revtbl", {Word::SkippedDestination}},
        {"rsidtbl", {Word::SkippedDestination}}, {"xmlnstbl", {Word::SkippedDestination}},
        {"nonshppict", {Word::SkippedDestination}}, {"shp", {Word::SkippedDestination}},
        {"annotation", {Word::SkippedDestination}}, {"atnid", {Word::SkippedDestination}},
        {"atnauthor", {Word::SkippedDestination}}, {"template", {Word::SkippedDestination}},
        {"xe", {Word::SkippedDestination}}, {"tc", {Word::SkippedDestination}},
        {"txe", {Word::SkippedDestination}}, {"private", {Word::SkippedDestination}},
    };
    return words;
}

constexpr int kDefaultHalfPoints = 24;
constexpr int kDefaultTabTwips = 720;
constexpr int kWholeShading = 10000;
}  // namespace

CRtfReader::CRtfReader(QTextCursor& cursor) : m_cursor(cursor), m_tables(cursor) {}

bool CRtfReader::IsRtf(std::string_view input)
{
    return input.starts_with("{\\rtf");
}

void CRtfReader::Read(std::string_view input)
{
    m_cursor.beginEditBlock();
    m_cursor.removeSelectedText();
    if (IsRtf(input))
        ReadRtf(input);
    else
        ReadPlainText(input);
    m_cursor.endEditBlock();
}

void CRtfReader::ReadPlainText(std::string_view input)
{
    QString text;
    text.reserve(static_cast<qsizetype>(input.size()));
    const QString decoded = QString::fromLocal8Bit(input.data(), static_cast<qsizetype>(input.size()));
    for (qsizetype i = 0; i < decoded.size(); ++i) {
        const QChar c = decoded[i];
        if (c == u'\r') {
            text += u'\n';
            if (i + 1 < decoded.size() && decoded[i + 1] == u'\n')
                ++i;
        } else if (c != u'\0') {
            text += c;
        }
    }
    m_cursor.insertText(text);
}

void CRtfReader::ReadRtf(std::string_view input)
{
    m_groups.assign(1, GroupState{});
    SetDefaultTabWidth(kDefaultTabTwips);
    CRtfTokenizer tokenizer(input);
    for (RtfToken token = tokenizer.Next(); token.kind != RtfToken::Kind::End; token = tokenizer.Next()) {
        if (token.kind == RtfToken::Kind::GroupStart) {
            OpenGroup();
        } else if (token.kind == RtfToken::Kind::GroupEnd) {
            if (!CloseGroup())
                break;
        } else if (Top().destination != Destination::Skip && !SkipFallback(token)) {
            HandleToken(token);
        }
    }
    Finish();
}

void CRtfReader::OpenGroup()
{
    m_skipFallback = 0;
    if (m_groups.size() > kMaxGroupDepth)
        ++m_overflowDepth;
    else
        m_groups.push_back(m_groups.back());
}

bool CRtfReader::CloseGroup()
{
    m_skipFallback = 0;
    if (m_overflowDepth > 0) {
        --m_overflowDepth;
        return true;
    }
    if (Top().destination == Destination::FontTable && !m_fontName.isEmpty())
        HandleTableText(";");  // an entry closed without its semicolon
    if (m_groups.size() > 1)
        m_groups.pop_back();
    return m_groups.size() > 1;
}

// After \uN the next N characters are the fallback for readers without
// Unicode; they are dropped. Returns true when the token was one of them.
bool CRtfReader::SkipFallback(const RtfToken& token)
{
    if (m_skipFallback <= 0)
        return false;
    if (token.kind != RtfToken::Kind::Text) {
        --m_skipFallback;
        return true;
    }
    const auto dropped = std::min(token.text.size(), static_cast<std::size_t>(m_skipFallback));
    m_skipFallback -= static_cast<int>(dropped);
    RtfToken rest = token;
    rest.text.remove_prefix(dropped);
    if (!rest.text.empty())
        HandleToken(rest);
    return true;
}

void CRtfReader::HandleToken(const RtfToken& token)
{
    const bool inFontOrColourTable = Top().destination != Destination::Text;
    switch (token.kind) {
    case RtfToken::Kind::ControlWord:
        HandleWord(token);
        break;
    case RtfToken::Kind::ControlSymbol:
        HandleSymbol(token.symbol);
        break;
    case RtfToken::Kind::HexByte:
        if (Top().destination == Destination::FontTable)
            m_fontName += QChar(SingleByteTable(m_codePage)[token.parameter]);
        else
            AppendChar(CurrentTable()[token.parameter]);
        break;
    case RtfToken::Kind::Text:
        if (inFontOrColourTable)
            HandleTableText(token.text);
        else
            AppendBytes(token.text);
        break;
    default:  // binary data has no text
        break;
    }
}

void CRtfReader::HandleSymbol(char symbol)
{
    switch (symbol) {
    case '*':
        Top().destination = Destination::Skip;
        break;
    case '\\': case '{': case '}':
        AppendChar(static_cast<char16_t>(symbol));
        break;
    case '~':
        AppendChar(u'\u00A0');
        break;
    case '-':
        AppendChar(u'\u00AD');
        break;
    case '_':
        AppendChar(u'\u2011');
        break;
    default:
        break;
    }
}

void CRtfReader::HandleTableText(std::string_view bytes)
{
    const CodePageTable& table = SingleByteTable(m_codePage);
    for (const char byte : bytes) {
        if (byte != ';') {
            if (Top().destination == Destination::FontTable)
                m_fontName += QChar(table[static_cast<unsigned char>(byte)]);
            continue;
        }
        m_charFormats.clear();  // formats made so far may name an entry now replaced
        if (Top().destination == Destination::FontTable) {
            m_fonts[m_fontEntry].name = m_fontName.trimmed();
            m_fontName.clear();
        } else {
            m_colours.push_back(m_colourGiven ? QColor(m_red, m_green, m_blue) : QColor());
            m_red = m_green = m_blue = 0;
            m_colourGiven = false;
        }
    }
}

void CRtfReader::HandleWord(const RtfToken& token)
{
    const auto found = Words().find(token.text);
    if (found == Words().end())
        return;
    const int value = token.parameter;
    const bool on = !token.hasParameter || value != 0;
    GroupState& group = Top();
    CharState& chars = group.chars;
    ParaState& para = group.para;
    switch (found->second.word) {
    case Word::Ansi: m_codePage = 1252; m_table = nullptr; break;
    case Word::AnsiCodePage: m_codePage = value; m_table = nullptr; break;
    case Word::Mac: m_codePage = 10000; m_table = nullptr; break;
    case Word::Pc: m_codePage = 437; m_table = nullptr; break;
    case Word::Pca: m_codePage = 850; m_table = nullptr; break;
    case Word::DefaultFont: m_defaultFont = value; m_table = nullptr; break;
    case Word::FontTable:
        FlushText();  // text before the table keeps the entries it had
        group.destination = Destination::FontTable;
        break;
    case Word::ColourTable:
        FlushText();
        group.destination = Destination::ColorTable;
        break;
    case Word::SkippedDestination: group.destination = Destination::Skip; break;
    case Word::Font:
        if (group.destination == Destination::FontTable) {
            m_fontEntry = value;
            m_fontName.clear();
        } else {
            chars.font = value;
        }
        break;
    case Word::FontCharset:
        if (group.destination == Destination::FontTable)
            m_fonts[m_fontEntry].codePage = CodePageForCharset(value);
        m_table = nullptr;
        break;
    case Word::FontCodePage:
        if (group.destination == Destination::FontTable)
            m_fonts[m_fontEntry].codePage = value;
        m_table = nullptr;
        break;
    case Word::Red: m_red = std::clamp(value, 0, 255); m_colourGiven = true; break;
    case Word::Green: m_green = std::clamp(value, 0, 255); m_colourGiven = true; break;
    case Word::Blue: m_blue = std::clamp(value, 0, 255); m_colourGiven = true; break;
    case Word::Paragraph: EndParagraph(); break;
    case Word::Line: AppendChar(u'\u2028'); break;
    case Word::Tab: AppendChar(u'\t'); break;
    case Word::Cell: EndCell(); break;
    case Word::Row: EndRow(); break;
    case Word::InTable: para.inTable = true; break;
    case Word::RowDefaults: m_tables.DefineRow(); break;
    case Word::RowLeft: m_tables.SetRowLeft(value); break;
    case Word::CellEdge: m_tables.AddCellEdge(value); break;
    case Word::Character: AppendChar(found->second.character); break;
    case Word::Bold: chars.bold = on; break;
    case Word::Italic: chars.italic = on; break;
    case Word::Underline: chars.underline = on; break;
    case Word::UnderlineNone: chars.underline = false; break;
    case Word::Strike: chars.strike = on; break;
    case Word::Plain: chars = CharState{}; break;
    case Word::Pard: para = ParaState{}; break;
    case Word::FontSize:
        chars.halfPoints = token.hasParameter ? std::clamp(value, 2, 3276) : kDefaultHalfPoints;
        break;
    case Word::Foreground: chars.foreground = value; break;
    case Word::Background: chars.background = value; break;
    case Word::Superscript: chars.shift = on ? Shift::Up : Shift::None; break;
    case Word::Subscript: chars.shift = on ? Shift::Down : Shift::None; break;
    case Word::Up: chars.shift = on ? Shift::Up : Shift::None; break;  // \up0 is the baseline
    case Word::Down: chars.shift = on ? Shift::Down : Shift::None; break;
    case Word::NoSuperSub: chars.shift = Shift::None; break;
    case Word::CharShading: chars.shading.percent = std::clamp(value, 0, kWholeShading); break;
    case Word::CharPatternFore: chars.shading.fore = value; break;
    case Word::CharPatternBack: chars.shading.back = value; break;
    case Word::ParaShading: para.shading.percent = std::clamp(value, 0, kWholeShading); break;
    case Word::ParaPatternFore: para.shading.fore = value; break;
    case Word::ParaPatternBack: para.shading.back = value; break;
    case Word::AlignLeft: para.alignment = Qt::AlignLeft; break;
    case Word::AlignCentre: para.alignment = Qt::AlignHCenter; break;
    case Word::AlignRight: para.alignment = Qt::AlignRight; break;
    case Word::AlignJustify: para.alignment = Qt::AlignJustify; break;
    case Word::LeftIndent: para.leftIndent = Twips(value); break;
    case Word::RightIndent: para.rightIndent = Twips(value); break;
    case Word::FirstIndent: para.firstIndent = Twips(value); break;
    case Word::SpaceBefore: para.spaceBefore = Twips(value); break;
    case Word::SpaceAfter: para.spaceAfter = Twips(value); break;
    case Word::RightTab: m_nextTabType = QTextOption::RightTab; break;
    case Word::CentreTab: m_nextTabType = QTextOption::CenterTab; break;
    case Word::DecimalTab: m_nextTabType = QTextOption::DelimiterTab; break;
    case Word::TabStop:
        if (para.tabs.size() < kMaxTabStops)
            para.tabs.emplace_back(Twips(value), m_nextTabType, m_nextTabType == QTextOption::DelimiterTab ? u'.' : QChar());
        m_nextTabType = QTextOption::LeftTab;
        break;
    case Word::DefaultTabWidth:
        if (value > 0)
            SetDefaultTabWidth(Twips(value));
        break;
    case Word::Unicode: {
        // Negative values stand for the upper half of the 16-bit range.
        const int code = value < 0 ? value + 65536 : value;
        AppendChar(code >= 0 && code <= 0xFFFF ? static_cast<char16_t>(code) : u'\uFFFD');
        m_skipFallback = group.unicodeSkip;
        break;
    }
    case Word::UnicodeSkip: group.unicodeSkip = std::max(value, 0); break;
    }
}

const CodePageTable& CRtfReader::CurrentTable()
{
    const int font = Top().chars.font < 0 ? m_defaultFont : Top().chars.font;
    if (!m_table || font != m_tableFont) {
        const auto found = m_fonts.find(font);
        const bool own = found != m_fonts.end() && found->second.codePage != 0;
        m_table = &SingleByteTable(own ? found->second.codePage : m_codePage);
        m_tableFont = font;
    }
    return *m_table;
}

void CRtfReader::AppendBytes(std::string_view bytes)
{
    if (!BeginText())
        return;
    const CodePageTable& table = CurrentTable();
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        if (code >= 0x20 || code == '\t')
            m_text += QChar(table[code]);  // other control bytes show nothing
    }
}

void CRtfReader::AppendChar(char16_t c)
{
    if (BeginText())
        m_text += QChar(c);
}

// Makes the pending text take the group's character state. False where the
// destination shows no text.
bool CRtfReader::BeginText()
{
    if (Top().destination != Destination::Text)
        return false;
    PlaceText(Top().para.inTable);
    if (m_breakPending)
        BreakParagraph();
    if (!m_text.isEmpty() && !(m_textChars == Top().chars))
        FlushText();
    if (m_text.isEmpty())
        m_textChars = Top().chars;
    m_paragraphStarted = true;
    return true;
}

void CRtfReader::EndParagraph()
{
    if (Top().destination != Destination::Text)
        return;
    PlaceText(Top().para.inTable);
    FlushText();
    if (m_breakPending)
        BreakParagraph();
    SetBlockFormat();
    m_breakPending = true;
    m_paragraphStarted = false;
}

// A new paragraph starts with the properties in force now; its mark rarely
// finds them changed.
void CRtfReader::BreakParagraph()
{
    const QTextBlockFormat& format = BlockFormat(Top().para);
    m_cursor.insertBlock(format);
    m_blockFormat = format;
    m_breakPending = false;
}

// The paragraph's properties are those in force at its mark.
void CRtfReader::SetBlockFormat()
{
    const QTextBlockFormat& format = BlockFormat(Top().para);
    if (m_blockFormat && *m_blockFormat == format)
        return;
    m_cursor.setBlockFormat(format);
    m_blockFormat = format;
}

void CRtfReader::FlushText()
{
    if (m_text.isEmpty())
        return;
    m_cursor.insertText(m_text, CharFormat(m_textChars));
    m_text.clear();
}

// \cell ends the cell's last paragraph. Outside a table, or in one too big
// to make, it parts the cells' texts as a tab.
void CRtfReader::EndCell()
{
    if (Top().destination != Destination::Text)
        return;
    // A cell mark belongs to the open table even where its paragraph lost \intbl.
    const bool inTable = Top().para.inTable || (m_tables.InTable() && !m_tables.Refused());
    PlaceText(inTable);
    if (!inTable || m_tables.Refused()) {
        AppendChar(u'\t');
        return;
    }
    EndTextHere();
    m_tables.EndCell();
}

// \row ends the row, whatever the paragraph state; without a table it ends
// a paragraph.
void CRtfReader::EndRow()
{
    if (Top().destination != Destination::Text)
        return;
    if (!m_tables.InTable() || m_tables.Refused()) {
        EndParagraph();
        return;
    }
    if (m_tables.InCell())
        EndTextHere();
    m_tables.EndRow();
}

// Text goes where its paragraph is: into the table's current cell while
// \intbl holds, behind the table once a paragraph outside it comes.
void CRtfReader::PlaceText(bool inTable)
{
    if (inTable ? m_tables.InCell() : !m_tables.InTable())
        return;
    FlushText();
    const bool moved = inTable ? m_tables.Enter() : m_tables.Leave();
    if (!moved)
        return;
    // The cursor is in a block of its own now: a cell's, or the one behind the table.
    m_breakPending = false;
    m_paragraphStarted = false;
    m_blockFormat.reset();
}

// Ends the text of the block the cursor is in: its last paragraph mark, if
// any, opens no empty line.
void CRtfReader::EndTextHere()
{
    FlushText();
    if (m_paragraphStarted)
        SetBlockFormat();
    m_breakPending = false;
    m_paragraphStarted = false;
}

// The last paragraph mark of a document ends its text; it opens no empty
// line. A document that ends in a table leaves the caret behind it.
void CRtfReader::Finish()
{
    EndTextHere();
    m_tables.Leave();
}

QColor CRtfReader::Colour(int index) const
{
    // Entry 0, usually empty, and missing entries mean the automatic colour.
    if (index <= 0 || static_cast<std::size_t>(index) >= m_colours.size())
        return {};
    return m_colours[static_cast<std::size_t>(index)];
}

// The share of the pattern colour (automatic: black) over the background
// colour (automatic: white). No share and no background is no shading.
QColor CRtfReader::Shade(const Shading& shading) const
{
    const QColor back = Colour(shading.back);
    if (shading.percent == 0)
        return back;
    const QColor fore = Colour(shading.fore).isValid() ? Colour(shading.fore) : QColor(Qt::black);
    const QColor base = back.isValid() ? back : QColor(Qt::white);
    const auto mix = [&shading](int under, int over) {
        return (under * (kWholeShading - shading.percent) + over * shading.percent + kWholeShading / 2) / kWholeShading;
    };
    return QColor(mix(base.red(), fore.red()), mix(base.green(), fore.green()), mix(base.blue(), fore.blue()));
}

// Formats are kept for reuse: the document compares and hashes a format
// object it has seen before at no cost.
const QTextCharFormat& CRtfReader::CharFormat(const CharState& chars)
{
    for (const auto& [state, format] : m_charFormats)
        if (state == chars)
            return format;
    if (m_charFormats.size() >= kMaxKeptFormats)
        m_charFormats.clear();
    return m_charFormats.emplace_back(chars, MakeCharFormat(chars)).second;
}

QTextCharFormat CRtfReader::MakeCharFormat(const CharState& chars) const
{
    QTextCharFormat format;
    format.setFontWeight(chars.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(chars.italic);
    format.setFontUnderline(chars.underline);
    format.setFontStrikeOut(chars.strike);
    format.setFontPointSize(chars.halfPoints / 2.0);
    const auto font = m_fonts.find(chars.font < 0 ? m_defaultFont : chars.font);
    if (font != m_fonts.end() && !font->second.name.isEmpty())
        format.setFontFamilies({font->second.name});
    if (const QColor colour = Colour(chars.foreground); colour.isValid())
        format.setForeground(colour);
    // A highlight lies over the shading.
    if (const QColor colour = Colour(chars.background); colour.isValid())
        format.setBackground(colour);
    else if (const QColor shade = Shade(chars.shading); shade.isValid())
        format.setBackground(shade);
    if (chars.shift != Shift::None)
        format.setVerticalAlignment(chars.shift == Shift::Up ? QTextCharFormat::AlignSuperScript
                                                             : QTextCharFormat::AlignSubScript);
    return format;
}

// The document's tab stops between those a paragraph sets.
void CRtfReader::SetDefaultTabWidth(int twips)
{
    QTextDocument* document = m_cursor.document();
    QTextOption option = document->defaultTextOption();
    option.setTabStopDistance(TwipsToPixels(twips));
    document->setDefaultTextOption(option);
}

// RTF measures tab stops from the margin, the text document from where the
// paragraph's first line starts. A hanging indent makes a stop of its own
// at the left indent, as word processors do.
QList<QTextOption::Tab> CRtfReader::TabStops(const ParaState& para)
{
    const int lineStart = para.leftIndent + para.firstIndent;
    std::vector<QTextOption::Tab> stops = para.tabs;
    if (para.firstIndent < 0)
        stops.emplace_back(para.leftIndent, QTextOption::LeftTab);
    std::sort(stops.begin(), stops.end(), [](const auto& a, const auto& b) { return a.position < b.position; });
    QList<QTextOption::Tab> tabs;
    for (QTextOption::Tab stop : stops) {
        if (stop.position <= lineStart)
            continue;
        stop.position = TwipsToPixels(stop.position - lineStart);
        tabs.push_back(stop);
    }
    return tabs;
}

const QTextBlockFormat& CRtfReader::BlockFormat(const ParaState& para)
{
    if (!m_paraFormat || !(m_paraFormat->first == para))
        m_paraFormat.emplace(para, MakeBlockFormat(para));
    return m_paraFormat->second;
}

QTextBlockFormat CRtfReader::MakeBlockFormat(const ParaState& para) const
{
    QTextBlockFormat format;
    if (!para.tabs.empty() || para.firstIndent < 0)
        format.setTabPositions(TabStops(para));
    format.setAlignment(para.alignment);
    format.setLeftMargin(TwipsToPixels(std::max(para.leftIndent, 0)));
    format.setRightMargin(TwipsToPixels(std::max(para.rightIndent, 0)));
    format.setTextIndent(TwipsToPixels(para.firstIndent));
    format.setTopMargin(TwipsToPixels(std::max(para.spaceBefore, 0)));
    format.setBottomMargin(TwipsToPixels(std::max(para.spaceAfter, 0)));
    if (const QColor shade = Shade(para.shading); shade.isValid())
        format.setBackground(shade);
    return format;
}
