#include "MainFrame.h"

#include "BonusCenterDlg.h"
#include "CommandIds.h"
#include "Document.h"
#include "EditorArea.h"
#include "FileInfoDlg.h"
#include "LeftView.h"
#include "LibraryFolders.h"
#include "MainMenu.h"
#include "ModalRun.h"
#include "MyEdit.h"
#include "Paths.h"
#include "PngPicture.h"
#include "PlumetState.h"
#include "PlumetView.h"
#include "PremiumDownload.h"
#include "Processes.h"
#include "RecentFileList.h"
#include "ShellOpen.h"
#include "VersionCheckDlg.h"

#include <QAction>
#include <QCloseEvent>
#include <QIcon>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>

namespace {
// Before centring the window has the size a new top-level window gets.
const QSize kInitialSize(800, 600);
}  // namespace

CMainFrame::CMainFrame(PlumetState& state, CDocument& document, const CRecentFileList& recentFiles)
    : CFrameWnd("Plumet"), state_(state), recentFiles_(recentFiles)
{
    setObjectName(QStringLiteral("mainFrame"));
    SetDocument(&document);
    setWindowIcon(ProgramIcon());
    resize(kInitialSize);

    // A new file has no file of its own: replacing any file asks first.
    OnCommand(CommandId::NewFile, [this] { RunFileInfoDialog({}); });
    OnCommand(CommandId::SaveEditProperties, [this] { RunFileInfoDialog(state_.CurrentFilePath); });
    OnCommand(CommandId::CheckForUpgrades, [this] { RunVersionCheck(); });
    OnCommand(CommandId::RedeemBonus, [this] { RunBonusForm(); });
    OnCommand(CommandId::StampSoftware, [] { OnStampSoftware(); });
    OnCommand(CommandId::HelpIndex, [] { OnHelpIndex(); });

    const CommandSink sink{[this](int id) { ExecuteCommand(id); },
                           [this](int id) { return IsCommandEnabled(id); }};
    BuildMenuBar(*menuBar(), MainMenu(), sink);
    InstallAccelerators(*this, MainAccelerators(), sink);
    if (QMenu* fileMenu = menuBar()->findChild<QMenu*>(QString(), Qt::FindDirectChildrenOnly))
        connect(fileMenu, &QMenu::aboutToShow, this, &CMainFrame::ShowRecentFiles);

    OnCreateClient();
}

QIcon CMainFrame::ProgramIcon()
{
    return PngIcon(QStringLiteral(":/plumet/plumet-icon.png"));
}

void CMainFrame::OnCreateClient()
{
    outerSplitter_ = new QSplitter(Qt::Horizontal, this);
    outerSplitter_->setObjectName(QStringLiteral("outerSplitter"));
    outerSplitter_->setChildrenCollapsible(false);
    tree_ = new CLeftView(state_, outerSplitter_);

    innerSplitter_ = new QSplitter(Qt::Vertical, outerSplitter_);
    innerSplitter_->setObjectName(QStringLiteral("innerSplitter"));
    innerSplitter_->setChildrenCollapsible(false);
    list_ = new CPlumetView(state_, innerSplitter_);
    editor_ = new MyEdit(state_);
    new CEditorArea(*editor_, innerSplitter_);
    // The panes have no labels on screen; a screen reader announces these.
    tree_->setAccessibleName(QStringLiteral("Folders"));
    list_->setAccessibleName(QStringLiteral("Files"));
    editor_->setAccessibleName(QStringLiteral("Text"));

    // The tree column starts 150 pixels wide, the list 175 pixels high; the
    // editor takes the rest.
    const int width = kInitialSize.width();
    const int height = kInitialSize.height();
    outerSplitter_->setSizes({150, width - 150});
    innerSplitter_->setSizes({175, height - 175});
    outerSplitter_->setStretchFactor(1, 1);
    innerSplitter_->setStretchFactor(1, 1);
    setCentralWidget(outerSplitter_);

    CDocument& document = *GetDocument();
    document.AddView(*tree_);
    document.AddView(*list_);
    document.AddView(*editor_);
}

void CMainFrame::OnCreate()
{
    CentreOnScreen();
    CreateLibraryFolders(state_);
    DownloadPremiumContent(state_.LibraryRoot, this);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!editor_->OfferSaveBeforeExit()) {
        event->ignore();
        return;
    }
    CFrameWnd::closeEvent(event);
}

void CMainFrame::CentreOnScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

void CMainFrame::RunFileInfoDialog(const std::string& ownFile)
{
    CFileInfoDlg dialog(state_, ownFile, this);
    RunModal(dialog);
}

void CMainFrame::RunVersionCheck()
{
    CVersionCheckDlg dialog(this);
    RunModal(dialog);
}

void CMainFrame::RunBonusForm()
{
    CBonusCenterDlg dialog(this);
    RunModal(dialog);
}

// Starts stamper and waits for it to end; the window is meant to stand
// still meanwhile. A stamper that cannot be found or started does nothing.
void CMainFrame::OnStampSoftware()
{
    const std::string stamper = Processes::FindProgram("stamper", Processes::SearchFolders());
    if (!stamper.empty())
        Processes::StartAndWait(stamper, "stamper");
}

// A missing help page is not reported.
void CMainFrame::OnHelpIndex()
{
    ShellOpenDocument("help.htm");
}

// The "Recent File" item stands for the list: one item per entry, "&1 name"
// and so on, or the disabled placeholder when the list is empty.
void CMainFrame::ShowRecentFiles()
{
    auto* fileMenu = qobject_cast<QMenu*>(sender());
    if (!fileMenu)
        return;
    QAction* placeholder = nullptr;
    for (QAction* action : fileMenu->actions()) {
        const int id = action->property(kCommandIdProperty).toInt();
        if (id >= CommandId::RecentFile && id < CommandId::RecentFile + CommandId::RecentFileCount) {
            if (!placeholder && id == CommandId::RecentFile) {
                placeholder = action;
            } else {
                fileMenu->removeAction(action);
                action->deleteLater();
            }
        }
    }
    if (!placeholder)
        return;

    const auto& files = recentFiles_.Files();
    if (files.empty()) {
        placeholder->setText(QStringLiteral("Recent File"));
        placeholder->setEnabled(false);
        return;
    }
    QAction* after = placeholder;
    for (size_t i = 0; i < files.size(); ++i) {
        const int id = CommandId::RecentFile + int(i);
        const QString text = QStringLiteral("&%1 %2").arg(i + 1).arg(QString::fromLocal8Bit(Paths::NameOf(files[i])));
        QAction* action = placeholder;
        if (i > 0) {
            action = new QAction(fileMenu);
            action->setObjectName(QStringLiteral("command%1").arg(id));
            action->setProperty(kCommandIdProperty, id);
            connect(action, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
            const int index = int(fileMenu->actions().indexOf(after));
            fileMenu->insertAction(fileMenu->actions().value(index + 1), action);
        }
        action->setText(text);
        action->setToolTip(QString::fromLocal8Bit(files[i]));
        action->setEnabled(true);
        after = action;
    }
}
