#pragma once
#include <QKeySequence>

#include <functional>
#include <string>
#include <vector>

class QMenuBar;
class QWidget;

// A menu bar and a shortcut table as data. An item's text is stored as shown:
// the label, then a tab and the shortcut label when it shows one.
struct MenuItem {
    std::string text;
    int id = 0;  // 0: a separator
};

struct Menu {
    std::string title;
    std::vector<MenuItem> items;
};

struct Accelerator {
    QKeySequence keys;
    int id;
};

// Command id of a menu action or accelerator action, kept as a property.
inline constexpr const char* kCommandIdProperty = "commandId";

struct CommandSink {
    std::function<void(int)> execute;
    std::function<bool(int)> enabled;
};

// Builds the menus; each menu asks for its items' enabled state just before
// it opens. Actions are named "command<id>".
void BuildMenuBar(QMenuBar& bar, const std::vector<Menu>& menus, const CommandSink& sink);

// Adds one window-wide shortcut action per entry, each sending its command.
void InstallAccelerators(QWidget& window, const std::vector<Accelerator>& table,
                         const CommandSink& sink);
