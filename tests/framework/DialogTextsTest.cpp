// Every text of every dialog must fit its control, laid out in the dialog
// units of whatever face the desktop gives it. The .ui files are found at run
// time, so a dialog added later is measured too.
#include "DialogPlacement.h"
#include "DialogStyle.h"

#include <QApplication>
#include <QCheckBox>
#include <QDirIterator>
#include <QDomDocument>
#include <QFile>
#include <QFontInfo>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QMetaProperty>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <vector>

namespace {

QStringList UiFiles()
{
    QStringList files;
    QDirIterator it(QStringLiteral(PLUMET_RESOURCES_DIR), {QStringLiteral("*.ui")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

QDomElement FirstChild(const QDomElement& parent, const QString& tag)
{
    return parent.firstChildElement(tag);
}

QFont ReadFont(const QDomElement& font)
{
    QFont result;
    if (auto e = FirstChild(font, "family"); !e.isNull())
        result.setFamily(e.text());
    if (auto e = FirstChild(font, "pointsize"); !e.isNull())
        result.setPointSize(e.text().toInt());
    if (auto e = FirstChild(font, "bold"); !e.isNull())
        result.setBold(e.text() == "true");
    if (auto e = FirstChild(font, "italic"); !e.isNull())
        result.setItalic(e.text() == "true");
    return result;
}

QRect ReadRect(const QDomElement& rect)
{
    auto n = [&](const char* tag) { return FirstChild(rect, tag).text().toInt(); };
    return QRect(n("x"), n("y"), n("width"), n("height"));
}

// Builds the widgets a .ui file describes, as far as the measuring needs:
// standard classes for the controls that show texts, their base class for
// custom ones, a plain QWidget for everything else.
class UiBuilder {
public:
    UiBuilder(const QDomElement& ui, const QFont& face) : face_(face)
    {
        for (auto w = FirstChild(FirstChild(ui, "customwidgets"), "customwidget"); !w.isNull();
             w = w.nextSiblingElement("customwidget"))
            extends_[FirstChild(w, "class").text()] = FirstChild(w, "extends").text();
    }

    std::unique_ptr<QWidget> BuildRoot(const QDomElement& widget)
    {
        std::unique_ptr<QWidget> root(Build(widget, nullptr, false));
        PlaceInDialogUnits(*root);
        return root;
    }

    struct Control {
        QWidget* widget;
        QString name;
    };
    // Controls placed at their own geometry; those in a layout get at least
    // their size hint from it.
    const std::vector<Control>& Placed() const { return placed_; }

private:
    QString BaseClass(QString cls) const
    {
        while (extends_.contains(cls))
            cls = extends_.value(cls);
        return cls;
    }

    static QWidget* Make(const QString& cls)
    {
        if (cls == "QLabel") return new QLabel;
        if (cls == "QPushButton") return new QPushButton;
        if (cls == "QCheckBox") return new QCheckBox;
        if (cls == "QRadioButton") return new QRadioButton;
        if (cls == "QGroupBox") return new QGroupBox;
        if (cls == "QTabWidget") return new QTabWidget;
        return new QWidget;
    }

    static void SetProperty(QWidget* widget, const QString& name, const QDomElement& value)
    {
        const QMetaObject* meta = widget->metaObject();
        const int index = meta->indexOfProperty(name.toLatin1().constData());
        if (index < 0)
            return;
        const QMetaProperty property = meta->property(index);
        const QString text = value.text();
        if (property.isEnumType())
            property.write(widget, property.enumerator().keysToValue(text.toLatin1().constData()));
        else if (value.tagName() == "bool")
            property.write(widget, text == "true");
        else if (value.tagName() == "number")
            property.write(widget, text.toInt());
        else if (value.tagName() == "string")
            property.write(widget, text);
    }

    QWidget* Build(const QDomElement& element, QWidget* parent, bool inLayout)
    {
        QWidget* widget = Make(BaseClass(element.attribute("class")));
        widget->setObjectName(element.attribute("name"));
        if (parent)
            widget->setParent(parent);
        else
            widget->setFont(face_);
        for (auto p = FirstChild(element, "property"); !p.isNull(); p = p.nextSiblingElement("property")) {
            const QString name = p.attribute("name");
            const QDomElement value = p.firstChildElement();
            if (name == "geometry")
                widget->setGeometry(ReadRect(value));
            else if (name == "font")
                widget->setFont(ReadFont(value).resolve(widget->font()));
            else if (p.attribute("stdset") != "0")
                SetProperty(widget, name, value);
            else if (value.tagName() == "bool")
                widget->setProperty(name.toLatin1().constData(), value.text() == "true");
        }
        if (!inLayout)
            placed_.push_back({widget, element.attribute("name")});

        auto* tabs = qobject_cast<QTabWidget*>(widget);
        for (auto child = element.firstChildElement(); !child.isNull(); child = child.nextSiblingElement()) {
            if (child.tagName() == "layout") {
                BuildLayoutItems(child, widget);
            } else if (child.tagName() == "widget" && tabs) {
                QWidget* page = Build(child, tabs, false);
                QString title;
                for (auto a = FirstChild(child, "attribute"); !a.isNull(); a = a.nextSiblingElement("attribute"))
                    if (a.attribute("name") == "title")
                        title = a.text();
                tabs->addTab(page, title);
            } else if (child.tagName() == "widget") {
                Build(child, widget, inLayout);
            }
        }
        return widget;
    }

    void BuildLayoutItems(const QDomElement& layout, QWidget* owner)
    {
        for (auto item = FirstChild(layout, "item"); !item.isNull(); item = item.nextSiblingElement("item")) {
            if (auto w = FirstChild(item, "widget"); !w.isNull())
                Build(w, owner, true);
            if (auto inner = FirstChild(item, "layout"); !inner.isNull())
                BuildLayoutItems(inner, owner);
        }
    }

    QFont face_;
    QHash<QString, QString> extends_;
    std::vector<Control> placed_;
};

struct Measure {
    QString text;
    QSize needed;
    QSize room;
    bool Fits() const { return needed.width() <= room.width() && needed.height() <= room.height(); }
};

QSize TextSize(const QWidget* widget, const QString& text)
{
    return widget->fontMetrics().size(Qt::TextShowMnemonic, text);
}

// The texts a control shows and the room it gives each one.
std::vector<Measure> Texts(QWidget* widget)
{
    QStyle* style = widget->style();
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        if (label->text().isEmpty())
            return {};
        // sizeForWidth counts frame, margin and indent; a wrapping label
        // needs its longest word across and its wrapped lines down.
        const QSize needed = label->wordWrap()
                                 ? QSize(label->minimumSizeHint().width(), label->heightForWidth(label->width()))
                                 : label->sizeHint();
        return {{label->text(), needed, label->size()}};
    }
    const bool isCheck = qobject_cast<QCheckBox*>(widget);
    if (isCheck || qobject_cast<QRadioButton*>(widget)) {
        auto* button = static_cast<QAbstractButton*>(widget);
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const auto contents = isCheck ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents;
        return {{button->text(), TextSize(button, button->text()),
                 style->subElementRect(contents, &option, button).size()}};
    }
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        if (button->isDefault())
            option.features |= QStyleOptionButton::DefaultButton;
        const QRect contents = style->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        // A button that wraps its text says so with a dynamic wordWrap property.
        const QSize needed = button->property("wordWrap").toBool()
                                 ? button->fontMetrics()
                                       .boundingRect(contents, Qt::AlignCenter | Qt::TextWordWrap, button->text())
                                       .size()
                                 : TextSize(button, button->text());
        return {{button->text(), needed, contents.size()}};
    }
    if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        if (group->title().isEmpty())
            return {};
        QStyleOptionGroupBox option;
        option.initFrom(group);
        option.text = group->title();
        option.lineWidth = 1;
        option.textAlignment = group->alignment();
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        if (group->isCheckable())
            option.subControls |= QStyle::SC_GroupBoxCheckBox;
        // The style sizes the label to the title; it is cut where the box ends.
        const QRect label = style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
        return {{group->title(), TextSize(group, group->title()),
                 label.intersected(group->rect()).size()}};
    }
    if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
        // Tabs take the width of their labels; the bar must hold them all.
        QStringList titles;
        for (int i = 0; i < tabs->count(); ++i)
            titles << tabs->tabText(i);
        return {{titles.join(" | "), QSize(tabs->tabBar()->sizeHint().width(), 0), QSize(tabs->width(), 0)}};
    }
    return {};
}

