#include "FileListModel.h"
#include "PaneFixture.h"

#include <QHeaderView>
#include <QPushButton>
#include <QStyle>
#include <QTest>

#include <algorithm>

namespace {

QStringList Row(const CPlumetView& list, int row)
{
    QStringList cells;
    for (int column = 0; column < 4; ++column)
        cells << list.model()->index(row, column).data().toString();
    return cells;
}

// Fills "Enter File Information" and saves.
ScopedModalScript::Step SaveAs(QString article, QString author, QString topic)
{
    return [=](QDialog& dialog) {
        Child<QLineEdit>(dialog, "articleNameEdit").setText(article);
        Child<QLineEdit>(dialog, "authorNameEdit").setText(author);
        Child<QLineEdit>(dialog, "topicEdit").setText(topic);
        Child<QPushButton>(dialog, "saveFileButton").click();
        return dialog.result();
    };
}

}  // namespace

class FileListPane : public PaneFixture {
protected:
    void WriteContent(const std::string& relative, const std::string& bytes) const
    {
        WriteBytes(OnDisk(relative), bytes);
    }
    void Click(int row, Qt::KeyboardModifiers modifiers = {})
    {
        const QRect cell = List().visualRect(List().model()->index(row, 0));
        QTest::mouseClick(List().viewport(), Qt::LeftButton, modifiers, cell.center());
    }
};

TEST_F(FileListPane, ShowsOneRowPerFileWithTheHeaderColumnsAndNoSubfolders)
{
    Start({"My Content/Old"});
    WriteContent("My Content/b.txt", "Zebra\r\nAnn\r\nJan/5/1999\r\nAnimals\r\n~*^\r\nbody\r\n");
    WriteContent("My Content/a.txt", "Apple\r\nBob\r\nNot Yet Published\r\nFruit\r\n~*^\r\n");
    Select("File Manager/My Content");

    ASSERT_EQ(List().model()->rowCount(), 2);
    QList<QStringList> rows{Row(List(), 0), Row(List(), 1)};
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(rows[0], (QStringList{"Apple", "Bob", "Not Yet Published", "Fruit"}));
    EXPECT_EQ(rows[1], (QStringList{"Zebra", "Ann", "Jan/5/1999", "Animals"}));

    const QHeaderView& header = *List().horizontalHeader();
    EXPECT_EQ(header.sectionSize(0), 192);
    EXPECT_EQ(header.sectionSize(1), 96);
    EXPECT_EQ(header.sectionSize(2), 85);
    EXPECT_EQ(header.sectionSize(3), 100);
    EXPECT_FALSE(header.sectionsClickable());
    EXPECT_EQ(List().selectionMode(), QAbstractItemView::ExtendedSelection);
}

TEST_F(FileListPane, HeadingsAndRowsGrowWithTheFont)
{
    Start();
    const QHeaderView& header = *List().horizontalHeader();
    const int margins = 2 * List().style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &header);
    for (double points : {7.5, 12.0, 16.0}) {
        QFont face(QStringLiteral("DejaVu Sans"));
        face.setPointSizeF(points);
        List().setFont(face);  // as a desktop sets its font after start
        const QFontMetrics metrics(header.font());
        for (int column = 0; column < 4; ++column) {
            const QString heading = List().model()->headerData(column, Qt::Horizontal).toString();
            EXPECT_GE(header.sectionSize(column), metrics.horizontalAdvance(heading) + margins)
                << heading.toStdString() << " at " << points << " points";
        }
        EXPECT_GE(List().verticalHeader()->defaultSectionSize(), QFontMetrics(face).height()) << points;
    }
}

TEST_F(FileListPane, AFileOfTwoLinesShowsTwoCellsAndTwoEmptyOnes)
{
    Start();
    WriteContent("My Plumets/short.txt", "Just a title\r\nA. Writer\r\n");
    Select("File Manager/My Plumets");
    ASSERT_EQ(List().model()->rowCount(), 1);
    EXPECT_EQ(Row(List(), 0), (QStringList{"Just a title", "A. Writer", "", ""}));
}

TEST_F(FileListPane, StartsWithTheLibraryRootAndEmptiesForAMissingFolder)
{
    WriteBytes(env.Folder() + "/stray.txt", "");  // outside the library: never shown
    Start();
    EXPECT_EQ(List().model()->rowCount(), 0);
    WriteContent("loose.txt", "Loose\r\n");
    Frame().Tree().PopulateTree();
    List().OnInitialUpdate();
    ASSERT_EQ(List().model()->rowCount(), 1);
    EXPECT_EQ(Row(List(), 0).front(), "Loose");

    // A folder deleted on disk behind the tree's back leaves the list empty.
    WriteContent("My Plumets/x.txt", "X\r\n");
    Select("File Manager/My Plumets");
    ASSERT_EQ(List().model()->rowCount(), 1);
    ASSERT_TRUE(QDir(QString::fromStdString(OnDisk("My Content"))).removeRecursively());
    Select("File Manager/My Content");
    EXPECT_EQ(List().model()->rowCount(), 0);
}

