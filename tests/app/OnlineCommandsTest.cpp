#include "AppFixture.h"
#include "CommandIds.h"
#include "ShellOpen.h"
#include "ScriptedServer.h"

#include <QDialog>
#include <QEvent>
#include <QFile>
#include <QLineEdit>
#include <QTimer>

#include <cstdlib>
#include <filesystem>

namespace {
using OnlineCommands = AppFixture;

// A stand-in stamper in the current folder that records its arguments,
// folder and one variable of its environment, then ends after a pause.
void WriteStandInStamper(const std::string& folder)
{
    const std::string path = folder + "/stamper";
    WriteBytes(path, "#!/bin/sh\n"
                     "printf '%s|%s|%s\\n' \"$#\" \"$PWD\" \"$PLUMET_STAMP_MARK\" > record\n"
                     "sleep 0.3\n"
                     "echo ended >> record\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
}

// The version dialog is not on screen when its fetch fails: the box must not
// open in a corner of the screen.
TEST_F(OnlineCommands, VersionCheckFailureOpensOverTheMainWindow)
{
    env.PointServersAt(UnusedLoopbackPort(), UnusedLoopbackPort());
    Frame().move(40, 30);
    ScopedRealMessageBoxes boxes;
    ScopedModalScript dialogs;
    Frame().ExecuteCommand(CommandId::CheckForUpgrades);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    const QPoint offset = boxes.Shown()[0].centre - Frame().frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 4) << offset.x() << "," << offset.y();
}

TEST_F(OnlineCommands, StampStartsStamperWithoutArgumentsAndWaitsForIt)
{
    WriteStandInStamper(env.Folder());
    setenv("PLUMET_STAMP_MARK", "inherited", 1);
    ScopedMessageScript messages;
    Frame().ExecuteCommand(CommandId::StampSoftware);
    unsetenv("PLUMET_STAMP_MARK");
    EXPECT_EQ(ReadBytes(env.Folder() + "/record"), "0|" + env.Folder() + "|inherited\nended\n");
    EXPECT_TRUE(messages.Shown().empty());
}

// Marks, by a file, that the main window was painted.
class PaintMark : public QObject {
public:
    explicit PaintMark(std::string path) : path_(std::move(path)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            WriteBytes(path_, "painted");
        return false;
    }

private:
    std::string path_;
};

TEST_F(OnlineCommands, WhileStamperRunsTheWindowKeepsPainting)
{
    // The stand-in ends as soon as the window has painted during the wait,
    // or after five seconds.
    const std::string stamper = env.Folder() + "/stamper";
    WriteBytes(stamper, "#!/bin/sh\n"
                        "i=0\n"
                        "while [ ! -e painted ] && [ $i -lt 500 ]; do sleep 0.01; i=$((i+1)); done\n");
    std::filesystem::permissions(stamper, std::filesystem::perms::owner_all);
    PaintMark mark(env.Folder() + "/painted");
    QTimer::singleShot(0, &Frame(), [&] {
        Frame().installEventFilter(&mark);
        Frame().update();
    });
    ScopedMessageScript messages;
    Frame().ExecuteCommand(CommandId::StampSoftware);
    Frame().removeEventFilter(&mark);
    EXPECT_TRUE(std::filesystem::exists(env.Folder() + "/painted"));
}

TEST_F(OnlineCommands, StampWithNoStamperAnywhereDoesNothing)
{
    const std::string path = getenv("PATH") ? getenv("PATH") : "";
    setenv("PATH", env.Folder().c_str(), 1);
    ScopedMessageScript messages;
    ScopedModalScript dialogs;
    Frame().ExecuteCommand(CommandId::StampSoftware);
    setenv("PATH", path.c_str(), 1);
    EXPECT_TRUE(messages.Shown().empty());
    EXPECT_EQ(dialogs.Runs(), 0);
}

TEST_F(OnlineCommands, HelpIndexOpensTheHelpPageOfTheCurrentFolderAndIsSilentWithoutOne)
{
    std::vector<std::string> opened;
    const ShellOpenHandler previous = SetShellOpenHandler([&](const std::string& url) { opened.push_back(url); });
    ScopedMessageScript messages;
    Frame().ExecuteCommand(CommandId::HelpIndex);
    WriteBytes(env.Folder() + "/help.htm", "<html></html>");
    Frame().ExecuteCommand(CommandId::HelpIndex);
    SetShellOpenHandler(previous);
    EXPECT_EQ(opened, std::vector<std::string>{"file://" + env.Folder() + "/help.htm"});
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(OnlineCommands, VersionCheckWithNoServerShowsTheMessageBeforeTheDialog)
{
    env.PointServersAt(UnusedLoopbackPort(), UnusedLoopbackPort());
    ScopedMessageScript messages;
    size_t messagesBefore = 99;
    QString field;
    ScopedModalScript dialogs({[&](QDialog& dialog) {
        messagesBefore = messages.Shown().size();
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Version Check"));
        field = Child<QLineEdit>(dialog, "latestVersionEdit").text();
        dialog.reject();
        return int(QDialog::Rejected);
    }});
    Frame().ExecuteCommand(CommandId::CheckForUpgrades);
    EXPECT_EQ(messagesBefore, 1u);
    EXPECT_EQ(dialogs.Runs(), 1);
    EXPECT_EQ(field, QString());
}
}  // namespace
