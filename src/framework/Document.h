#pragma once
#include "CmdTarget.h"

#include <string>
#include <vector>

class CView;

// The hub through which the panes notify each other.
class CDocument : public CCmdTarget {
public:
    // Panes are kept in the order they were added (their creation order).
    void AddView(CView& view);
    const std::vector<CView*>& Views() const { return views_; }

    // Calls OnUpdate of every pane except the sender.
    void UpdateAllViews(CView* sender, int hint, const std::string& text);

    // Offers the command to every pane except the active one, in creation
    // order; true at the first that takes it.
    bool RouteCmdToAllViews(CView* active, int id, CCmdUI* query);

    // Gives every pane its first update.
    void InitialUpdateAllViews();

    const std::string& Title() const { return title_; }
    void SetTitle(std::string title) { title_ = std::move(title); }

private:
    std::vector<CView*> views_;
    std::string title_;
};
