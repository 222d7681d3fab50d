// The right-hand side of the advanced options dialog: the routing method, the jumpers the router
// may lay, and when processing stops by itself. Loaded from the settings and stored back by the
// dialog.
#pragma once

#include "core/File_ini.h"

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace zelta::ui {

class RoutingChoices : public QWidget {
    Q_OBJECT
public:
    explicit RoutingChoices(QWidget* parent = nullptr);

    void load(const GestoreFileINI& settings);
    // False, with the lengths field marked, when the lengths are not numbers between commas.
    bool store(GestoreFileINI& settings);
    // What "Ricarica default" puts in.
    void loadDefaults();

    QGroupBox* methodGroup;
    QRadioButton* classicMethod;
    QRadioButton* negotiatedMethod;
    QGroupBox* jumperGroup;
    QCheckBox* jumpers;
    QSpinBox* jumperMax;
    QLineEdit* jumperLengths;
    QSpinBox* fermaVuoto;

signals:
    // A choice that changes the routing was edited (the idle stop is not one).
    void routingEdited();

private:
    void markLengths(bool acceptable);
};

// "4,6,8" -> {4, 6, 8}; false unless whole numbers from 1 to 99 between single commas.
bool parseJumperLengths(const QString& text, std::vector<int32_t>& lengths);
QString jumperLengthsText(const std::vector<int32_t>& lengths);

} // namespace zelta::ui
