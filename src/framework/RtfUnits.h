#pragma once
#include <QtGlobal>

#include <algorithm>

// RTF measures in twips; the document lays out in pixels at 96 per inch.
inline qreal TwipsToPixels(qreal twips)
{
    return twips / 15.0;
}

// Lengths beyond 22 inches, the most a word processor offers, are cut to it.
inline int Twips(int value)
{
    return std::clamp(value, -31680, 31680);
}
