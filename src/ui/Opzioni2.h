// The advanced options dialog: grid pitch, fast laps, target recalculation, the penalties and
// the report detail, each a row of choices, the routing method, jumpers and when processing stops
// by itself, and the design rules under them. OK changes the settings in memory only.
#pragma once

#include "core/File_ini.h"

#include <QDialog>

class QPushButton;
class QSpinBox;

namespace zelta::ui {

class DesignRules;
class HelpWindow;
class RadioGroup;
class RoutingChoices;

class TForm3 : public QDialog {
    Q_OBJECT
public:
    TForm3(GestoreFileINI& settings, HelpWindow& help, QWidget* parent = nullptr);

    RadioGroup* ampg;
    RadioGroup* giriv;
    RadioGroup* ricalct;
    RadioGroup* pcurva;
    RadioGroup* pdiago;
    RadioGroup* pfaccia;
    RadioGroup* debug;
    RoutingChoices* choices;
    QSpinBox* fermaVuoto; // the idle stop, among the choices
    DesignRules* rules;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;
    QPushButton* BitBtn4;

    // Loads the controls from the settings without counting that as an edit; runs whenever
    // the dialog is shown.
    void FormPaint();

    void BitBtn1Click();
    void BitBtn3Click();
    void BitBtn4Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    GestoreFileINI& settings_;
    HelpWindow& help_;
};

} // namespace zelta::ui
