#pragma once
#include "View.h"

#include <QTreeWidget>

struct PlumetState;

// The folder tree pane.
class CLeftView : public QTreeWidget, public CView {
public:
    CLeftView(PlumetState& state, QWidget* parent = nullptr);

protected:
    PlumetState& state_;
};
