#include "MyEdit.h"

MyEdit::MyEdit(PlumetState& state, QWidget* parent)
    : QPlainTextEdit(parent), CView(static_cast<QWidget&>(*this)), state_(state)
{
    setObjectName(QStringLiteral("editor"));
}
