#include "ProgressDlg.h"

#include "MainWindow.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {
QString Percent(const CProgressDlg& progress)
{
    return progress.Window()->findChild<QLabel*>("percentLabel")->text();
}
int Bar(const CProgressDlg& progress)
{
    return progress.Window()->findChild<QProgressBar*>("progressBar")->value();
}
}  // namespace

TEST(ProgressDlg, LabelShowsTenPercentStepsAndWrapsAfterAHundred)
{
    CProgressDlg progress(0);
    ASSERT_TRUE(progress.Create());
    EXPECT_EQ(progress.Window()->windowTitle(), QStringLiteral("Retreiving Information"));
    EXPECT_EQ(Percent(progress), QStringLiteral(" 0 %"));
    EXPECT_EQ(progress.StepIt(), 0);
    EXPECT_EQ(Percent(progress), QStringLiteral("10%"));
    for (int i = 2; i <= 10; ++i)
        progress.StepIt();
    EXPECT_EQ(Percent(progress), QStringLiteral("100%"));
    EXPECT_EQ(Bar(progress), 100);
    EXPECT_EQ(progress.StepIt(), 100);
    EXPECT_EQ(Percent(progress), QStringLiteral("10%"));
    EXPECT_EQ(Bar(progress), 10);
    progress.StepIt();
    EXPECT_EQ(Percent(progress), QStringLiteral("20%"));
}

TEST(ProgressDlg, PercentTextOfAPosition)
{
    const std::pair<int, const char*> cases[] = {{0, "0%"}, {40, "40%"}, {99, "99%"}, {100, "100%"}, {110, "10%"}, {200, "0%"}};
    for (const auto& [position, text] : cases)
        EXPECT_EQ(ProgressPercentText(position, 0, 100), text) << position;
}

TEST(ProgressDlg, StepItRunsPendingEventsBeforeItAdvances)
{
    CProgressDlg progress;
    progress.Create();
    QString labelWhenRun;
    QMetaObject::invokeMethod(
        qApp, [&] { labelWhenRun = Percent(progress); }, Qt::QueuedConnection);
    progress.StepIt();
    EXPECT_EQ(labelWhenRun, QStringLiteral(" 0 %"));
    EXPECT_EQ(Percent(progress), QStringLiteral("10%"));
}

// The owner blocks on the network right after a step: what is on screen
// until the next step is what was painted before StepIt returned.
TEST(ProgressDlg, TheLabelIsPaintedWithItsStepBeforeStepItReturns)
{
    CProgressDlg progress;
    progress.Create();
    QLabel* label = progress.Window()->findChild<QLabel*>("percentLabel");
    struct PaintWatch : QObject {
        QString painted;
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (event->type() == QEvent::Paint)
                painted = static_cast<QLabel*>(watched)->text();
            return false;
        }
    } watch;
    label->installEventFilter(&watch);
    for (const char* expected : {"10%", "20%", "30%", "40%"}) {
        progress.StepIt();
        EXPECT_EQ(watch.painted, QString::fromLatin1(expected));
    }
}

TEST(ProgressDlg, DisablesOnlyAnOwnerThatWasEnabled)
{
    QWidget owner;
    owner.show();
    {
        CProgressDlg progress;
        progress.Create(&owner);
        EXPECT_FALSE(owner.isEnabled());
        progress.DestroyWindow();
        EXPECT_TRUE(owner.isEnabled());
        EXPECT_EQ(progress.Window(), nullptr);
    }
    owner.setEnabled(false);
    {
        CProgressDlg progress;
        progress.Create(&owner);
        progress.StepIt();
    }
    EXPECT_FALSE(owner.isEnabled()) << "an owner disabled before stays disabled";
}

TEST(ProgressDlg, WithoutParentTheApplicationsMainWindowIsTheOwner)
{
    QWidget mainWindow;
    SetApplicationMainWindow(&mainWindow);
    {
        CProgressDlg progress;
        progress.Create();
        EXPECT_FALSE(mainWindow.isEnabled());
    }
    EXPECT_TRUE(mainWindow.isEnabled());
    SetApplicationMainWindow(nullptr);
}

TEST(ProgressDlg, CancelEscEnterAndTheCloseBoxChangeNothing)
{
    CProgressDlg progress;
    progress.Create();
    QDialog& window = *progress.Window();
    progress.StepIt();
    QTest::mouseClick(window.findChild<QPushButton*>("cancelButton"), Qt::LeftButton);
    QTest::keyClick(&window, Qt::Key_Escape);
    QTest::keyClick(&window, Qt::Key_Return);
    window.close();
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.result(), 0);
    EXPECT_EQ(Percent(progress), QStringLiteral("10%"));
    EXPECT_EQ(progress.StepIt(), 10);
}
