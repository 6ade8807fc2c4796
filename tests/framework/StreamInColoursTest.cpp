#include "DarkScheme.h"
#include "RtfStreamIn.h"

#include <QTextBlock>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace {

struct ColourCase {
    const char* rtf;
    bool page;  // shown on a white page rather than the desktop's colours
};

class StreamInColours : public testing::TestWithParam<ColourCase> {};

// Every run of the text must stand out from the box's background.
TEST_P(StreamInColours, TextStaysReadableUnderADarkScheme)
{
    ScopedDarkScheme dark;
    QTextEdit box;
    StreamInRtf(box, GetParam().rtf);
    const QColor background = box.palette().color(QPalette::Base);
    EXPECT_EQ(background == Qt::white, GetParam().page);
    int runs = 0;
    for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            const QColor text = format.hasProperty(QTextFormat::ForegroundBrush) ? format.foreground().color()
                                                                                 : box.palette().color(QPalette::Text);
            EXPECT_GE(ContrastRatio(text, background), 4.5) << it.fragment().text().toStdString();
            ++runs;
        }
    }
    EXPECT_GT(runs, 0);
}

INSTANTIATE_TEST_SUITE_P(
    RtfStreamIn, StreamInColours,
    testing::Values(ColourCase{"{\\rtf1 plain words}", false}, ColourCase{"not rich text at all", false},
                    ColourCase{"{\\rtf1{\\colortbl;\\red31\\green73\\blue125;}\\cf1 blue\\cf0  and plain}", true}));

}  // namespace
