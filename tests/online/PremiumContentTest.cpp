#include "PremiumContent.h"
#include "PremiumDownload.h"
#include "ScriptedServer.h"

#include "LoopbackHttpServer.h"
#include "ScriptedDialogs.h"
#include "TestEnvironment.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QLabel>

#include <gtest/gtest.h>

#include <map>

namespace {
using Strings = std::vector<std::string>;

// A library with the premium folders and a content server whose answers are
// set per request target; anything else is a 404 page.
class PremiumContentTest : public ::testing::Test {
protected:
    PremiumContentTest()
    {
        for (const char* folder : {"Premium Content/Articles", "Premium Content/Ads"})
            QDir().mkpath(QString::fromStdString(Library() + "/" + folder));
    }

    std::string Library() const { return env.Folder() + "/File Manager"; }
    std::string Articles() const { return Library() + "/Premium Content/Articles"; }
    std::string Ads() const { return Library() + "/Premium Content/Ads"; }

    void Serve(const std::string& name, const std::string& answer) { answers["/kestrin/" + name] = answer; }
    void ServeText(const std::string& name, const std::string& body)
    {
        Serve(name, LoopbackHttpServer::Answer(body));
    }

    // One start's download; the progress steps it made.
    bool Update(std::vector<int>* steps = nullptr)
    {
        return PremiumContent::Update({"127.0.0.1", server.Port()}, Library(), [steps](int n) {
            if (steps)
                steps->push_back(n);
        });
    }

