#include "PlumetApp.h"

#include "AboutDlg.h"
#include "CommandIds.h"
#include "MainFrame.h"
#include "MainWindow.h"
#include "MessageBox.h"
#include "ModalRun.h"
#include "PanePrinting.h"
#include "Paths.h"
#include "ProgramLook.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>

static void InitResources() { Q_INIT_RESOURCE(plumet); }

CPlumetApp::CPlumetApp() : recentFiles_("Plumet", CommandId::RecentFileCount)
{
    InitResources();
    OnCommand(CommandId::Open, [this] { OnFileOpen(); });
    OnCommand(CommandId::About, [this] { OnAppAbout(); });
    OnCommand(CommandId::PrintSetup, [this] { PanePrinting::PrintSetup(frame_.get()); });
    OnCommand(CommandId::Exit, [this] { if (frame_) frame_->close(); });
    for (int i = 0; i < CommandId::RecentFileCount; ++i)
        OnCommand(CommandId::RecentFile + i, [this, i] { OnOpenRecentFile(i); },
                  [this, i] { return i < int(recentFiles_.Files().size()); });
}

CPlumetApp::~CPlumetApp()
{
    SetApplicationMainWindow(nullptr);
}

bool CPlumetApp::InitInstance(const QStringList& arguments)
{
    SetUpProgramLook(CMainFrame::ProgramIcon());
    recentFiles_.Load();

    frame_ = std::make_unique<CMainFrame>(state_, document_, recentFiles_);
    frame_->SetApplication(this);
    frame_->OnCreate();
    SetApplicationMainWindow(frame_.get());

    if (arguments.isEmpty()) {
        document_.SetTitle("Untitled");
        SetUpPanes();
    } else if (!OpenDocumentFile(arguments.front().toLocal8Bit().toStdString())) {
        return false;
    }
    frame_->SetActivePane(document_.Views().front());
    frame_->showNormal();
    frame_->repaint();
    return true;
}

bool CPlumetApp::OpenDocumentFile(const std::string& path)
{
    const QFileInfo file(QString::fromLocal8Bit(path));
    // Nothing is read, but the file must be there to be opened.
    if (!file.isFile() || !file.isReadable()) {
        ShowMessage(frame_.get(), {"Plumet", "Failed to open document.", MessageButtons::Ok, MessageIcon::Exclamation});
        return false;
    }
    const std::string full = file.absoluteFilePath().toLocal8Bit().toStdString();
    document_.SetTitle(Paths::NameOf(full));
    recentFiles_.Add(full);
    SetUpPanes();
    return true;
}

void CPlumetApp::SetUpPanes()
{
    document_.InitialUpdateAllViews();
    frame_->UpdateFrameTitle();
}

void CPlumetApp::OnFileOpen()
{
    QFileDialog dialog(frame_.get(), QStringLiteral("Open"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilter(QStringLiteral("All Files (*.*)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // "*.*" names every file, also those without a dot.
    if (auto* model = dialog.findChild<QFileSystemModel*>())
        model->setNameFilters({QStringLiteral("*")});
    if (RunModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    OpenDocumentFile(dialog.selectedFiles().front().toLocal8Bit().toStdString());
}

void CPlumetApp::OnOpenRecentFile(int index)
{
    const auto& files = recentFiles_.Files();
    if (index < 0 || index >= int(files.size()))
        return;
    if (!OpenDocumentFile(files[size_t(index)]))
        recentFiles_.Remove(index);
}

void CPlumetApp::OnAppAbout()
{
    CAboutDlg dialog(frame_.get());
    RunModal(dialog);
}
