#pragma once
#include <QIcon>

// stamper's icon, for the captions and the task bar of its windows.
QIcon StamperIcon();
