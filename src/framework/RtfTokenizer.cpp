#include "RtfTokenizer.h"

#include <algorithm>
#include <limits>

namespace {
bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int HexValue(char c)
{
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool EndsText(char c)
{
    return c == '\\' || c == '{' || c == '}' || c == '\r' || c == '\n';
}

RtfToken Token(RtfToken::Kind kind)
{
    RtfToken token;
    token.kind = kind;
    return token;
}

constexpr int64_t kParameterLimit = std::numeric_limits<int32_t>::max();
}  // namespace

RtfToken CRtfTokenizer::Next()
{
    while (!AtEnd() && (m_input[m_pos] == '\r' || m_input[m_pos] == '\n'))
        ++m_pos;
    if (AtEnd())
        return {};
    switch (m_input[m_pos]) {
    case '{':
        ++m_pos;
        return Token(RtfToken::Kind::GroupStart);
    case '}':
        ++m_pos;
        return Token(RtfToken::Kind::GroupEnd);
    case '\\':
        ++m_pos;
        return ReadControl();
    default:
        return ReadText();
    }
}

RtfToken CRtfTokenizer::ReadText()
{
    const std::size_t start = m_pos;
    while (!AtEnd() && !EndsText(m_input[m_pos]))
        ++m_pos;
    RtfToken token = Token(RtfToken::Kind::Text);
    token.text = m_input.substr(start, m_pos - start);
    return token;
}

RtfToken CRtfTokenizer::ReadControl()
{
    RtfToken token;
    if (AtEnd()) {  // a lone backslash at the very end
        token.kind = RtfToken::Kind::ControlSymbol;
        token.symbol = '\\';
        return token;
    }
    const char first = m_input[m_pos];
    if (!IsLetter(first)) {
        ++m_pos;
        if (first == '\r' || first == '\n') {
            token.kind = RtfToken::Kind::ControlWord;
            token.text = "par";
            return token;
        }
        if (first == '\'') {
            int value = 0;
            int digits = 0;
            while (digits < 2 && !AtEnd() && HexValue(m_input[m_pos]) >= 0) {
                value = value * 16 + HexValue(m_input[m_pos++]);
                ++digits;
            }
            if (digits == 2) {
                token.kind = RtfToken::Kind::HexByte;
                token.parameter = value;
                token.hasParameter = true;
                return token;
            }
        }
        token.kind = RtfToken::Kind::ControlSymbol;
        token.symbol = first;
        return token;
    }

    const std::size_t start = m_pos;
    while (!AtEnd() && IsLetter(m_input[m_pos]))
        ++m_pos;
    token.kind = RtfToken::Kind::ControlWord;
    token.text = m_input.substr(start, std::min(m_pos - start, kMaxWordLength));

    bool negative = false;
    if (m_pos + 1 < m_input.size() && m_input[m_pos] == '-' && IsDigit(m_input[m_pos + 1])) {
        negative = true;
        ++m_pos;
    }
    if (!AtEnd() && IsDigit(m_input[m_pos])) {
        // Enormous parameters saturate instead of overflowing.
        int64_t value = 0;
        while (!AtEnd() && IsDigit(m_input[m_pos])) {
            value = std::min(value * 10 + (m_input[m_pos] - '0'), kParameterLimit);
            ++m_pos;
        }
        token.parameter = static_cast<int32_t>(negative ? -value : value);
        token.hasParameter = true;
    }
    if (!AtEnd() && m_input[m_pos] == ' ')
        ++m_pos;

    if (token.text == "bin") {
        // The next N bytes are data, whatever they hold; past the end is cut short.
        const std::size_t length = token.parameter > 0 ? static_cast<std::size_t>(token.parameter) : 0;
        RtfToken data = Token(RtfToken::Kind::Binary);
        data.text = m_input.substr(m_pos, std::min(length, m_input.size() - m_pos));
        m_pos += data.text.size();
        return data;
    }
    return token;
}