TEST_F(FileListPane, ClickingSendsEverySelectedRowInRowOrder)
{
    Start();
    WriteContent("My Content/one.txt", "First Article\r\nA\r\n");
    WriteContent("My Content/two.txt", "Second Article\r\nB\r\n");
    Select("File Manager/My Content");
    ASSERT_EQ(List().model()->rowCount(), 2);
    const FileListModel& model = List().Model();
    const std::string path0 = model.FilePath(0);
    const std::string path1 = model.FilePath(1);
    spy.updates.clear();

    Click(1);
    ASSERT_EQ(spy.updates.size(), 1u);
    EXPECT_EQ(spy.updates[0], std::make_pair(kSelectionHint, path1));
    EXPECT_EQ(State().CurrentFilePath, path1);
    EXPECT_EQ(Frame().windowTitle(), Row(List(), 1).front());

    spy.updates.clear();
    Click(0, Qt::ControlModifier);
    ASSERT_EQ(spy.updates.size(), 2u);
    EXPECT_EQ(spy.updates[0], std::make_pair(kSelectionHint, path0));
    EXPECT_EQ(spy.updates[1], std::make_pair(kSelectionHint, path1));
    EXPECT_EQ(State().CurrentFilePath, path1);
    EXPECT_EQ(Frame().windowTitle(), Row(List(), 1).front());

    // A click on empty space clears the selection and opens nothing.
    spy.updates.clear();
    QTest::mouseClick(List().viewport(), Qt::LeftButton, {}, QPoint(10, List().viewport()->height() - 5));
    EXPECT_TRUE(spy.updates.empty());
}

TEST_F(FileListPane, NewFileWritesAnEmptyBodyIntoTheShownFolderAndListsIt)
{
    Start();
    WriteContent("My Content/old.txt", "Old\r\nA\r\nNot Yet Published\r\nT\r\n~*^\r\n");
    Select("File Manager/My Content");
    State().EditorText = "text of the last file";
    Activate(List());
    ScopedModalScript save({SaveAs("Fresh Start!", "Me", "News")});
    Run(CommandId::NewFile);

    EXPECT_EQ(ReadBytes(OnDisk("My Content/Fresh_Start.txt")), "Fresh Start!\r\nMe\r\nNot Yet Published\r\nNews\r\n~*^\r\n");
    EXPECT_EQ(State().EditorText, "");
    EXPECT_EQ(List().model()->rowCount(), 2);
}

TEST_F(FileListPane, AfterANewTreeSelectionSavesGoToTheSelectedFolder)
{
    Start();
    WriteContent("My Content/a.txt", "Apple\r\nBob\r\nNot Yet Published\r\nFruit\r\n~*^\r\n");
    Select("File Manager/My Content");
    ASSERT_EQ(List().model()->rowCount(), 1);
    (void)Row(List(), 0);  // painting the row makes it the current file
    ASSERT_EQ(State().CurrentFilePath, OnDisk("My Content/a.txt"));

    Select("File Manager/My Plumets");
    EXPECT_EQ(State().CurrentFilePath, "");
    Activate(List());
    ScopedModalScript save({SaveAs("Issue One", "Me", "Issues")});
    Run(CommandId::SaveEditProperties);

    EXPECT_FALSE(ReadBytes(OnDisk("My Plumets/Issue_One.txt")).empty());
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(OnDisk("My Content/Issue_One.txt"))));
    ASSERT_EQ(List().model()->rowCount(), 1);
    EXPECT_EQ(Row(List(), 0).front(), "Issue One");
}

TEST_F(FileListPane, SaveEditPropertiesWritesBesideTheCurrentFileAndShowsThatFolder)
{
    Start();
    WriteContent("My Content/a.txt", "Apple\r\nBob\r\nNot Yet Published\r\nFruit\r\n~*^\r\n");
    Select("File Manager/My Content");
    Select("File Manager/My Plumets");  // the list now shows another folder
    State().CurrentFilePath = OnDisk("My Content/a.txt");
    State().EditorText = "new body";
    Activate(List());
    ScopedModalScript save({SaveAs("Apple", "Bob", "Fruit")});
    Run(CommandId::SaveEditProperties);

    EXPECT_EQ(ReadBytes(OnDisk("My Content/Apple.txt")), "Apple\r\nBob\r\nNot Yet Published\r\nFruit\r\n~*^\r\nnew body");
    EXPECT_EQ(List().Model().Folder(), OnDisk("My Content"));
    EXPECT_EQ(List().model()->rowCount(), 2);
}

TEST_F(FileListPane, CancellingTheDialogKeepsTheShownFolder)
{
    Start();
    Select("File Manager/My Plumets");  // an empty folder: no current file
    Activate(List());
    Run(CommandId::SaveEditProperties);  // unscripted: cancelled
    EXPECT_EQ(List().Model().Folder(), OnDisk("My Plumets"));

    State().ArticleName = "Held";
    State().AuthorName = "Held";
    State().Topic = "Held";
    Run(CommandId::NewFile);
    EXPECT_EQ(List().Model().Folder(), OnDisk("My Plumets"));
    EXPECT_EQ(State().CurrentFilePath, "");
}
