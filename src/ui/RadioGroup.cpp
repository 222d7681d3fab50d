// The radio group: buttons in a grid inside a frame.
#include "ui/RadioGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QPainter>
#include <QRadioButton>
#include <QStyleOptionFrame>

namespace zelta::ui {

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, int columns, QWidget* parent)
    : QGroupBox(caption, parent), buttons_(new QButtonGroup(this)) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, caption.isEmpty() ? 2 : 4, 6, 2);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items[i], this);
        b->setObjectName(QStringLiteral("item%1").arg(i));
        buttons_->addButton(b, i);
        grid->addWidget(b, i / columns, i % columns);
    }
    fitUntitledFrame();
    connect(buttons_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            emit clicked();
    });
}

void RadioGroup::fitUntitledFrame() {
    if (title().isEmpty())
        setContentsMargins(1, 1, 1, 1);
}

void RadioGroup::changeEvent(QEvent* event) {
    // The group box works its margins out again on a change of font or style.
    QGroupBox::changeEvent(event);
    fitUntitledFrame();
}

void RadioGroup::paintEvent(QPaintEvent* event) {
    if (!title().isEmpty()) {
        QGroupBox::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.lineWidth = 1;
    frame.midLineWidth = 0;
    style()->drawPrimitive(QStyle::PE_FrameGroupBox, &frame, &painter, this);
}

int RadioGroup::itemIndex() const {
    return buttons_->checkedId();
}

int RadioGroup::count() const {
    return static_cast<int>(buttons_->buttons().size());
}

QRadioButton* RadioGroup::button(int index) const {
    return qobject_cast<QRadioButton*>(buttons_->button(index));
}

void RadioGroup::setItemIndex(int index) {
    if (count() == 0)
        return;
    if (index >= count())
        index = count() - 1;
    if (index < 0) {
        if (QAbstractButton* checked = buttons_->checkedButton()) {
            // An exclusive group cannot uncheck its last checked button.
            buttons_->setExclusive(false);
            checked->setChecked(false);
            buttons_->setExclusive(true);
        }
        return;
    }
    buttons_->button(index)->setChecked(true);
}

} // namespace zelta::ui
