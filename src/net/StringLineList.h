#pragma once

#include <deque>
#include <string>

// An owning, insertion-ordered list of NUL-terminated text lines.
class CStringLineList
{
public:
    CStringLineList() = default;
    CStringLineList(const CStringLineList&) = delete;
    CStringLineList& operator=(const CStringLineList&) = delete;
    virtual ~CStringLineList();

    // Stores a copy of `text` at the end (a null text is stored as empty). Returns 1.
    int Add(const char* text);
    // Frees every line. Returns 1.
    int RemoveAll();
    int GetCount() const;
    // The stored text, or null past the end. Constant time, so walking a long
    // list by index stays linear; a text stays where it is while lines are added.
    const char* GetAt(int index) const;

private:
    std::deque<std::string> m_lines;
};
