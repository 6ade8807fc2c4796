#include "AppFixture.h"
#include "CommandIds.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>

namespace {
// "title: item|item|-|item" for every menu, as the menu bar shows it.
QStringList Describe(QMenuBar& bar)
{
    QStringList menus;
    for (QAction* top : bar.actions()) {
        QStringList items;
        for (QAction* item : top->menu()->actions())
            items << (item->isSeparator() ? QStringLiteral("-")
                                          : item->text() + "=" + item->property("commandId").toString());
        menus << top->text() + ": " + items.join('|');
    }
    return menus;
}
}  // namespace

using MainMenu = AppFixture;

TEST_F(MainMenu, MenuBarHoldsEveryItemWithItsTextAndCommand)
{
    EXPECT_EQ(Describe(*Frame().menuBar()),
              (QStringList{
                  "&File: &New Folder\tCtrl+N=57600|New File=32778|&Save/Edit Properties\tCtrl+S=57603|"
                  "Delete Folder=32779|-|&Print...\tCtrl+P=57607|Print Pre&view=57609|P&rint Setup...=57606|-|"
                  "Recent File=57616|-|E&xit=57665",
                  "&Edit: &Undo\tCtrl+Z=57643|-|Cu&t\tCtrl+X=57635|&Copy\tCtrl+C=57634|&Paste\tCtrl+V=57637",
                  "Check Version: Check For Upgrades=32783",
                  "Format Text: Format Text=32772",
                  "Bonus Center: Redeem Bonus =32775",
                  "Mintery: Stamp this software=32776",
                  "&Help: Index=32777|-|&About Plumet...=57664",
              }));
}

TEST_F(MainMenu, ShortcutTableSendsItsCommands)
{
    QStringList table;
    for (QAction* action : Frame().actions())
        table << action->shortcut().toString() + "=" + action->property("commandId").toString();
    EXPECT_EQ(table, (QStringList{"Ctrl+N=57600", "Ctrl+O=57601", "Ctrl+S=57603", "Ctrl+P=57607",
                                  "Ctrl+Z=57643", "Ctrl+X=57635", "Ctrl+C=57634", "Ctrl+V=57637",
                                  "Alt+Backspace=57643", "Shift+Del=57635", "Ctrl+Ins=57634",
                                  "Shift+Ins=57637", "F6=57680", "Shift+F6=57681"}));
}

TEST_F(MainMenu, OpeningAMenuAsksTheRouteForEachItem)
{
    QMenu* file = Frame().menuBar()->actions().front()->menu();
    emit file->aboutToShow();
    for (QAction* item : file->actions()) {
        if (item->isSeparator())
            continue;
        const int id = item->property("commandId").toInt();
        EXPECT_EQ(item->isEnabled(), Frame().IsCommandEnabled(id)) << id;
    }
    EXPECT_TRUE(Frame().IsCommandEnabled(CommandId::NewFile));
    EXPECT_TRUE(Frame().IsCommandEnabled(CommandId::Exit));
    EXPECT_FALSE(Frame().IsCommandEnabled(CommandId::RecentFile)) << "no recent file yet";
}

TEST_F(MainMenu, EveryItemIsEnabledOnceSomeoneCanActOnIt)
{
    // A fresh start: the tree is active, the editor empty, nothing to paste,
    // no recent file.
    QApplication::clipboard()->clear();
    QStringList disabled;
    for (QAction* top : Frame().menuBar()->actions()) {
        emit top->menu()->aboutToShow();
        for (QAction* item : top->menu()->actions())
            if (!item->isSeparator() && !item->isEnabled())
                disabled << item->text();
    }
    EXPECT_EQ(disabled, (QStringList{"Recent File", "&Undo\tCtrl+Z", "Cu&t\tCtrl+X", "&Copy\tCtrl+C",
                                     "&Paste\tCtrl+V"}));
}

TEST_F(MainMenu, ExitClosesTheMainWindow)
{
    Frame().SetActivePane(Frame().GetDocument()->Views().front());
    Frame().ExecuteCommand(CommandId::Exit);
    EXPECT_FALSE(Frame().isVisible());
}
