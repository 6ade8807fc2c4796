#include "ProgramIcon.h"

QIcon StamperIcon()
{
    QIcon icon(QStringLiteral(":/stamper/stamper-icon.png"));
    icon.addFile(QStringLiteral(":/stamper/stamper-icon-16.png"));
    return icon;
}
