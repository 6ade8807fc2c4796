#include "ModalRun.h"

#include <QDialog>

namespace {
ModalHandler& Handler()
{
    static ModalHandler handler;
    return handler;
}
}  // namespace

void SetModalHandler(ModalHandler handler)
{
    Handler() = std::move(handler);
}

int RunModal(QDialog& dialog)
{
    if (Handler())
        return Handler()(dialog);
    return dialog.exec();
}
