#include "MessageBox.h"

#include <QMessageBox>

#include <gtest/gtest.h>

namespace {

// A window manager draws the caption bold and larger than the dialog face,
// beside the window's icon and its minimise, maximise and close buttons.
int RoomAWindowManagerNeeds(const QMessageBox& box)
{
    QFont title(box.font());
    title.setBold(true);
    const int titleBarHeight = QFontMetrics(box.font()).height() * 2;
    return QFontMetrics(title).horizontalAdvance(box.windowTitle()) * 6 / 5 + 4 * titleBarHeight;
}

TEST(MessageBoxCaption, ShortTextsStillShowTheWholeCaption)
{
    for (const char* caption : {"Plumet Assistant", "Quorvel Partner Mintery", "stamper"}) {
        for (MessageButtons buttons : {MessageButtons::Ok, MessageButtons::YesNo}) {
            const auto box = MakeMessageBox(nullptr, {caption, "Done.", buttons});
            box->show();
            EXPECT_GE(box->width(), RoomAWindowManagerNeeds(*box)) << caption;
            box->hide();
        }
    }
}

}  // namespace
