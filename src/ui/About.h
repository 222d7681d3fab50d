// The about box: logo, program name and version, and where the help and the license are.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace zelta::ui {

// The license file of a program installed with its folder programFolder (bin/): the package's
// copyright file in ../share/doc/zelta; empty when there is none (a program run where it was built).
QString installedLicense(const QString& programFolder);

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    QLabel* ProgramIcon;
    QLabel* ProductName;
    QLabel* Version;
    QLabel* Help;    // where the help is: the menu and the manual pages
    QLabel* License; // where the license is on this system
    QPushButton* OKButton;

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace zelta::ui
