#include "StringLineList.h"

#include <climits>

CStringLineList::~CStringLineList() = default;

int CStringLineList::Add(const char* text)
{
    m_lines.emplace_back(text != nullptr ? text : "");
    return 1;
}

int CStringLineList::RemoveAll()
{
    // Swapped out rather than cleared, so the memory goes back at once.
    std::deque<std::string>().swap(m_lines);
    return 1;
}

int CStringLineList::GetCount() const
{
    return m_lines.size() > INT_MAX ? INT_MAX : static_cast<int>(m_lines.size());
}

const char* CStringLineList::GetAt(int index) const
{
    if (index < 0 || static_cast<size_t>(index) >= m_lines.size())
        return nullptr;
    return m_lines[static_cast<size_t>(index)].c_str();
}
