#include "Document.h"

#include "View.h"

void CDocument::AddView(CView& view)
{
    view.document_ = this;
    views_.push_back(&view);
}

void CDocument::UpdateAllViews(CView* sender, int hint, const std::string& text)
{
    // A pane may notify again while being notified; iterate over a copy.
    const std::vector<CView*> views = views_;
    for (CView* view : views)
        if (view != sender)
            view->OnUpdate(sender, hint, text);
}

bool CDocument::RouteCmdToAllViews(CView* active, int id, CCmdUI* query)
{
    for (CView* view : views_)
        if (view != active && view->OnCmdMsg(id, query))
            return true;
    return false;
}

void CDocument::InitialUpdateAllViews()
{
    const std::vector<CView*> views = views_;
    for (CView* view : views)
        view->OnInitialUpdate();
}
