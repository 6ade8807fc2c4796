#include "StamperDlg.h"

#include "FeaturesDlg.h"
#include "ProgramIcon.h"
#include "StamperApp.h"

#include "FileHolder.h"
#include "ScriptedDialogs.h"
#include "ShellOpen.h"
#include "TestEnvironment.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTextEdit>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const kStamped =
    "File Stamped Successfully.  Please note that the Mintery will not work if you change the name "
    "of the 'exe'.  Please ensure that you distribute it as pla1_0.exe'.";

struct StamperDlgTest : ::testing::Test {
    TestEnvironment environment;
    StamperState state;
    ScopedModalScript introduction;  // closes "What is the Mintery?"
    CStamperDlg dialog{state};

    StamperDlgTest()
    {
        environment.WriteMachineFile("Brindlewick/Plumet Assistant.ini",
                                     "[Servers]\nMakerHost=maker.test\nMakerPort=8080\n"
                                     "SupportEmail=help@maker.test\n");
        dialog.OnInitDialog();
    }
    QLineEdit& Filename() { return Child<QLineEdit>(dialog, "filenameEdit"); }
    QLineEdit& Identifier() { return Child<QLineEdit>(dialog, "identifierEdit"); }
    QPushButton& Button(const char* name) { return Child<QPushButton>(dialog, name); }
    std::string Path(const char* name) const { return environment.Folder() + "/" + name; }
    std::string Folder(const char* name) const
    {
        ::mkdir(Path(name).c_str(), 0777);
        return Path(name) + "/";
    }
};

TEST(StamperStartupTest, TheIntroductionComesFirstThenTheMainDialogWithImEmptyFilenameAndReady)
{
    TestEnvironment environment;
    std::vector<QString> shown;
    ScopedModalScript script({
        [&](QDialog& introduction) {
            shown.push_back(introduction.windowTitle());
            EXPECT_FALSE(introduction.parentWidget()->isVisible());
            // With no window under it yet, it opens in the middle of the screen, with the program's icon.
            EXPECT_LE((introduction.geometry().center() - introduction.screen()->availableGeometry().center())
                          .manhattanLength(), 1);
            EXPECT_EQ(introduction.windowIcon().pixmap(16).toImage(), StamperIcon().pixmap(16).toImage());
            EXPECT_TRUE(Child<QTextEdit>(introduction, "featuresText").toPlainText().contains("stamp"));
            return int(QDialog::Accepted);
        },
        [&](QDialog& main) {
            shown.push_back(main.windowTitle());
            auto& dialog = dynamic_cast<CStamperDlg&>(main);
            EXPECT_EQ(dialog.IdentifierText(), "IM");
            EXPECT_EQ(dialog.FilenameText(), "");
            EXPECT_EQ(dialog.StatusText(), "Ready");
            const QStatusBar& bar = Child<QStatusBar>(main, "statusBar");
            EXPECT_EQ(bar.geometry(), QRect(0, main.height() - 25, main.width(), 25));
            EXPECT_FALSE(main.windowIcon().isNull());
            return int(QDialog::Rejected);
        },
    });
    CStamperApp stamper;
    EXPECT_EQ(stamper.Run(), 0);
    EXPECT_EQ(shown, (std::vector<QString>{"What is the Mintery?", "Quorvel Partner Mintery"}));
}

TEST(FeaturesDlgTest, LineEndsAreRemovedBeforeTheTextIsRead)
{
    TestEnvironment environment;
    // Joined, "\\b" and "old" make one control word that draws nothing.
    WriteBytes(environment.Folder() + "/features.rtf", "{\\rtf1\\ansi Plain \\b\r\nold words\n}\r\n");
    CFeaturesDlg features;
    EXPECT_EQ(Child<QTextEdit>(features, "featuresText").toPlainText(), "Plain words");

    WriteBytes(environment.Folder() + "/lines.txt", "a\r\nb\nc\rd\r");
    EXPECT_EQ(ReadJoinedLines(environment.Folder() + "/lines.txt"), "abc\rd\r");
    EXPECT_EQ(ReadJoinedLines(environment.Folder() + "/missing.rtf"), "");
}

