// The yardstick for plumet's start: a bare Qt window that shows one
// QTreeView holding one item, ended as soon as it is on screen. The item
// makes it draw text, as any window that shows something does.
#include "QuitWhenShown.h"

#include <QApplication>
#include <QStandardItemModel>
#include <QTreeView>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QuitWhenShown quit("tree");
    QStandardItemModel model;
    model.appendRow(new QStandardItem(QStringLiteral("File Manager")));
    QTreeView tree;
    tree.setObjectName(QStringLiteral("tree"));
    tree.setModel(&model);
    tree.resize(800, 600);
    tree.show();
    QuitWhenShown::ExitNow(application.exec());
}
