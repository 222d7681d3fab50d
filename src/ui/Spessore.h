// The track-width dialog: the nets of the net table five at a time, each with a row of six
// width choices; a click stores the choice in the table at once.
#pragma once

#include "core/Init_obj.h"

#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace zelta::ui {

class HelpWindow;
class RadioGroup;

class TForm4 : public QDialog {
    Q_OBJECT
public:
    TForm4(NetTable& netTable, HelpWindow& help, QWidget* parent = nullptr);

    static constexpr int Rows = 5;

    RadioGroup* spess1;
    RadioGroup* spess2;
    RadioGroup* spess3;
    RadioGroup* spess4;
    RadioGroup* spess5;
    QLineEdit* net1;
    QLineEdit* net2;
    QLineEdit* net3;
    QLineEdit* net4;
    QLineEdit* net5;
    std::array<QLabel*, 6> headings{}; // Label1 .. Label6
    QLabel* Label7;
    QLabel* Label8;
    // Which method lays the widths that the classic's files do not have.
    QLabel* methodNote = nullptr;
    QScrollBar* Scroll;
    QPushButton* BitBtn1;
    QPushButton* BitBtn4;

    // Position in the net table's ascending order of the net shown in the first row; kept from
    // one showing to the next.
    int32_t firstRow = 0;

    // Fills the five rows from the net table; runs when the dialog is shown and when the
    // scroll bar moves.
    void FormPaint();
    void ScrollChange();
    // A width chosen in row (0-based) goes into the net table.
    void spessClick(int row);
    void BitBtn4Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::array<RadioGroup*, Rows> spess_{};
    std::array<QLineEdit*, Rows> nets_{};
    NetTable& netTable_;
    HelpWindow& help_;
};

} // namespace zelta::ui