    // Every file below the test folder, relative to it.
    QStringList FilesEverywhere() const
    {
        QStringList found;
        const QString root = QString::fromStdString(env.Folder());
        QDirIterator it(QFileInfo(root).path(), QDir::Files | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            found << it.next().mid(QFileInfo(root).path().size() + 1);
        found.sort();
        return found;
    }

    TestEnvironment env;
    std::map<std::string, std::string> answers;
    LoopbackHttpServer server{[this](const std::string& line) {
        const std::string target = line.substr(4, line.rfind(' ') - 4);
        const auto found = answers.find(target);
        return found != answers.end() ? found->second
                                      : LoopbackHttpServer::Answer("<p>not here</p>", "404 Not Found", "text/html");
    }};
};

TEST_F(PremiumContentTest, OnlyMissingFilesAreRequestedAndTheListsLeaveNoFile)
{
    WriteBytes(Articles() + "/tip1.txt", "mine");
    ServeText("articles.txt", "tip1.txt\r\ntip2.txt\r\n");
    ServeText("tip1.txt", "theirs");
    ServeText("tip2.txt", "two");
    ServeText("ads.txt", "");
    std::vector<int> steps;
    ASSERT_TRUE(Update(&steps));
    EXPECT_EQ(server.Targets(), (Strings{"/kestrin/articles.txt", "/kestrin/tip2.txt", "/kestrin/ads.txt"}));
    EXPECT_EQ(server.Requests()[1], "GET /kestrin/tip2.txt HTTP/1.0");
    EXPECT_EQ(ReadBytes(Articles() + "/tip1.txt"), "mine");
    EXPECT_EQ(ReadBytes(Articles() + "/tip2.txt"), "two");
    EXPECT_EQ(steps, (std::vector<int>{4, 2}));
    EXPECT_EQ(FilesEverywhere().filter("File Manager"),
              (QStringList{"work/File Manager/Premium Content/Articles/tip1.txt",
                           "work/File Manager/Premium Content/Articles/tip2.txt"}));
}

TEST_F(PremiumContentTest, ListLinesEndAnyWayAndEmptyLinesNameNothing)
{
    ServeText("articles.txt", "");
    ServeText("ads.txt", "both.txt\n\nlast.txt");
    ServeText("both.txt", "b");
    ServeText("last.txt", "l");
    ASSERT_TRUE(Update());
    EXPECT_EQ(server.Targets(),
              (Strings{"/kestrin/articles.txt", "/kestrin/ads.txt", "/kestrin/both.txt", "/kestrin/last.txt"}));
    EXPECT_EQ(ReadBytes(Ads() + "/last.txt"), "l");

    EXPECT_EQ(PremiumContent::ListLines("a\r\nb\nc\r\rd"), (Strings{"a", "b", "c\r\rd"}));
    EXPECT_EQ(PremiumContent::ListLines("a\r\n\r\n"), (Strings{"a", ""}));
    EXPECT_EQ(PremiumContent::ListLines("x\r"), (Strings{"x\r"}));
}

TEST_F(PremiumContentTest, ANameAsksForItsOwnFileWhateverItHolds)
{
    ServeText("articles.txt", "Q&A? #1 at 100%.txt\r\n");
    Serve("Q&A%3F%20%231%20at%20100%25.txt", LoopbackHttpServer::Answer("odd"));
    ServeText("ads.txt", "");
    ASSERT_TRUE(Update());
    EXPECT_EQ(server.Targets()[1], "/kestrin/Q&A%3F%20%231%20at%20100%25.txt");
    EXPECT_EQ(ReadBytes(Articles() + "/Q&A? #1 at 100%.txt"), "odd");
}

TEST_F(PremiumContentTest, AFileInBothListsIsStoredInBothFolders)
{
    ServeText("articles.txt", "both.txt\r\n");
    ServeText("ads.txt", "both.txt\r\n");
    ServeText("both.txt", "same");
    ASSERT_TRUE(Update());
    EXPECT_EQ(ReadBytes(Articles() + "/both.txt"), "same");
    EXPECT_EQ(ReadBytes(Ads() + "/both.txt"), "same");
}

TEST_F(PremiumContentTest, NamesThatCouldLeaveTheFolderAreNeitherRequestedNorWritten)
{
    const QStringList before = FilesEverywhere();
    ServeText("articles.txt", "../x\r\na/b\r\n..\r\n/etc/passwd\r\na\\b\r\n.\r\n" + std::string(247, 'n') + "\r\n");
    ServeText("ads.txt", "");
    ASSERT_TRUE(Update());
    EXPECT_EQ(server.Targets(), (Strings{"/kestrin/articles.txt", "/kestrin/ads.txt"}));
    EXPECT_EQ(FilesEverywhere(), before);
}

TEST_F(PremiumContentTest, AListThatIsNotAWholeSuccessCountsAsNotFetched)
{
    // A 404 page for the articles list: nothing else is asked for.
    ASSERT_FALSE(Update());
    EXPECT_EQ(server.Targets(), (Strings{"/kestrin/articles.txt"}));

    ServeText("articles.txt", "");
    Serve("ads.txt", "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\nContent-Length: 50\r\n\r\nx.txt\r\n");
    std::vector<int> steps;
    EXPECT_FALSE(Update(&steps));
    EXPECT_EQ(steps, (std::vector<int>{4}));
    EXPECT_EQ(FilesEverywhere().filter("File Manager"), QStringList());
}

TEST_F(PremiumContentTest, AFailedItemLeavesNoFileAndIsAskedForAgainNextTime)
{
    ServeText("articles.txt", "gone.txt\r\nshort.txt\r\nbare.txt\r\n");
    ServeText("ads.txt", "");
    Serve("short.txt", "HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\nonly part");
    Serve("bare.txt", "HTTP/1.0 200 OK\r\n\r\nno length");
    ASSERT_TRUE(Update());
    EXPECT_EQ(ReadBytes(Articles() + "/bare.txt"), "no length");
    ASSERT_TRUE(Update());
    EXPECT_EQ(server.Targets(),
              (Strings{"/kestrin/articles.txt", "/kestrin/gone.txt", "/kestrin/short.txt", "/kestrin/bare.txt",
                       "/kestrin/ads.txt", "/kestrin/articles.txt", "/kestrin/gone.txt", "/kestrin/short.txt",
                       "/kestrin/ads.txt"}));
    EXPECT_EQ(FilesEverywhere().filter("File Manager"),
              (QStringList{"work/File Manager/Premium Content/Articles/bare.txt"}));
}

TEST_F(PremiumContentTest, NoServerShowsOneMessageWithTheBarAtFortyPercent)
{
    env.PointServersAt(UnusedLoopbackPort(), UnusedLoopbackPort());
    QString percentWhenShown;
    ScopedMessageScript messages;
    SetMessageHandler([&, previous = SetMessageHandler({})](const MessageRecord& message) {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->objectName() == "ProgressDlg" && window->isVisible())
                percentWhenShown = window->findChild<QLabel*>("percentLabel")->text();
        return previous(message);
    });
    DownloadPremiumContent(Library(), nullptr);
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].caption, "Plumet Assistant");
    EXPECT_EQ(messages.Shown()[0].text,
              "Could not retrieve information from the servers.  Please ensure that you are connected to the "
              "internet and restart the application");
    EXPECT_EQ(messages.Shown()[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(messages.Shown()[0].icon, MessageIcon::None);
    EXPECT_EQ(percentWhenShown, QStringLiteral("40%"));
    for (QWidget* window : QApplication::topLevelWidgets())
        EXPECT_FALSE(window->objectName() == "ProgressDlg" && window->isVisible());
}
}  // namespace
