#include "CmdUI.h"
#include "Document.h"
#include "FrameWnd.h"
#include "RecordingPane.h"

#include <QApplication>
#include <QSplitter>

#include <gtest/gtest.h>

namespace {

// A frame with three panes in creation order tree, list, editor, and an application.
class Frame : public CFrameWnd {
public:
    explicit Frame(std::vector<std::string>& log) : CFrameWnd("Test"), log_(log)
    {
        auto* splitter = new QSplitter(this);
        tree = new RecordingPane("tree", log, splitter);
        list = new RecordingPane("list", log, splitter);
        editor = new RecordingPane("editor", log, splitter);
        setCentralWidget(splitter);
        for (CView* pane : {static_cast<CView*>(tree), static_cast<CView*>(list), static_cast<CView*>(editor)})
            document.AddView(*pane);
        SetDocument(&document);
        SetApplication(&application);
    }

    void TakeOwn(int id)
    {
        OnCommand(id, [this, id] { log_.push_back("frame ran " + std::to_string(id)); });
    }

    std::vector<std::string>& log_;
    CDocument document;
    RecordingTarget application{"app", log_};
    RecordingPane* tree;
    RecordingPane* list;
    RecordingPane* editor;
};

class CommandRouting : public ::testing::Test {
protected:
    std::vector<std::string> log;
    Frame frame{log};
};

}  // namespace

TEST_F(CommandRouting, ActivePaneComesFirst)
{
    frame.tree->Take(1);
    frame.editor->Take(1);
    frame.TakeOwn(1);
    frame.SetActivePane(frame.editor);
    frame.ExecuteCommand(1);
    EXPECT_EQ(log, (std::vector<std::string>{"editor ran 1"}));
}

TEST_F(CommandRouting, MainWindowThenApplicationBeforeOtherPanes)
{
    frame.tree->Take(2);
    frame.application.Take(2);
    frame.SetActivePane(frame.editor);
    frame.ExecuteCommand(2);
    frame.TakeOwn(2);
    frame.ExecuteCommand(2);
    EXPECT_EQ(log, (std::vector<std::string>{"app ran 2", "frame ran 2"}));
}

TEST_F(CommandRouting, OtherPanesInCreationOrderSkippingTheActiveOne)
{
    frame.list->Take(3);
    frame.editor->Take(3);
    frame.SetActivePane(frame.list);
    // The list is active and takes it itself.
    frame.ExecuteCommand(3);
    frame.SetActivePane(frame.tree);
    frame.ExecuteCommand(3);
    EXPECT_EQ(log, (std::vector<std::string>{"list ran 3", "list ran 3"}));

    log.clear();
    frame.SetActivePane(frame.editor);
    frame.tree->Take(4);
    frame.ExecuteCommand(4);
    EXPECT_EQ(log, (std::vector<std::string>{"tree ran 4"}));
}

TEST_F(CommandRouting, UntakenOrDisabledCommandsDoNothingAndShowDisabled)
{
    frame.SetActivePane(frame.tree);
    EXPECT_FALSE(frame.IsCommandEnabled(5));
    frame.editor->Take(6, /*enabled=*/false);
    EXPECT_FALSE(frame.IsCommandEnabled(6));
    frame.ExecuteCommand(5);
    frame.ExecuteCommand(6);
    EXPECT_TRUE(log.empty());

    // A disabled taker stops the search: the later one never sees it.
    frame.application.Take(7);
    frame.tree->Take(7, false);
    EXPECT_FALSE(frame.IsCommandEnabled(7));
}

TEST_F(CommandRouting, UpdatesReachEveryOtherPaneInOrder)
{
    frame.document.UpdateAllViews(frame.list, 90, "File Manager/My Content");
    EXPECT_EQ(log, (std::vector<std::string>{"tree update 90 File Manager/My Content",
                                             "editor update 90 File Manager/My Content"}));
}

TEST_F(CommandRouting, PaneCyclingMovesTheActivePane)
{
    frame.SetActivePane(frame.tree);
    frame.ExecuteCommand(CFrameWnd::kNextPane);
    EXPECT_EQ(frame.ActivePane(), frame.list);
    frame.ExecuteCommand(CFrameWnd::kNextPane);
    frame.ExecuteCommand(CFrameWnd::kNextPane);
    EXPECT_EQ(frame.ActivePane(), frame.tree);
    frame.ExecuteCommand(CFrameWnd::kPreviousPane);
    EXPECT_EQ(frame.ActivePane(), frame.editor);
}

TEST_F(CommandRouting, FocusMakesAPaneActive)
{
    frame.show();
    frame.activateWindow();
    frame.list->setFocus();
    QApplication::processEvents();
    if (QApplication::focusWidget() != frame.list)
        GTEST_SKIP() << "this platform gives no keyboard focus";
    EXPECT_EQ(frame.ActivePane(), frame.list);
}

TEST_F(CommandRouting, TitleJoinsDocumentAndApplication)
{
    frame.document.SetTitle("Untitled");
    frame.UpdateFrameTitle();
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Untitled - Test"));
}
