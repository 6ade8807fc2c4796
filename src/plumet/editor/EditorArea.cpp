#include "EditorArea.h"

#include "FindBar.h"
#include "WriterEdit.h"

#include <QShortcut>
#include <QVBoxLayout>

CEditorArea::CEditorArea(CWriterEdit& editor, QWidget* parent)
    : QWidget(parent), findBar_(new CFindBar(editor, this))
{
    setObjectName(QStringLiteral("editorArea"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(&editor, 1);
    layout->addWidget(findBar_);

    const struct {
        QKeySequence keys;
        void (CFindBar::*run)();
    } keys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_F), &CFindBar::OpenFind},
        {QKeySequence(Qt::CTRL | Qt::Key_H), &CFindBar::OpenReplace},
        {QKeySequence(Qt::Key_F3), &CFindBar::FindNext},
        {QKeySequence(Qt::SHIFT | Qt::Key_F3), &CFindBar::FindPrevious},
    };
    for (const auto& key : keys) {
        auto* shortcut = new QShortcut(key.keys, this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, findBar_, key.run);
    }
}