TEST_F(StamperDlgTest, EnterInEitherBoxStampsAndTheDialogStaysAsItWas)
{
    const std::string path = Path("pla1_0.exe");
    WriteBytes(path, "MZ");
    Filename().setText(QString::fromStdString(path));
    Identifier().setText("12345");
    ScopedMessageScript messages;
    dialog.show();
    for (QLineEdit* box : {&Filename(), &Identifier()}) {
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(box, &enter);
    }
    EXPECT_EQ(ReadBytes(path), "MZValue1=IM12345\rValue1=IM12345\r");
    ASSERT_EQ(messages.Shown().size(), 2u);
    EXPECT_EQ(messages.Shown()[0].caption, "Quorvel Partner Mintery");
    EXPECT_EQ(messages.Shown()[0].text, kStamped);
    EXPECT_EQ(messages.Shown()[0].icon, MessageIcon::None);
    EXPECT_EQ(state.SelectedFilePath, path);
    EXPECT_EQ(Filename().text().toStdString(), path);
    EXPECT_EQ(Identifier().text(), "12345");
    EXPECT_EQ(dialog.result(), 0);
}

TEST_F(StamperDlgTest, EnterOnAFocusedButtonDoesThatButtonsActionAndInEitherBoxStamps)
{
    const std::string path = Path("pla1_0.exe");
    WriteBytes(path, "MZ");
    dialog.SetDriveRoots({Folder("C")});
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    std::vector<QString> dialogs;
    ScopedModalScript script({
        [&](QDialog& d) { dialogs.push_back(d.windowTitle()); return int(QDialog::Rejected); },
        [&](QDialog& d) { dialogs.push_back(d.windowTitle()); return int(QDialog::Rejected); },
    });
    ScopedMessageScript messages;
    int linksOpened = 0;
    const ShellOpenHandler previous = SetShellOpenHandler([&](const std::string&) { ++linksOpened; });
    auto enterOn = [&](QWidget& control) {
        control.setFocus(Qt::TabFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), &control) << control.objectName().toStdString();
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(&control, &enter);
    };

    enterOn(Button("browseButton"));
    EXPECT_EQ(dialogs, std::vector<QString>{"Open"});
    enterOn(Button("findButton"));  // with an empty box
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(dialog.StatusText(), "Done: (none found)");
    enterOn(Button("noReferralButton"));
    EXPECT_EQ(linksOpened, 1);
    Filename().setText(QString::fromStdString(path));
    enterOn(Button("uploadButton"));
    EXPECT_EQ(dialogs, (std::vector<QString>{"Open", "Upload Gateway"}));
    EXPECT_EQ(ReadBytes(path), "MZ");

    enterOn(Filename());
    enterOn(Identifier());
    EXPECT_EQ(ReadBytes(path), "MZValue1=IM\rValue1=IM\r");
    EXPECT_EQ(messages.Shown().size(), 3u);
    enterOn(Button("exitButton"));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(ReadBytes(path), "MZValue1=IM\rValue1=IM\r");
    SetShellOpenHandler(previous);
}

TEST_F(StamperDlgTest, AFileFoundUnderANameThatIsNotUtf8IsShownReadablyAndStampedByItsBytes)
{
    const std::string folder = Folder("C") + "caf\xE9/";
    ::mkdir(folder.c_str(), 0777);
    WriteBytes(folder + "pla1_0.exe", "MZ");
    dialog.SetDriveRoots({Folder("C")});
    ScopedMessageScript messages;
    Button("findButton").click();
    EXPECT_EQ(Filename().text(), QString::fromStdString(Folder("C")) + QString::fromUtf8("caf\u00E9/pla1_0.exe"));
    Button("stampButton").click();
    EXPECT_EQ(ReadBytes(folder + "pla1_0.exe"), "MZValue1=IM\r");
    EXPECT_EQ(state.SelectedFilePath, folder + "pla1_0.exe");
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text, kStamped);

    // Typed over, the box is taken as typed.
    Filename().setText(Filename().text() + "x");
    EXPECT_EQ(dialog.FilenameText(), Folder("C") + "caf\xC3\xA9/pla1_0.exex");
    // The temporary folder's removal cannot name these.
    ::unlink((folder + "pla1_0.exe").c_str());
    ::rmdir(folder.c_str());
}

