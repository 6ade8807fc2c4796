#include "HostAndPort.h"
#include "ListedName.h"
#include "ProgressPacer.h"
#include "PyFtpServer.h"
#include "ScriptedFtpServer.h"
#include "TempFolder.h"
#include "UploadDlg.h"

#include "ScriptedDialogs.h"
#include "TestEnvironment.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

const char* const Caption = "Quorvel Partner Mintery";
const char* const ConnectFailed =
    "An error was encountered while connecting to the site.  Please check the settings and try again.";
const char* const NotConnected = "Please connect to a site before you try to upload any files.";
const char* const NoFile = "No file has been selected in the main window of the application.  Please select a file, "
                           "stamp it and then try uploading it.";
const char* const UploadFailed = "The file could not be uploaded successfully.  Please try again.";
const char* const Uploaded = "Transfer Complete.  The file has been uploaded and saved as 'pla1_0.exe' on the server.";

TEST(HostAndPort, TakesAnOptionalPortAfterTheLastColon)
{
    struct Case {
        std::string text;
        bool valid;
        std::string host;
        int32_t port;
    };
    const Case cases[] = {
        {"ftp.example.com", true, "ftp.example.com", 21}, {"127.0.0.1:2121", true, "127.0.0.1", 2121},
        {"h:1", true, "h", 1},         {"h:65535", true, "h", 65535}, {"h:0", false, "h", 0},
        {"h:65536", false, "h", 65536}, {"h:", false, "h", 21},       {"h:21x", false, "h", 21},
        {"h:-1", false, "h", 21},       {"h:9999999999", false, "h", 21},
    };
    for (const Case& c : cases) {
        std::string host;
        int32_t port = -1;
        EXPECT_EQ(SplitHostAndPort(c.text, host, port), c.valid) << c.text;
        if (c.valid) {
            EXPECT_EQ(host, c.host) << c.text;
            EXPECT_EQ(port, c.port) << c.text;
        }
    }
}

TEST(ListedName, ShowsControlCharactersAsQuestionMarksOnOneLine)
{
    const std::pair<const char*, const char*> cases[] = {
        {"index.html", "index.html"}, {"My Site", "My Site"}, {"a\tb", "a?b"},
        {"line\nbreak\r", "line?break?"}, {"\x01\x1f\x7f", "???"}, {"", ""},
        {"caf\xc3\xa9", "caf\xc3\xa9"}, {"caf\xe9", "caf\xc3\xa9"},
    };
    for (const auto& [name, shown] : cases)
        EXPECT_EQ(ListedName(name).toStdString(), shown) << name;
}

TEST(ProgressPacer, ShowsANewValueAtMostEvery50Milliseconds)
{
    struct Call {
        int64_t done;
        int64_t total;
        int ms;
        std::optional<int> shown;
    };
    const Call calls[] = {
        {0, 100, 0, std::nullopt},    // nothing moved yet
        {10, 100, 0, 4},              // the first move shows at once
        {20, 100, 10, std::nullopt},  // too soon after it
        {20, 100, 60, 8},
        {21, 100, 200, std::nullopt}, // the bar would not move
        {100, 100, 220, 40},
        {100, 100, 400, std::nullopt},
        {5, 0, 400, std::nullopt},    // an empty file has no fraction
    };
    CProgressPacer pacer(40, std::chrono::milliseconds(50));
    const auto start = CProgressPacer::Clock::now();
    for (const Call& call : calls)
        EXPECT_EQ(pacer.Next(call.done, call.total, start + std::chrono::milliseconds(call.ms)), call.shown)
            << call.done << " at " << call.ms << " ms";
}

// A server home of two root folders A and B (A holding a B of its own), a
// real folder named "Parent Directory" and a file.
struct UploadDlgTest : ::testing::Test {
    // The dialog reads and writes the user's upload settings.
    TestEnvironment env;
    TempFolder home;
    TempFolder local;
    std::unique_ptr<PyFtpServer> server;
    StamperState state;
    ScopedMessageScript messages;
    CUploadDlg dialog{state};

    UploadDlgTest()
    {
        namespace fs = std::filesystem;
        fs::create_directories(home.PathOf("A/B"));
        WriteWholeFile(home.PathOf("A/B/deep.txt"), "d");
        fs::create_directory(home.PathOf("B"));
        WriteWholeFile(home.PathOf("B/b.txt"), "b");
        fs::create_directory(home.PathOf("Parent Directory"));
        WriteWholeFile(home.PathOf("Parent Directory/x.txt"), "x");
        WriteWholeFile(home.PathOf("index.html"), "<html></html>");
        server = std::make_unique<PyFtpServer>(home.Path());
    }

