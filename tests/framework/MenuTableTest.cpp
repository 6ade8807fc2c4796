#include "MenuTable.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

#include <set>

namespace {
struct Recorder {
    std::vector<int> ran;
    std::set<int> enabled;
    CommandSink Sink()
    {
        return {[this](int id) { ran.push_back(id); }, [this](int id) { return enabled.count(id) > 0; }};
    }
};
}  // namespace

TEST(MenuTable, MenusShowTextsAndAskForEnabledStateWhenOpened)
{
    QMainWindow window;
    Recorder recorder;
    recorder.enabled = {10};
    BuildMenuBar(*window.menuBar(), {{"&File", {{"&New\tCtrl+N", 10}, {}, {"Gone", 11}}}}, recorder.Sink());

    auto* file = window.menuBar()->findChild<QMenu*>();
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->title(), QStringLiteral("&File"));
    ASSERT_EQ(file->actions().size(), 3);
    EXPECT_EQ(file->actions()[0]->text(), QStringLiteral("&New\tCtrl+N"));
    EXPECT_TRUE(file->actions()[1]->isSeparator());

    emit file->aboutToShow();
    EXPECT_TRUE(file->actions()[0]->isEnabled());
    EXPECT_FALSE(file->actions()[2]->isEnabled());

    file->actions()[0]->trigger();
    EXPECT_EQ(recorder.ran, std::vector<int>{10});
}

TEST(MenuTable, AcceleratorsSendTheirCommands)
{
    QMainWindow window;
    Recorder recorder;
    InstallAccelerators(window, {{QKeySequence(Qt::ALT | Qt::Key_Backspace), 57643},
                                 {QKeySequence(Qt::SHIFT | Qt::Key_F6), 57681}},
                        recorder.Sink());
    ASSERT_EQ(window.actions().size(), 2);
    EXPECT_EQ(window.actions()[0]->shortcut(), QKeySequence(Qt::ALT | Qt::Key_Backspace));
    for (QAction* action : window.actions())
        action->trigger();
    EXPECT_EQ(recorder.ran, (std::vector<int>{57643, 57681}));
}