TEST_F(StamperDlgTest, AFoundFileSwappedForALinkIsNotStampedThroughTheLink)
{
    const std::string found = Folder("C") + "pla1_0.exe";
    WriteBytes(found, "MZ");
    const std::string victim = Path("victim.txt");
    WriteBytes(victim, "keep");
    dialog.SetDriveRoots({Folder("C")});
    ScopedMessageScript messages;
    Button("findButton").click();
    ASSERT_EQ(dialog.FilenameText(), found);
    ::unlink(found.c_str());
    ASSERT_EQ(::symlink(victim.c_str(), found.c_str()), 0);
    Button("stampButton").click();
    EXPECT_EQ(ReadBytes(victim), "keep");
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].icon, MessageIcon::Exclamation);
}

TEST_F(StamperDlgTest, AFileThatCannotBeStampedIsReportedAndEndsTheProgram)
{
    Filename().setText(QString::fromStdString(Path("no such folder/pla1_0.exe")));
    ScopedMessageScript messages;
    dialog.show();
    Button("stampButton").click();
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].caption, "stamper");
    EXPECT_EQ(messages.Shown()[0].text,
              "An error has occurred. Please try stamping the program again. If the problem "
              "persists, contact 'help@maker.test'.");
    EXPECT_EQ(messages.Shown()[0].icon, MessageIcon::Exclamation);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(StamperDlgTest, AFileAnotherProcessIsWritingIsRefusedWithTheMessageAndLeftToIt)
{
    const std::string path = Path("pla1_0.exe");
    WriteBytes(path, "");
    FileHolder writer(path, FileHolder::Kind::AppendingWriter, ::geteuid());
    ASSERT_TRUE(writer.Held());
    Filename().setText(QString::fromStdString(path));
    ScopedMessageScript messages;
    dialog.show();
    Button("stampButton").click();
    const int lines = writer.Release();
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].icon, MessageIcon::Exclamation);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(ReadBytes(path), FileHolder::Written(lines));
}

TEST_F(StamperDlgTest, BrowseTakesTheChosenFileAndCancelPutsBackThePathLastTaken)
{
    const std::string chosen = Path("pla1_0.exe");
    WriteBytes(chosen, "MZ");
    ScopedModalScript script({
        [&](QDialog& d) {
            auto& files = dynamic_cast<QFileDialog&>(d);
            files.selectFile(QString::fromLocal8Bit(chosen));
            return int(QDialog::Accepted);
        },
        [](QDialog&) { return int(QDialog::Rejected); },
    });
    Filename().setText("typed before");
    Button("browseButton").click();
    EXPECT_EQ(state.SelectedFilePath, chosen);
    EXPECT_EQ(Filename().text().toStdString(), chosen);

    Filename().setText("typed since");
    Button("browseButton").click();
    EXPECT_EQ(Filename().text().toStdString(), chosen);
    EXPECT_EQ(script.Runs(), 2);
}

TEST_F(StamperDlgTest, UploadTakesTheFilenameBoxAsItIsAndOpensTheUploadGateway)
{
    Filename().setText("/somewhere/unstamped.exe");
    std::string pathWhenOpened;
    QString opened;
    ScopedModalScript script({[&](QDialog& d) {
        pathWhenOpened = state.SelectedFilePath;
        opened = d.windowTitle();
        return int(QDialog::Rejected);
    }});
    Button("uploadButton").click();
    EXPECT_EQ(opened, "Upload Gateway");
    EXPECT_EQ(pathWhenOpened, "/somewhere/unstamped.exe");
}

TEST_F(StamperDlgTest, TheReferralLinkCarriesTheSponsorValueWhenOneIsReadWhole)
{
    const struct {
        const char* settings;  // nullptr: no settings file
        const char* query;
    } cases[] = {
        {"[Star]\nSponsor=4711\n", "IM4711"},
        {nullptr, "SponsorID"},
        {"[Other]\nSponsor=4711\n", "SponsorID"},
        {"[Star]\nName=x\n", "SponsorID"},
        {"[Star]\nSponsor=123456789012345\n", "IM123456789012345"},
        {"[Star]\nSponsor=1234567890123456\n", "SponsorID"},
        {"[Star]\nSponsor=\"a b&c\"\n", "IMa%20b%26c"},
    };
    const std::string file = environment.MachineConfig() + "/Brindlewick/Sitecraftor Business Edition.ini";
    std::vector<std::string> opened;
    const ShellOpenHandler previous = SetShellOpenHandler([&](const std::string& url) { opened.push_back(url); });
    for (const auto& c : cases) {
        if (c.settings)
            environment.WriteMachineFile("Brindlewick/Sitecraftor Business Edition.ini", c.settings);
        else
            ::unlink(file.c_str());
        opened.clear();
        Button("noReferralButton").click();
        EXPECT_EQ(opened, std::vector<std::string>{std::string("http://maker.test:8080/cgi-quillfen/"
                                                               "sspregister_click.cgi?") + c.query})
            << (c.settings ? c.settings : "no file");
    }
    SetShellOpenHandler(previous);
}

