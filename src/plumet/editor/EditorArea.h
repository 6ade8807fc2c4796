#pragma once
#include <QWidget>

class CFindBar;
class CWriterEdit;

// The editor with its find bar beneath it, and the keys that work the bar
// while either has the focus: Ctrl+F, Ctrl+H, F3 and Shift+F3.
class CEditorArea : public QWidget {
public:
    CEditorArea(CWriterEdit& editor, QWidget* parent = nullptr);

    CFindBar& FindBar() { return *findBar_; }

private:
    CFindBar* findBar_;
};