    QTreeWidget& Tree() { return Child<QTreeWidget>(dialog, "folderTree"); }
    QLineEdit& Edit(const char* name) { return Child<QLineEdit>(dialog, name); }
    int Bar() { return Child<QProgressBar>(dialog, "progressBar").value(); }
    void Click(const char* name) { Child<QPushButton>(dialog, name).click(); }

    void FillBoxes(const std::string& password = PyFtpServer::kPassword, int port = 0)
    {
        Edit("hostEdit").setText(QString::fromStdString("127.0.0.1:" + std::to_string(port != 0 ? port : server->Port())));
        Edit("userEdit").setText(PyFtpServer::kUser);
        Edit("passwordEdit").setText(QString::fromStdString(password));
    }
    void Connect(int port = 0)
    {
        FillBoxes(PyFtpServer::kPassword, port);
        Click("connectButton");
    }
    void DoubleClick(QTreeWidgetItem* item)
    {
        Tree().setCurrentItem(item);
        emit Tree().itemDoubleClicked(item, 0);
    }

    // "text:image" of each item, the way-up item first, the rest sorted (the
    // server lists in no particular order).
    static QStringList Listing(const std::vector<QTreeWidgetItem*>& items)
    {
        QStringList texts;
        for (QTreeWidgetItem* item : items)
            texts << item->text(0) + ":" + item->data(0, CUploadDlg::ImageRole).toString()
                         + (item->data(0, CUploadDlg::ParentDirectoryRole).toBool() ? "^" : "");
        std::sort(texts.begin() + std::min<qsizetype>(1, texts.size()), texts.end());
        return texts;
    }
    static QStringList Children(QTreeWidgetItem* parent)
    {
        std::vector<QTreeWidgetItem*> items;
        for (int i = 0; i < parent->childCount(); ++i)
            items.push_back(parent->child(i));
        return Listing(items);
    }
    QStringList Roots(int from = 0, int count = -1)
    {
        std::vector<QTreeWidgetItem*> items;
        const int end = count < 0 ? Tree().topLevelItemCount() : from + count;
        for (int i = from; i < end; ++i)
            items.push_back(Tree().topLevelItem(i));
        return Listing(items);
    }
    QTreeWidgetItem* Root(const QString& text, bool wayUp = false)
    {
        for (int i = 0; i < Tree().topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = Tree().topLevelItem(i);
            if (item->text(0) == text && item->data(0, CUploadDlg::ParentDirectoryRole).toBool() == wayUp)
                return item;
        }
        throw std::runtime_error("no root item " + text.toStdString());
    }
    std::vector<std::string> Shown() const
    {
        std::vector<std::string> texts;
        for (const MessageRecord& m : messages.Shown()) {
            EXPECT_EQ(m.caption, Caption);
            EXPECT_EQ(m.buttons, MessageButtons::Ok);
            EXPECT_EQ(m.icon, MessageIcon::None);
            texts.push_back(m.text);
        }
        return texts;
    }
};

const QStringList RootListing = {"Parent Directory:0^", "A:1", "B:1", "Parent Directory:1", "index.html:2"};

TEST_F(UploadDlgTest, ConnectListsTheCurrentFolderAtTheRootAgainOnEachPress)
{
    ASSERT_NE(server->Port(), 0);
    Connect();
    EXPECT_EQ(Roots(), RootListing);
    EXPECT_EQ(Bar(), 0);
    Connect();
    EXPECT_EQ(Tree().topLevelItemCount(), 10);
    EXPECT_EQ(Roots(5, 5), RootListing);
    EXPECT_TRUE(Shown().empty());
}

TEST_F(UploadDlgTest, FailedConnectKeepsTheBoxesAndTheTree)
{
    Connect();
    for (const std::string& host : std::vector<std::string>{"127.0.0.1:0", "127.0.0.1:" + std::to_string(server->Port())}) {
        FillBoxes("wrong");
        Edit("hostEdit").setText(QString::fromStdString(host));
        Click("connectButton");
        EXPECT_EQ(Edit("hostEdit").text().toStdString(), host);
        EXPECT_EQ(Edit("passwordEdit").text(), "wrong");
    }
    EXPECT_EQ(Shown(), (std::vector<std::string>{ConnectFailed, ConnectFailed}));
    EXPECT_EQ(Roots(), RootListing);
}

