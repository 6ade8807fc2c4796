#pragma once
#include "CmdTarget.h"

#include <QMainWindow>

#include <string>

class CDocument;
class CView;

// The main window: owns the command route and knows the active pane.
//
// A command, or a query of its enabled state, goes to the active pane, then
// this window, then the application; when none takes it, the document offers
// it to the other panes in creation order.
class CFrameWnd : public QMainWindow, public CCmdTarget {
public:
    static constexpr int kNextPane = 57680;
    static constexpr int kPreviousPane = 57681;

    explicit CFrameWnd(std::string applicationName);
    ~CFrameWnd() override;

    void SetDocument(CDocument* document) { document_ = document; }
    CDocument* GetDocument() const { return document_; }
    void SetApplication(CCmdTarget* application) { application_ = application; }

    // The pane that last held the keyboard focus.
    CView* ActivePane() const { return activePane_; }
    void SetActivePane(CView* pane);

    bool RouteCommand(int id, CCmdUI* query);
    bool IsCommandEnabled(int id);
    // Runs the command when someone takes it and it is enabled.
    void ExecuteCommand(int id);

    // "<document title> - <application name>".
    void UpdateFrameTitle();

private:
    void CyclePane(int step);
    void OnFocusChanged(QWidget* now);

    std::string applicationName_;
    CDocument* document_ = nullptr;
    CCmdTarget* application_ = nullptr;
    CView* activePane_ = nullptr;
    QMetaObject::Connection focusWatch_;
};
