#include "FileListModel.h"
#include "PlumetState.h"
#include "QtPrinters.h"
#include "TestEnvironment.h"

#include <QAbstractItemModelTester>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class FileListModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteBytes(Path("b.txt"), "Zebra\r\nAnn\r\nJan/5/1999\r\nAnimals\r\n~*^\r\nbody\r\n");
        WriteBytes(Path("two.txt"), "Only Name\r\nOnly Author\r\n");
        model.SetFiles(folder, {"b.txt", "two.txt", "gone.txt"});
    }

    std::string Path(const std::string& name) const { return folder + "/" + name; }
    QString Cell(int row, int column, int role = Qt::DisplayRole) const
    {
        return model.index(row, column).data(role).toString();
    }
    QStringList Row(int row) const
    {
        QStringList cells;
        for (int column = 0; column < model.columnCount(); ++column)
            cells << Cell(row, column);
        return cells;
    }

    QTemporaryDir dir;
    std::string folder = dir.path().toStdString();
    PlumetState state;
    FileListModel model{state};
};

int modelTesterFailures = 0;

void CountModelTesterFailures(QtMsgType type, const QMessageLogContext& context, const QString&)
{
    if (type == QtWarningMsg && context.category && QByteArray(context.category) == "qt.modeltest")
        ++modelTesterFailures;
}
}  // namespace

TEST_F(FileListModelTest, PassesQtsModelChecks)
{
    modelTesterFailures = 0;
    const QtMessageHandler previous = qInstallMessageHandler(CountModelTesterFailures);
    {
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
        model.SetFiles(folder, {"b.txt", "two.txt"});
        model.Clear();
        model.SetFiles(folder, {"b.txt"});
    }
    qInstallMessageHandler(previous);
    EXPECT_EQ(modelTesterFailures, 0);
    EXPECT_EQ(model.rowCount(), 1);
}

TEST_F(FileListModelTest, EveryCellRequestMakesThatRowsFileCurrent)
{
    (void)Cell(1, 3);
    EXPECT_EQ(state.CurrentFilePath, Path("two.txt"));
    (void)Cell(0, 0);
    EXPECT_EQ(state.CurrentFilePath, Path("b.txt"));
    // Only the text itself is read from the file.
    (void)Cell(1, 0, Qt::TextAlignmentRole);
    EXPECT_EQ(state.CurrentFilePath, Path("b.txt"));
}

TEST_F(FileListModelTest, NothingIsCachedSoChangesOnDiskShowAtOnce)
{
    EXPECT_EQ(Row(0), (QStringList{"Zebra", "Ann", "Jan/5/1999", "Animals"}));
    EXPECT_EQ(Row(2), (QStringList{"", "", "", ""}));  // listed, then gone from the disk
    WriteBytes(Path("b.txt"), "Zebra Two\r\nAnn\r\n");
    EXPECT_EQ(Row(0), (QStringList{"Zebra Two", "Ann", "", ""}));
    WriteBytes(Path("gone.txt"), "Back\r\n");
    EXPECT_EQ(Cell(2, 0), "Back");
}

TEST_F(FileListModelTest, HeadingsAndAlignments)
{
    const std::vector<std::pair<QString, Qt::Alignment>> expected = {
        {"Article", Qt::AlignLeft},
        {"Author's Name", Qt::AlignRight},
        {"Date Published", Qt::AlignHCenter},
        {"Topic", Qt::AlignHCenter},
    };
    for (int column = 0; column < 4; ++column) {
        SCOPED_TRACE(column);
        EXPECT_EQ(model.headerData(column, Qt::Horizontal).toString(), expected[size_t(column)].first);
        const auto cellAlignment = Qt::Alignment(model.index(0, column).data(Qt::TextAlignmentRole).toInt());
        const auto headingAlignment = Qt::Alignment(model.headerData(column, Qt::Horizontal, Qt::TextAlignmentRole).toInt());
        EXPECT_EQ(cellAlignment & Qt::AlignHorizontal_Mask, expected[size_t(column)].second);
        EXPECT_EQ(headingAlignment & Qt::AlignHorizontal_Mask, expected[size_t(column)].second);
    }
    EXPECT_FALSE(model.headerData(0, Qt::Vertical).isValid());
    EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);
}
