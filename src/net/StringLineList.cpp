#include "StringLineList.h"

CStringLineList::~CStringLineList()
{
    RemoveAll();
}

int CStringLineList::Add(const char* text)
{
    auto node = std::make_unique<Node>();
    node->text = text != nullptr ? text : "";
    Node* added = node.get();
    if (m_tail != nullptr)
        m_tail->next = std::move(node);
    else
        m_head = std::move(node);
    m_tail = added;
    return 1;
}

int CStringLineList::RemoveAll()
{
    // Unlinked one by one: a recursive chain of destructors could exhaust the stack.
    while (m_head)
        m_head = std::move(m_head->next);
    m_tail = nullptr;
    return 1;
}

int CStringLineList::GetCount() const
{
    int count = 0;
    for (const Node* node = m_head.get(); node != nullptr; node = node->next.get())
        ++count;
    return count;
}

const char* CStringLineList::GetAt(int index) const
{
    if (index < 0)
        return nullptr;
    const Node* node = m_head.get();
    for (int i = 0; node != nullptr && i < index; ++i)
        node = node->next.get();
    return node != nullptr ? node->text.c_str() : nullptr;
}
