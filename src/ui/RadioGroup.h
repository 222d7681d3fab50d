// A framed group of radio buttons that keeps one selected item, or none, and tells when the
// selection changes, whether by a click or by the program.
#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace zelta::ui {

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    // items are laid out in rows of `columns` buttons.
    RadioGroup(const QString& caption, const QStringList& items, int columns, QWidget* parent = nullptr);

    // The selected item, or -1 when none is.
    int itemIndex() const;
    // Selects item index; -1 (or any negative value) selects none, a value past the last item
    // selects the last one.
    void setItemIndex(int index);
    int count() const;
    QRadioButton* button(int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

signals:
    // An item became selected (a click on another item, or setItemIndex with a new value);
    // clearing the selection is not a click.
    void clicked();

private:
    // A group without a caption keeps no room for one: a plain frame around the buttons.
    void fitUntitledFrame();

    QButtonGroup* buttons_;
};

} // namespace zelta::ui
