#include "ModalRun.h"

#include <QDialog>

#include <utility>

namespace {
ModalHandler& Handler()
{
    static ModalHandler handler;
    return handler;
}
}  // namespace

ModalHandler SetModalHandler(ModalHandler handler)
{
    return std::exchange(Handler(), std::move(handler));
}

int RunModal(QDialog& dialog)
{
    if (Handler())
        return Handler()(dialog);
    return dialog.exec();
}
