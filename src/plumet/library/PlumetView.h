#pragma once
#include "View.h"

#include <QTableView>

struct PlumetState;

// The file list pane.
class CPlumetView : public QTableView, public CView {
public:
    CPlumetView(PlumetState& state, QWidget* parent = nullptr);

protected:
    PlumetState& state_;
};
