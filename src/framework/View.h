#pragma once
#include "CmdTarget.h"

#include <string>

class CDocument;
class QWidget;

// A pane showing the document. Mixed into the pane's widget class.
class CView : public CCmdTarget {
public:
    explicit CView(QWidget& widget) : widget_(widget) {}

    QWidget& Widget() const { return widget_; }
    CDocument* GetDocument() const { return document_; }

    // The document's first update, and again whenever the document is set up anew.
    virtual void OnInitialUpdate() {}
    // Another pane's notification.
    virtual void OnUpdate(CView* sender, int hint, const std::string& text);

private:
    friend class CDocument;
    QWidget& widget_;
    CDocument* document_ = nullptr;
};
