#include "FileInformation.h"
#include "PlumetState.h"
#include "TestEnvironment.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {
PlumetState LibraryState(const TestEnvironment& env)
{
    PlumetState state;
    state.ProgramFolder = env.Folder();
    state.LibraryRoot = env.Folder() + "/File Manager";
    QDir().mkpath(QString::fromStdString(state.LibraryRoot + "/My Content"));
    return state;
}
}  // namespace

TEST(FileInformation, TargetFolderFollowsFileThenFolderThenRoot)
{
    TestEnvironment env;
    PlumetState state = LibraryState(env);
    EXPECT_EQ(FileInformation::TargetFolder(state), state.LibraryRoot);
    state.CurrentFolder = "File Manager/My Content";
    EXPECT_EQ(FileInformation::TargetFolder(state), env.Folder() + "/File Manager/My Content");
    state.CurrentFilePath = env.Folder() + "/File Manager/My Plumets/x.txt";
    EXPECT_EQ(FileInformation::TargetFolder(state), env.Folder() + "/File Manager/My Plumets");
}

TEST(FileInformation, SaveWritesIntoTheCurrentFolderAndRemembersThePath)
{
    TestEnvironment env;
    PlumetState state = LibraryState(env);
    state.CurrentFolder = "File Manager/My Content";
    state.EditorText = "Body\r\n";
    EXPECT_EQ(FileInformation::Save(state, {"Why?", "Ann", "Mar", "7", "", "Tips"}),
              FileInformation::Outcome::Saved);
    const std::string path = env.Folder() + "/File Manager/My Content/Why.txt";
    EXPECT_EQ(state.CurrentFilePath, path);
    EXPECT_EQ(state.DatePublished, "Not Yet Published");
    EXPECT_EQ(state.DialogMonth, "Mar");
    EXPECT_EQ(ReadBytes(path), "Why?\r\nAnn\r\nNot Yet Published\r\nTips\r\n~*^\r\nBody\r\r\n");
}

TEST(FileInformation, MissingFieldsKeepWhatWasReadAndWriteNothing)
{
    TestEnvironment env;
    PlumetState state = LibraryState(env);
    state.AuthorName = "old author";
    state.Topic = "old topic";
    EXPECT_EQ(FileInformation::Save(state, {"Only a name", "", "Jan", "5", "1999", ""}),
              FileInformation::Outcome::MissingFields);
    EXPECT_EQ(state.ArticleName, "Only a name");
    EXPECT_EQ(state.AuthorName, "");
    EXPECT_EQ(state.Topic, "");
    EXPECT_EQ(state.DatePublished, "Jan/5/1999");
    EXPECT_EQ(state.CurrentFilePath, "");
    EXPECT_TRUE(QDir(QString::fromStdString(state.LibraryRoot)).entryList(QDir::Files).isEmpty());
}

TEST(FileInformation, PrefillPrefersTheHeldFieldsThenTheCurrentFile)
{
    TestEnvironment env;
    PlumetState state = LibraryState(env);
    EXPECT_EQ(FileInformation::Prefill(state).articleName, "");

    state.CurrentFilePath = env.Folder() + "/f.txt";
    WriteBytes(state.CurrentFilePath, "From file\r\nWriter\r\nJan/5/1999\r\nSubject\r\n~*^\r\n");
    state.ArticleName = "Held";  // author and topic empty: the file decides
    ContentFile::Header h = FileInformation::Prefill(state);
    EXPECT_EQ(h.articleName, "From file");
    EXPECT_EQ(h.authorName, "Writer");
    EXPECT_EQ(h.topic, "Subject");
    EXPECT_EQ(h.datePublished, "");

    state.AuthorName = "Held author";
    state.Topic = "Held topic";
    h = FileInformation::Prefill(state);
    EXPECT_EQ(h.articleName, "Held");
    EXPECT_EQ(h.topic, "Held topic");
}