TEST_F(StamperDlgTest, TheWindowMenuOpensTheAboutBox)
{
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), dialog.mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(&dialog, &click);
    QMenu& menu = Child<QMenu>(dialog, "windowMenu");
    EXPECT_TRUE(menu.isVisible());
    const QList<QAction*> items = menu.actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0]->text(), "Close");
    EXPECT_TRUE(items[1]->isSeparator());
    EXPECT_EQ(items[2]->text(), "&About Stamper...");
    EXPECT_EQ(items[2]->data().toInt(), 16);
    menu.hide();

    QString caption;
    ScopedModalScript script({[&](QDialog& about) {
        caption = about.windowTitle();
        return int(QDialog::Accepted);
    }});
    items[2]->trigger();
    EXPECT_EQ(caption, "About Stamper");
    dialog.OnSysCommand(0x13);  // the low four bits do not count
    dialog.OnSysCommand(0x20);
    EXPECT_EQ(script.Runs(), 2);
}

TEST_F(StamperDlgTest, FindItForMeShowsTheCopyFoundLastAndTheirCount)
{
    WriteBytes(Folder("C") + "pla1_0.exe", "MZ");
    const std::string onD = Folder("D") + "PLA1_0.EXE";
    WriteBytes(onD, "MZ");
    dialog.SetDriveRoots({Folder("C"), Folder("D")});
    ScopedMessageScript messages;
    Button("findButton").click();
    EXPECT_EQ(Filename().text().toStdString(), onD);
    EXPECT_EQ(dialog.StatusText(), "Done: (2 occurences found)");
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(StamperDlgTest, FindingNothingSaysWhereToDownloadTheFile)
{
    dialog.SetDriveRoots({Folder("C")});
    ScopedMessageScript messages;
    Button("findButton").click();
    EXPECT_EQ(dialog.StatusText(), "Done: (none found)");
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].caption, "Quorvel Partner Mintery");
    EXPECT_EQ(messages.Shown()[0].text,
              "The file could not be located.  Please download it from 'http://maker.test:8080/quorvel' "
              "or try locating it yourself.");
}

TEST_F(StamperDlgTest, EscapeDuringASearchStopsItAndEndsTheProgram)
{
    WriteBytes(Folder("C") + "pla1_0.exe", "MZ");
    dialog.SetDriveRoots({Folder("C")});
    dialog.show();
    QCoreApplication::postEvent(&dialog, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    ScopedMessageScript messages;
    Button("findButton").click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(Filename().text().isEmpty());
    EXPECT_EQ(dialog.StatusText(), Folder("C"));
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(StamperDlgTest, CommandsWaitWhileASearchRuns)
{
    const std::string path = Path("pla1_0.exe");
    Filename().setText(QString::fromStdString(path));
    dialog.SetDriveRoots({Folder("C")});
    WriteBytes(Folder("C") + "entry", "");
    bool nested = false;
    // A click queued before the search reaches the buttons while it pumps.
    QMetaObject::invokeMethod(&dialog, [&] {
        Button("stampButton").click();
        Button("uploadButton").click();
        Button("findButton").click();
        nested = true;
    }, Qt::QueuedConnection);
    ScopedMessageScript messages;
    Button("findButton").click();
    EXPECT_TRUE(nested);
    EXPECT_EQ(ReadBytes(path), "");
    EXPECT_TRUE(state.SelectedFilePath.empty());
    EXPECT_EQ(messages.Shown().size(), 1u) << "one search, one not-found message";
}

}  // namespace
