// The design rules of the advanced options dialog: the clearance between copper of two nets, the
// track width every net gets when a drawing is read and whether the drawing's own tracks are kept,
// each with one sentence that says what it does. Loaded from the settings and stored back by the dialog.
#pragma once

#include "core/File_ini.h"

#include <QGroupBox>

class QCheckBox;
class QDoubleSpinBox;

namespace zelta::ui {

class RadioGroup;

class DesignRules : public QGroupBox {
    Q_OBJECT
public:
    explicit DesignRules(QWidget* parent = nullptr);

    void load(const GestoreFileINI& settings);
    void store(GestoreFileINI& settings) const;
    // What "Ricarica default" puts in: the values of a settings file without these keys.
    void loadDefaults();

    QDoubleSpinBox* isolamento;
    RadioGroup* larghezza;     // item 0 "0,25", item 1 "0,5" (mm)
    QCheckBox* pisteEsistenti; // piste_esistenti: the drawing's tracks kept for the new methods

signals:
    // A rule was edited: it changes the routing and what a read gives the nets.
    void edited();
};

} // namespace zelta::ui
