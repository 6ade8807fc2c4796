#pragma once
#include <QIcon>
#include <QPixmap>
#include <QString>

// A PNG of the program's own, read as PNG. Left to guess the format, Qt
// loads every image-format plugin it has (and the libraries they need) to
// ask each about the file; the program's start paid for that. An unreadable
// file gives a null picture, as a guessing read would.
QPixmap PngPixmap(const QString& path);
QIcon PngIcon(const QString& path);
