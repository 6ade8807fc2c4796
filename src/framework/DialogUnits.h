#pragma once
#include <QRect>

// Dialog units at the classic 8-point base: 1.5 pixels across, 1.625 down.
// The .ui files hold positions converted the same way.
QRect DialogUnitRect(int x, int y, int width, int height);
QSize DialogUnitSize(int width, int height);
