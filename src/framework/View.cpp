#include "View.h"

#include <QWidget>

void CView::OnUpdate(CView* /*sender*/, int /*hint*/, const std::string& /*text*/)
{
    widget_.update();
}
