#pragma once
#include <QColor>
#include <QPalette>

// A dark colour scheme, as a desktop's platform theme gives it to every
// program, set for the life of the object.
class ScopedDarkScheme {
public:
    ScopedDarkScheme();
    ~ScopedDarkScheme();
    ScopedDarkScheme(const ScopedDarkScheme&) = delete;
    ScopedDarkScheme& operator=(const ScopedDarkScheme&) = delete;

private:
    QPalette previous_;
};

// How far apart two colours are to the eye: 1 (the same) to 21 (black and
// white); 4.5 is the least that ordinary text needs.
double ContrastRatio(const QColor& a, const QColor& b);
