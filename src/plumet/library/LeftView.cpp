#include "LeftView.h"

CLeftView::CLeftView(PlumetState& state, QWidget* parent)
    : QTreeWidget(parent), CView(static_cast<QWidget&>(*this)), state_(state)
{
    setObjectName(QStringLiteral("folderTree"));
    setHeaderHidden(true);
}
