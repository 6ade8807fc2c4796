#pragma once

#include <memory>
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
    // The stored text, or null past the end.
    const char* GetAt(int index) const;

private:
    struct Node
    {
        std::string text;
        std::unique_ptr<Node> next;
    };

    std::unique_ptr<Node> m_head;
    // Kept so that appending a long body stays linear.
    Node* m_tail = nullptr;
};
