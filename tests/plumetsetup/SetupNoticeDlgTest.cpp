#include "SetupNoticeApp.h"
#include "SetupNoticeDlg.h"

#include "DialogUnits.h"
#include "ScriptedDialogs.h"
#include "ScriptedServer.h"
#include "TestEnvironment.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimerEvent>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* const kNotice =
    "{\\rtf1\\ansi{\\colortbl;\\red0\\green0\\blue128;}\r\n"
    "\\cf1\\b Welcome\\b0\\cf0\\par\r\n"
    "Thank you.\\par}\r\n";

ScriptedServer::Script Answer(const std::string& contentType, const std::string& body)
{
    return {{{"HTTP/1.0 200 OK\r\nContent-Type: " + contentType + "\r\n\r\n" + body}}};
}

struct SetupNoticeDlgTest : ::testing::Test {
    TestEnvironment environment;
    std::vector<int> exits;
    CSetupNoticeDlg dialog{[this](int code) { exits.push_back(code); }};

    void ContentServerOn(int port) { environment.PointServersAt(port, UnusedLoopbackPort()); }
    QTextEdit& Notice() { return Child<QTextEdit>(dialog, "noticeText"); }
    QPushButton& Continue() { return Child<QPushButton>(dialog, "continueButton"); }

    // The dialog's timers as the event loop holds them: (id, period) pairs.
    std::vector<std::pair<int, int>> Timers()
    {
        std::vector<std::pair<int, int>> timers;
        for (const auto& timer : QAbstractEventDispatcher::instance()->registeredTimers(&dialog))
            timers.emplace_back(timer.timerId, timer.interval);
        return timers;
    }
    // Delivers an expiry of the dialog's one timer instead of waiting for it.
    void TimerExpires()
    {
        ASSERT_EQ(Timers().size(), 1u);
        QTimerEvent expiry(Timers()[0].first);
        QCoreApplication::sendEvent(&dialog, &expiry);
    }
    void Press(QWidget& target, int key)
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(&target, &press);
    }
};

TEST_F(SetupNoticeDlgTest, ShowsTheNoticeFormattedAndWaitsForTheTimerBeforeContinue)
{
    ScriptedServer server(Answer("text/plain", kNotice));
    ContentServerOn(server.Port());
    dialog.OnInitDialog();
    dialog.show();

    EXPECT_EQ(server.Request().substr(0, 35), "GET /kestrin/plastall.txt HTTP/1.0\r");
    EXPECT_EQ(Notice().toPlainText(), "Welcome\nThank you.");
    const QTextCharFormat welcome = Notice().document()->begin().begin().fragment().charFormat();
    EXPECT_EQ(welcome.fontWeight(), QFont::Bold);
    EXPECT_EQ(welcome.foreground().color(), QColor(0, 0, 128));

    EXPECT_FALSE(Continue().isEnabled());
    EXPECT_EQ(Timers(), (std::vector<std::pair<int, int>>{{Timers()[0].first, 25000}}));
    TimerExpires();
    EXPECT_TRUE(Continue().isEnabled());
    TimerExpires();  // later expiries find it enabled
    EXPECT_TRUE(Continue().isEnabled());

    EXPECT_TRUE(exits.empty());
    Continue().click();
    EXPECT_EQ(exits, std::vector<int>{0});
    EXPECT_TRUE(dialog.isVisible()) << "the program ends before the dialog would close";
}

TEST_F(SetupNoticeDlgTest, EnterInTheBoxContinuesOnlyOnceEnabledAndTypesNoLine)
{
    ContentServerOn(UnusedLoopbackPort());
    dialog.OnInitDialog();
    dialog.show();
    Press(Notice(), Qt::Key_Return);
    EXPECT_TRUE(exits.empty());
    EXPECT_EQ(Notice().toPlainText(), "");
    TimerExpires();
    Press(Notice(), Qt::Key_Enter);
    EXPECT_EQ(exits, std::vector<int>{0});
    EXPECT_EQ(Notice().toPlainText(), "");
}

TEST_F(SetupNoticeDlgTest, EscapeClosesTheDialog)
{
    ContentServerOn(UnusedLoopbackPort());
    dialog.OnInitDialog();
    dialog.show();
    Press(dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(exits.empty());
}

struct FailedDownload {
    const char* name;
    bool serverRuns;
    const char* contentType;
};

class SetupNoticeFailureTest : public SetupNoticeDlgTest, public ::testing::WithParamInterface<FailedDownload> {};

TEST_P(SetupNoticeFailureTest, LeavesTheBoxEmptyAndContinueStillComes)
{
    std::unique_ptr<ScriptedServer> server;
    if (GetParam().serverRuns)
        server = std::make_unique<ScriptedServer>(Answer(GetParam().contentType, kNotice));
    ContentServerOn(server ? server->Port() : UnusedLoopbackPort());
    ScopedMessageScript messages;
    dialog.OnInitDialog();

    EXPECT_EQ(Notice().toPlainText(), "");
    EXPECT_TRUE(messages.Shown().empty());
    EXPECT_FALSE(Continue().isEnabled());
    TimerExpires();
    EXPECT_TRUE(Continue().isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Downloads, SetupNoticeFailureTest,
                         ::testing::Values(FailedDownload{"NoServer", false, ""},
                                           FailedDownload{"BinaryAnswer", true, "application/octet-stream"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SetupNoticeDlgTest, HasACaptionAndNoWindowButtons)
{
    EXPECT_EQ(dialog.windowTitle(), "Plumet Assistant Setup");
    EXPECT_EQ(dialog.size(), DialogUnitSize(MeasureBaseUnits(dialog.font()), 295, 199));
    const Qt::WindowFlags flags = dialog.windowFlags();
    EXPECT_TRUE(flags & Qt::WindowTitleHint);
    EXPECT_FALSE(flags & (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint
                          | Qt::WindowSystemMenuHint));
    EXPECT_TRUE(Continue().isDefault());
    EXPECT_FALSE(Notice().isReadOnly());
    ContentServerOn(UnusedLoopbackPort());
    dialog.OnInitDialog();
    EXPECT_EQ(dialog.windowIcon().availableSizes(), (QList<QSize>{{32, 32}, {16, 16}}));
}

TEST(SetupNoticeApp, RunsTheDialogModallyWithTheNoticeLoadedAndEndsWithZero)
{
    TestEnvironment environment;
    ScriptedServer server(Answer("text/html", kNotice));
    environment.PointServersAt(server.Port(), UnusedLoopbackPort());
    std::string shown;
    ScopedModalScript script({[&](QDialog& dialog) {
        shown = Child<QTextEdit>(dialog, "noticeText").toPlainText().toStdString();
        return int(QDialog::Rejected);
    }});
    EXPECT_EQ(CSetupNoticeApp().Run(), 0);
    EXPECT_EQ(script.Runs(), 1);
    EXPECT_EQ(shown, "Welcome\nThank you.");
}

TEST(SetupNoticeExit, EndsTheProcessWithItsCode)
{
    EXPECT_EXIT(CSetupNoticeDlg::ExitNow(0), ::testing::ExitedWithCode(0), "");
}

}  // namespace
