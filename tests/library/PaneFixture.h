#pragma once
#include "CommandIds.h"
#include "Document.h"
#include "LeftView.h"
#include "MainFrame.h"
#include "MyEdit.h"
#include "PlumetApp.h"
#include "PlumetView.h"
#include "QtPrinters.h"
#include "ScriptedDialogs.h"
#include "TestEnvironment.h"
#include "View.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

// A pane that only records the notifications it gets.
class SpyView : public QWidget, public CView {
public:
    SpyView() : CView(static_cast<QWidget&>(*this)) {}
    void OnUpdate(CView* /*sender*/, int hint, const std::string& text) override
    {
        updates.emplace_back(hint, text);
    }
    std::vector<std::pair<int, std::string>> updates;
};

// plumet started in a private folder; message boxes and modal dialogs are
// scripted (unscripted boxes answer No, unscripted dialogs are cancelled).
class PaneFixture : public ::testing::Test {
protected:
    // Folders (relative to the library root) made before the program starts.
    void Start(const std::vector<std::string>& folders = {})
    {
        for (const std::string& folder : folders)
            QDir().mkpath(QString::fromStdString(Library() + "/" + folder));
        ASSERT_TRUE(app.InitInstance({}));
        app.Document().AddView(spy);
        // Window shortcuts such as Ctrl+N act only in the active window.
        QApplication::setActiveWindow(&Frame());
        QCoreApplication::processEvents();
    }

    CMainFrame& Frame() { return *app.MainFrame(); }
    CLeftView& Tree() { return Frame().Tree(); }
    CPlumetView& List() { return Frame().List(); }
    PlumetState& State() { return app.State(); }
    std::string Library() const { return env.Folder() + "/File Manager"; }
    std::string OnDisk(const std::string& relative) const { return Library() + "/" + relative; }
    bool IsFolder(const std::string& relative) const { return QDir(QString::fromStdString(OnDisk(relative))).exists(); }

    // The item at "File Manager/a/b", or null.
    QTreeWidgetItem* Item(const std::string& path)
    {
        const QStringList labels = QString::fromStdString(path).split('/');
        QTreeWidgetItem* item = Tree().topLevelItem(0);
        if (!item || item->text(0) != labels.front())
            return nullptr;
        for (qsizetype i = 1; i < labels.size() && item; ++i) {
            QTreeWidgetItem* next = nullptr;
            for (int c = 0; c < item->childCount(); ++c)
                if (item->child(c)->text(0) == labels[i])
                    next = item->child(c);
            item = next;
        }
        return item;
    }

    void Select(const std::string& path)
    {
        QTreeWidgetItem* item = Item(path);
        ASSERT_NE(item, nullptr) << path;
        Tree().setCurrentItem(item);
    }

    QStringList ChildLabels(const std::string& path)
    {
        QStringList labels;
        if (QTreeWidgetItem* item = Item(path))
            for (int i = 0; i < item->childCount(); ++i)
                labels << item->child(i)->text(0);
        return labels;
    }

    // The open label editor of the tree, or null.
    QLineEdit* LabelEditor() { return qobject_cast<QLineEdit*>(Tree().indexWidget(Tree().currentIndex())); }

    // A key in the label editor; the editor's delegate ends edits through
    // queued calls, so those run before this returns.
    void Press(QWidget* editor, Qt::Key key)
    {
        ASSERT_NE(editor, nullptr);
        QTest::keyClick(editor, key);
        QCoreApplication::processEvents();
    }

    void Run(int command) { Frame().ExecuteCommand(command); }
    void Activate(CView& pane) { Frame().SetActivePane(&pane); }

    TestEnvironment env;
    ScopedMessageScript messages;
    ScopedModalScript dialogs;
    SpyView spy;  // outlives the document that points to it
    CPlumetApp app;
};
