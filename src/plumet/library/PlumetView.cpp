#include "PlumetView.h"

CPlumetView::CPlumetView(PlumetState& state, QWidget* parent)
    : QTableView(parent), CView(static_cast<QWidget&>(*this)), state_(state)
{
    setObjectName(QStringLiteral("fileList"));
}