TEST_F(UploadDlgTest, DoubleClickingAFileChangesNothing)
{
    Connect();
    DoubleClick(Root("index.html"));
    EXPECT_EQ(Root("index.html")->childCount(), 0);
    EXPECT_EQ(Roots(), RootListing);
}

TEST_F(UploadDlgTest, AFolderIsLookedUpInTheFolderLastEntered)
{
    Connect();
    DoubleClick(Root("A"));
    EXPECT_EQ(Children(Root("A")), (QStringList{"Parent Directory:0^", "B:1"}));
    // The root's B is looked for inside A, so A's own B is what it shows.
    DoubleClick(Root("B"));
    EXPECT_EQ(Children(Root("B")), (QStringList{"Parent Directory:0^", "deep.txt:2"}));
    // Once more: there is no B inside A/B, so nothing is added.
    DoubleClick(Root("B"));
    EXPECT_EQ(Root("B")->childCount(), 2);
}

TEST_F(UploadDlgTest, ParentDirectoryGoesUpAndIsToldApartFromAFolderOfThatName)
{
    Connect();
    DoubleClick(Root("A"));
    QTreeWidgetItem* wayUp = Root("A")->child(0);
    DoubleClick(wayUp);
    EXPECT_EQ(Children(wayUp), RootListing);
    DoubleClick(Root("Parent Directory"));
    EXPECT_EQ(Children(Root("Parent Directory")), (QStringList{"Parent Directory:0^", "x.txt:2"}));
}

TEST_F(UploadDlgTest, UploadNeedsAConnectionAndASelectedFile)
{
    Click("uploadButton");
    Connect();
    Click("uploadButton");
    EXPECT_EQ(Shown(), (std::vector<std::string>{NotConnected, NoFile}));
    EXPECT_EQ(Bar(), 0);
}

TEST_F(UploadDlgTest, UploadStoresTheFileInTheCurrentFolder)
{
    state.SelectedFilePath = local.PathOf("stamped.exe");
    WriteWholeFile(state.SelectedFilePath, "MZ stamped");
    Connect();
    DoubleClick(Root("A"));
    Click("uploadButton");
    EXPECT_EQ(Shown(), std::vector<std::string>{Uploaded});
    EXPECT_EQ(Bar(), 0);
    EXPECT_EQ(ReadWholeFile(home.PathOf("A/pla1_0.exe")), "MZ stamped");
}

TEST_F(UploadDlgTest, AFailedUploadLeavesTheBarWhereItGot)
{
    state.SelectedFilePath = local.PathOf("missing.exe");
    Connect();
    std::vector<int> bars;
    for (int i = 0; i < 3; ++i) {
        Click("uploadButton");
        bars.push_back(Bar());
    }
    // The bar starts over past its end.
    EXPECT_EQ(bars, (std::vector<int>{40, 80, 20}));
    EXPECT_EQ(Shown(), (std::vector<std::string>{UploadFailed, UploadFailed, UploadFailed}));
}

TEST_F(UploadDlgTest, DisconnectEmptiesTheBoxesAndTheTreeEvenWithoutAConnection)
{
    FillBoxes();
    Tree().addTopLevelItem(new QTreeWidgetItem(QStringList{"left over"}));
    Click("disconnectButton");
    EXPECT_EQ(Tree().topLevelItemCount(), 0);
    for (const char* box : {"hostEdit", "userEdit", "passwordEdit"})
        EXPECT_TRUE(Edit(box).text().isEmpty()) << box;

    Connect();
    Click("disconnectButton");
    EXPECT_EQ(Tree().topLevelItemCount(), 0);
    Click("uploadButton");
    EXPECT_EQ(Shown(), std::vector<std::string>{NotConnected});
}

TEST_F(UploadDlgTest, ExitEmptiesAndClosesWhileEscapeOnlyCloses)
{
    Connect();
    dialog.show();
    Click("exitButton");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(Tree().topLevelItemCount(), 0);
    EXPECT_TRUE(Edit("hostEdit").text().isEmpty());

    FillBoxes();
    dialog.show();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&dialog, &escape);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(Edit("hostEdit").text().isEmpty());
}

