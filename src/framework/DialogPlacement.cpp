#include "DialogPlacement.h"

#include "DialogUnits.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>

#include <vector>

namespace {

bool IsPicture(const QWidget* control)
{
    const auto* label = qobject_cast<const QLabel*>(control);
    return label && !label->pixmap().isNull();
}

// Static texts and edit boxes draw their text from the top, as the
// platform's controls do: a label placed level with its box, or two units
// below it, lines up with the box's text.
Qt::Alignment TopAligned(Qt::Alignment alignment)
{
    return (alignment & Qt::AlignHorizontal_Mask) | Qt::AlignTop;
}

class CDialogPlacer : public QObject {
public:
    explicit CDialogPlacer(QWidget& dialog) : QObject(&dialog), dialog_(dialog)
    {
        size_ = UnitsFromDesignPixels(dialog.size());
        for (QWidget* control : dialog.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (control->isWindow())
                continue;
            controls_.push_back({control, UnitsFromDesignPixels(control->geometry()), control->size()});
            if (auto* label = qobject_cast<QLabel*>(control); label && !IsPicture(label))
                label->setAlignment(TopAligned(label->alignment()));
            if (auto* edit = qobject_cast<QLineEdit*>(control))
                edit->setAlignment(TopAligned(edit->alignment()));
        }
        dialog.installEventFilter(this);
    }

    void Place()
    {
        const DialogBaseUnits base = MeasureBaseUnits(dialog_.font());
        for (const Control& control : controls_) {
            if (!control.widget)
                continue;
            const QRect& u = control.units;
            const QRect place = DialogUnitRect(base, u.x(), u.y(), u.width(), u.height());
            control.widget->setGeometry(
                QRect(place.topLeft(), IsPicture(control.widget) ? control.pixels : place.size()));
        }
        dialog_.setFixedSize(DialogUnitSize(base, size_.width(), size_.height()));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &dialog_ && event->type() == QEvent::FontChange)
            Place();
        return false;
    }

private:
    struct Control {
        QPointer<QWidget> widget;
        QRect units;
        QSize pixels;  // a picture's own size
    };
    QWidget& dialog_;
    QSize size_;
    std::vector<Control> controls_;
};

}  // namespace

void PlaceInDialogUnits(QWidget& dialog)
{
    (new CDialogPlacer(dialog))->Place();
}
