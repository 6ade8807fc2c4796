#pragma once

#include <cstddef>
#include <cstdint>

// Cuts a byte stream into lines that end in CR LF, however the bytes arrive.
// A line keeps its first kLineCapacity - 1 bytes; the rest of a longer line is
// dropped up to its end, so it never passes for a line of its own. A lone CR
// or LF is part of the line.
class CFtpLineSplitter
{
public:
    static constexpr int32_t kLineCapacity = 4096;

    // Takes bytes up to the end of the next line, or all of them; returns how
    // many it took. Once a line is complete it takes nothing until TakeLine.
    size_t Feed(const char* data, size_t size);
    bool LineComplete() const { return m_complete; }
    // Whether bytes of an unfinished line were taken.
    bool LineStarted() const { return m_started; }
    // The line taken so far without its CR LF, NUL-terminated and valid until
    // the next Feed; the splitter then starts a new line.
    const char* TakeLine();
    void Clear();

private:
    char m_line[kLineCapacity] = {};
    int32_t m_length = 0;
    bool m_started = false;
    bool m_complete = false;
    // The last byte seen was a CR, and whether it was kept or dropped.
    bool m_afterCr = false;
    bool m_crKept = false;
};
