// The basic options dialog: board faces, how the board size is found, and the manual size.
// It edits the settings object directly and writes the settings file on OK.
#pragma once

#include "app/Host.h"
#include "core/File_ini.h"

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zelta::ui {

class HelpWindow;
class RadioGroup;
class TForm3;

class TForm2 : public QDialog {
    Q_OBJECT
public:
    TForm2(GestoreFileINI& settings, Host& host, HelpWindow& help, QWidget* parent = nullptr);

    // The advanced dialog, set by the start-up once it exists.
    TForm3* Form3 = nullptr;

    RadioGroup* Supp;
    QGroupBox* GroupBox1;
    QRadioButton* Dimman;
    QRadioButton* Dimauto;
    QComboBox* layerdim;
    QGroupBox* GroupBox2;
    QLineEdit* larg;
    QLineEdit* alt;
    QPushButton* Button1;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;

    // Loads the controls from the settings without counting that as an edit. It runs whenever
    // the dialog is shown and when the advanced dialog above it has closed: the controls never
    // keep unconfirmed edits past those moments.
    void FormPaint();

    void Button1Click();
    void BitBtn1Click();
    void BitBtn3Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void markChanged() { settings_.optionsChanged = true; }

    GestoreFileINI& settings_;
    Host& host_;
    HelpWindow& help_;
};

} // namespace zelta::ui
