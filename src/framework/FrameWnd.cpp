#include "FrameWnd.h"

#include "CmdUI.h"
#include "Document.h"
#include "View.h"

#include <QApplication>

#include <algorithm>

CFrameWnd::CFrameWnd(std::string applicationName)
    : applicationName_(std::move(applicationName))
{
    OnCommand(kNextPane, [this] { CyclePane(+1); });
    OnCommand(kPreviousPane, [this] { CyclePane(-1); });
    focusWatch_ = connect(qApp, &QApplication::focusChanged, this,
                          [this](QWidget*, QWidget* now) { OnFocusChanged(now); });
}

CFrameWnd::~CFrameWnd()
{
    disconnect(focusWatch_);
}

void CFrameWnd::SetActivePane(CView* pane)
{
    activePane_ = pane;
    if (pane)
        pane->Widget().setFocus(Qt::OtherFocusReason);
}

bool CFrameWnd::RouteCommand(int id, CCmdUI* query)
{
    CView* const active = activePane_;
    if (active && active->OnCmdMsg(id, query))
        return true;
    if (OnCmdMsg(id, query))
        return true;
    if (application_ && application_->OnCmdMsg(id, query))
        return true;
    return document_ && document_->RouteCmdToAllViews(active, id, query);
}

bool CFrameWnd::IsCommandEnabled(int id)
{
    CCmdUI query(id);
    return RouteCommand(id, &query) && query.Enabled();
}

void CFrameWnd::ExecuteCommand(int id)
{
    if (IsCommandEnabled(id))
        RouteCommand(id, nullptr);
}

void CFrameWnd::UpdateFrameTitle()
{
    const std::string title = document_ ? document_->Title() : std::string();
    setWindowTitle(QString::fromLocal8Bit(title + " - " + applicationName_));
}

void CFrameWnd::CyclePane(int step)
{
    if (!document_ || document_->Views().empty())
        return;
    const auto& views = document_->Views();
    const auto count = int(views.size());
    const auto found = std::find(views.begin(), views.end(), activePane_);
    const int current = found == views.end() ? (step > 0 ? -1 : 0) : int(found - views.begin());
    SetActivePane(views[size_t(((current + step) % count + count) % count)]);
}

void CFrameWnd::OnFocusChanged(QWidget* now)
{
    if (!document_ || !now)
        return;
    for (CView* view : document_->Views()) {
        QWidget& widget = view->Widget();
        if (&widget == now || widget.isAncestorOf(now)) {
            activePane_ = view;
            return;
        }
    }
}