// A scripted server: no TLS, logged in at USER, the root listed with
// `rootListing`, then `rest`, and the session closed.
ScriptedFtpServer::Script ListedRoot(const std::string& rootListing, std::vector<ScriptedFtpServer::Step> rest = {})
{
    std::vector<ScriptedFtpServer::Step> steps = {
        {"502 no TLS here\r\n"}, {"230 in\r\n"}, {"200\r\n"}, {"200\r\n"}, {"200\r\n"},
        {"200 port\r\n"}, {"150\r\n", ScriptedFtpServer::SendData(rootListing), "226\r\n"}};
    steps.insert(steps.end(), rest.begin(), rest.end());
    return {"220 ready\r\n", steps, true};
}

std::string ListingLine(const std::string& name, bool folder = false)
{
    return std::string(folder ? "drwxr-xr-x 2" : "-rw-r--r-- 1") + " o g 1 Jan 1 2000 " + name + "\r\n";
}

TEST_F(UploadDlgTest, AFailedListingLeavesTheTreeUnchanged)
{
    ScriptedFtpServer scripted(ListedRoot(ListingLine("A", true),
                                          {{"250 entered\r\n"},
                                           {"200 port\r\n"},
                                           {"150\r\n", ScriptedFtpServer::SendData(ListingLine("stale")), "451 aborted\r\n"}}));
    Connect(scripted.Port());
    const QStringList before = Roots();
    ASSERT_EQ(before, (QStringList{"Parent Directory:0^", "A:1"}));
    DoubleClick(Root("A"));
    EXPECT_EQ(Root("A")->childCount(), 0);
    EXPECT_EQ(Roots(), before);
    EXPECT_TRUE(Shown().empty());
}

TEST_F(UploadDlgTest, ConnectingToAnotherServerStartsFromAnEmptyTree)
{
    Connect();
    ASSERT_EQ(Roots(), RootListing);
    ScriptedFtpServer other(ListedRoot(ListingLine("elsewhere.txt")));
    Connect(other.Port());
    EXPECT_EQ(Roots(), (QStringList{"Parent Directory:0^", "elsewhere.txt:2"}));
}

TEST_F(UploadDlgTest, ALongListingStillScrollsSidewaysToItsLongestName)
{
    std::string listing;
    for (int i = 0; i < 3000; ++i)
        listing += ListingLine("file" + std::to_string(i));
    const std::string longName(250, 'w');
    listing += ListingLine(longName);
    ScriptedFtpServer scripted(ListedRoot(listing));
    dialog.show();
    Connect(scripted.Port());
    QApplication::processEvents();
    ASSERT_EQ(Tree().topLevelItemCount(), 3002);
    const int nameWidth = Tree().fontMetrics().horizontalAdvance(QString::fromStdString(longName));
    EXPECT_GT(Tree().header()->sectionSize(0), nameWidth);
    EXPECT_GE(Tree().horizontalScrollBar()->maximum(), nameWidth - Tree().viewport()->width());
}

TEST_F(UploadDlgTest, ANameWithControlBytesIsShownOnOneLineAndEnteredByItsBytes)
{
    const std::string name = "odd\tname\x01";
    ScriptedFtpServer scripted(ListedRoot(ListingLine(name, true), {{"250 entered\r\n"}, {"550 no listing\r\n"}}));
    Connect(scripted.Port());
    DoubleClick(Root("odd?name?"));
    const std::vector<std::string>& commands = scripted.Commands();
    EXPECT_NE(std::find(commands.begin(), commands.end(), "CWD " + name + "\r\n"), commands.end());
}

TEST_F(UploadDlgTest, TheBarFollowsTheBytesOfAnUpload)
{
    state.SelectedFilePath = local.PathOf("stamped.exe");
    WriteWholeFile(state.SelectedFilePath, std::string(8 * 1024 * 1024, 's'));
    Connect();
    std::vector<int> values;
    QObject::connect(&Child<QProgressBar>(dialog, "progressBar"), &QProgressBar::valueChanged,
                     [&values](int value) { values.push_back(value); });
    Click("uploadButton");
    EXPECT_EQ(Shown(), std::vector<std::string>{Uploaded});
    ASSERT_GE(values.size(), 3u);
    EXPECT_TRUE(std::is_sorted(values.begin(), values.end() - 1));
    EXPECT_TRUE(std::any_of(values.begin(), values.end(), [](int value) { return value > 40 && value < 80; }));
    EXPECT_EQ(values[values.size() - 2], 80);
    EXPECT_EQ(values.back(), 0);
}

}  // namespace
