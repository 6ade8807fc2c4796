#include "AccessibleWalk.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <map>

namespace {

// Input controls and value displays. A picture label counts: it shows
// something a reader cannot hear unless it is named.
bool NeedsName(const QWidget& w)
{
    if (auto* label = qobject_cast<const QLabel*>(&w))
        return !label->pixmap().isNull();
    return qobject_cast<const QLineEdit*>(&w) || qobject_cast<const QComboBox*>(&w) ||
           qobject_cast<const QAbstractSpinBox*>(&w) || qobject_cast<const QTextEdit*>(&w) ||
           qobject_cast<const QPlainTextEdit*>(&w) || qobject_cast<const QAbstractItemView*>(&w) ||
           qobject_cast<const QProgressBar*>(&w) || qobject_cast<const QAbstractButton*>(&w);
}

// The parts of a control (a combo box's editor, a view's header and scroll
// bars) are announced with the control, so only the outermost one is checked.
bool InsideControl(const QWidget& w, const QWidget& root)
{
    for (const QWidget* p = w.parentWidget(); p && p != &root; p = p->parentWidget())
        if (NeedsName(*p) && !qobject_cast<const QLabel*>(p))
            return true;
    return false;
}

QString Describe(const QWidget& root, const QWidget& w)
{
    const QString window = root.objectName().isEmpty() ? QString::fromLatin1(root.metaObject()->className())
                                                       : root.objectName();
    return QStringLiteral("%1: %2 (%3)").arg(window, w.objectName(), QString::fromLatin1(w.metaObject()->className()));
}

QList<QWidget*> WidgetsOf(QWidget& root)
{
    QList<QWidget*> all = root.findChildren<QWidget*>();
    all.prepend(&root);
    return all;
}

}  // namespace

QStringList UnnamedControls(QWidget& root)
{
    QStringList unnamed;
    for (QWidget* w : WidgetsOf(root)) {
        // Qt's own parts (a menu bar's overflow button) are not ours to name.
        if (!NeedsName(*w) || InsideControl(*w, root) || w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
        if (!face || face->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << Describe(root, *w);
    }
    return unnamed;
}

QStringList SilentProgressBars(QWidget& root)
{
    QStringList silent;
    for (auto* bar : root.findChildren<QProgressBar*>()) {
        bar->setValue(bar->minimum() + (bar->maximum() - bar->minimum()) / 2);
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(bar);
        QAccessibleValueInterface* value = face ? face->valueInterface() : nullptr;
        if (!value || value->currentValue().toInt() != bar->value())
            silent << Describe(root, *bar);
    }
    return silent;
}

QStringList FormNames(const QString& folder)
{
    QStringList names;
    QDirIterator it(folder, {QStringLiteral("*.ui")}, QDir::Files);
    while (it.hasNext()) {
        QFile file(it.next());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        QXmlStreamReader xml(&file);
        while (xml.readNextStartElement()) {
            if (xml.name() == QLatin1String("widget")) {
                names << xml.attributes().value(QLatin1String("name")).toString();
                break;
            }
            if (xml.name() != QLatin1String("ui"))
                xml.skipCurrentElement();
        }
    }
    names.sort();
    return names;
}

namespace {

// Whether a user can move the keyboard focus to the control.
bool TakesFocus(const QWidget& w) { return w.isVisible() && w.isEnabled() && (w.focusPolicy() & Qt::TabFocus); }

// Opens each window, hands it to `check` and expects every form in
// `formFolder` among the windows opened.
void ForEveryWindow(const std::vector<WindowOpener>& windows, const QString& formFolder,
                    const std::function<void(QWidget&)>& check)
{
    QStringList opened;
    for (const auto& opener : windows) {
        SCOPED_TRACE(opener.window.toStdString());
        bool visited = false;
        opener.open([&](QWidget& window) {
            visited = true;
            opened << window.objectName();
            check(window);
        });
        EXPECT_TRUE(visited);
    }
    const QStringList forms = FormNames(formFolder);
    ASSERT_FALSE(forms.isEmpty()) << formFolder.toStdString();
    for (const QString& form : forms)
        EXPECT_TRUE(opened.contains(form)) << "no window in the walk is made from the form " << form.toStdString();
}

}  // namespace

QStringList EnterKeyMisses(QWidget& root)
{
    std::map<QPushButton*, int> presses;
    std::vector<QMetaObject::Connection> counters;
    QPushButton* windowDefault = nullptr;
    for (QPushButton* button : root.findChildren<QPushButton*>()) {
        // What the buttons do is not the question; their handlers could end the window.
        QObject::disconnect(button, &QAbstractButton::clicked, nullptr, nullptr);
        counters.push_back(QObject::connect(button, &QAbstractButton::clicked, [&presses, button] { ++presses[button]; }));
        if (button->isDefault())
            windowDefault = button;
    }
    root.show();
    QApplication::setActiveWindow(&root);

    QStringList misses;
    // Enter with the focus on `w` should press `pressed` alone (nothing when null).
    auto expectEnter = [&](QWidget& w, QPushButton* pressed) {
        if (!TakesFocus(w))
            return;
        presses.clear();
        w.setFocus(Qt::TabFocusReason);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        if (QApplication::focusWidget() == &w)
            QCoreApplication::sendEvent(&w, &enter);
        const bool right = pressed ? presses == std::map<QPushButton*, int>{{pressed, 1}} : presses.empty();
        if (QApplication::focusWidget() != &w || !right)
            misses << Describe(root, w);
    };
    for (QPushButton* button : root.findChildren<QPushButton*>())
        expectEnter(*button, button);
    // After the focus has been on other buttons, a box gives Enter to the default again.
    for (QLineEdit* box : root.findChildren<QLineEdit*>())
        if (!InsideControl(*box, root))
            expectEnter(*box, windowDefault);

    for (const auto& counter : counters)
        QObject::disconnect(counter);
    root.hide();
    return misses;
}

void ExpectEveryWindowNamed(const std::vector<WindowOpener>& windows, const QString& formFolder)
{
    ForEveryWindow(windows, formFolder, [](QWidget& window) {
        EXPECT_EQ(UnnamedControls(window).join('\n').toStdString(), "");
        EXPECT_EQ(SilentProgressBars(window).join('\n').toStdString(), "");
    });
}

void ExpectEnterOnEveryFocusedButton(const std::vector<WindowOpener>& windows, const QString& formFolder)
{
    ForEveryWindow(windows, formFolder,
                   [](QWidget& window) { EXPECT_EQ(EnterKeyMisses(window).join('\n').toStdString(), ""); });
}