struct Face {
    const char* family;
    double points;
};

void PrintTo(const Face& face, std::ostream* out) { *out << face.family << " " << face.points << " pt"; }

QFont MakeFont(const Face& face)
{
    QFont font(QString::fromLatin1(face.family));
    font.setPointSizeF(face.points);
    return font;
}

// The dialogs are drawn in the style the programs set up.
class DialogTexts : public testing::TestWithParam<Face> {
protected:
    static void SetUpTestSuite() { QApplication::setStyle(new CDialogStyle); }
};

TEST_P(DialogTexts, EveryTextFitsItsControl)
{
    const QFont face = MakeFont(GetParam());
    // Measuring in a substitute face would prove nothing.
    ASSERT_EQ(QFontInfo(face).family(), face.family());

    const QStringList files = UiFiles();
    ASSERT_TRUE(files.contains(QStringLiteral(PLUMET_RESOURCES_DIR "/plumet/FileInfoDlg.ui"))) << "no dialogs found";
    int measured = 0;
    for (const QString& path : files) {
        QFile file(path);
        QDomDocument document;
        ASSERT_TRUE(file.open(QIODevice::ReadOnly) && document.setContent(&file)) << path.toStdString();
        const QDomElement ui = document.documentElement();
        UiBuilder builder(ui, face);
        const auto root = builder.BuildRoot(FirstChild(ui, "widget"));
        const QString shortPath = QDir(QStringLiteral(PLUMET_RESOURCES_DIR)).relativeFilePath(path);
        for (const auto& control : builder.Placed()) {
            for (const Measure& m : Texts(control.widget)) {
                ++measured;
                EXPECT_TRUE(m.Fits()) << shortPath.toStdString() << ", " << control.name.toStdString() << ": \""
                                      << m.text.toStdString() << "\" needs " << m.needed.width() << "x"
                                      << m.needed.height() << " pixels, has " << m.room.width() << "x"
                                      << m.room.height();
            }
        }
    }
    EXPECT_GT(measured, 0);
}

// The face the programs use without a desktop font, a large one, and a wider
// face that desktops commonly set.
INSTANTIATE_TEST_SUITE_P(Faces, DialogTexts,
                         testing::Values(Face{"Liberation Sans", 7.5}, Face{"Liberation Sans", 12},
                                         Face{"DejaVu Sans", 10}));

}  // namespace
