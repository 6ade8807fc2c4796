#pragma once
#include "View.h"

#include <QPlainTextEdit>

struct PlumetState;

// The editor pane.
class MyEdit : public QPlainTextEdit, public CView {
public:
    MyEdit(PlumetState& state, QWidget* parent = nullptr);

protected:
    PlumetState& state_;
};
