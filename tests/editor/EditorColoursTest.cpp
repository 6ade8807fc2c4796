#include "DarkScheme.h"
#include "MyEdit.h"
#include "PlumetState.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

double TextContrast(const QWidget& pane)
{
    return ContrastRatio(pane.palette().color(QPalette::Text), pane.palette().color(QPalette::Base));
}

// The scheme may come before the pane is made or change while it is shown.
TEST(EditorColours, TextStaysReadableUnderADarkScheme)
{
    PlumetState state;
    {
        ScopedDarkScheme dark;
        MyEdit editor(state);
        EXPECT_GE(TextContrast(editor), 4.5);
    }
    MyEdit editor(state);
    ScopedDarkScheme dark;
    EXPECT_GE(TextContrast(editor), 4.5);
}

}  // namespace
