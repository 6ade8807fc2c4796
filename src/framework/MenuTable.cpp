#include "MenuTable.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

namespace {

QAction* CommandAction(QObject* parent, const QString& text, int id, const CommandSink& sink)
{
    auto* action = new QAction(text, parent);
    action->setObjectName(QStringLiteral("command%1").arg(id));
    action->setProperty(kCommandIdProperty, id);
    QObject::connect(action, &QAction::triggered, parent, [execute = sink.execute, id] { execute(id); });
    return action;
}

}  // namespace

void BuildMenuBar(QMenuBar& bar, const std::vector<Menu>& menus, const CommandSink& sink)
{
    for (const Menu& menu : menus) {
        QMenu* qmenu = bar.addMenu(QString::fromLocal8Bit(menu.title));
        for (const MenuItem& item : menu.items) {
            if (item.id == 0)
                qmenu->addSeparator();
            else
                qmenu->addAction(CommandAction(qmenu, QString::fromLocal8Bit(item.text), item.id, sink));
        }
        QObject::connect(qmenu, &QMenu::aboutToShow, qmenu, [qmenu, enabled = sink.enabled] {
            for (QAction* action : qmenu->actions()) {
                const QVariant id = action->property(kCommandIdProperty);
                if (id.isValid())
                    action->setEnabled(enabled(id.toInt()));
            }
        });
    }
}

void InstallAccelerators(QWidget& window, const std::vector<Accelerator>& table,
                         const CommandSink& sink)
{
    for (const Accelerator& entry : table) {
        QAction* action = CommandAction(&window, QString(), entry.id, sink);
        action->setObjectName(QStringLiteral("accelerator%1").arg(entry.keys.toString()));
        action->setShortcut(entry.keys);
        action->setShortcutContext(Qt::WindowShortcut);
        window.addAction(action);
    }
}
