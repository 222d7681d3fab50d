// The design rules group of the advanced options dialog.
#include "ui/DesignRules.h"

#include "core/Messages.h"
#include "ui/RadioGroup.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <algorithm>

namespace zelta::ui {

namespace {

// The settings file's range of the clearance (mm), and its step in the dialog.
constexpr double ClearanceLow = 0.05;
constexpr double ClearanceHigh = 2.0;
constexpr double ClearanceStep = 0.05;
// Micrometres: a clearance typed in a file to the micrometre is shown and stored as it is.
constexpr int ClearanceDecimals = 3;

// Millimetres with the decimal comma of the program's texts; a point typed is taken as the comma,
// so that "0.3" does not read as thirty.
class MillimetreBox : public QDoubleSpinBox {
public:
    explicit MillimetreBox(QWidget* parent) : QDoubleSpinBox(parent) {
        QLocale italian(QLocale::Italian, QLocale::Italy);
        italian.setNumberOptions(QLocale::OmitGroupSeparator);
        setLocale(italian);
    }

protected:
    QValidator::State validate(QString& text, int& pos) const override {
        text.replace(QLatin1Char('.'), QLatin1Char(','));
        return QDoubleSpinBox::validate(text, pos);
    }
    double valueFromText(const QString& text) const override {
        QString comma = text;
        return QDoubleSpinBox::valueFromText(comma.replace(QLatin1Char('.'), QLatin1Char(',')));
    }
};

QLabel* helpLabel(const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setWordWrap(true);
    QFont small = label->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    label->setFont(small);
    return label;
}

} // namespace

DesignRules::DesignRules(QWidget* parent) : QGroupBox(QStringLiteral(" Regole di progetto "), parent) {
    setObjectName(QStringLiteral("designRules"));
    isolamento = new MillimetreBox(this);
    isolamento->setObjectName(QStringLiteral("isolamento"));
    isolamento->setRange(ClearanceLow, ClearanceHigh);
    isolamento->setSingleStep(ClearanceStep);
    isolamento->setDecimals(ClearanceDecimals);
    isolamento->setSuffix(QStringLiteral(" mm"));
    larghezza = new RadioGroup(QString(), {QStringLiteral("0,25 mm"), QStringLiteral("0,5 mm")}, 2, this);
    larghezza->setObjectName(QStringLiteral("larghezza"));

    auto* grid = new QGridLayout(this);
    grid->setColumnStretch(2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Isolamento"), this), 0, 0);
    grid->addWidget(isolamento, 0, 1);
    grid->addWidget(helpLabel(msg::HelpIsolamento, this), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Larghezza piste"), this), 1, 0);
    grid->addWidget(larghezza, 1, 1);
    grid->addWidget(helpLabel(msg::HelpLarghezza, this), 1, 2);
    pisteEsistenti = new QCheckBox(QStringLiteral("Mantieni"), this);
    pisteEsistenti->setObjectName(QStringLiteral("piste_esistenti"));
    grid->addWidget(new QLabel(QStringLiteral("Piste già presenti"), this), 2, 0);
    grid->addWidget(pisteEsistenti, 2, 1);
    grid->addWidget(helpLabel(msg::HelpPisteEsistenti, this), 2, 2);

    connect(isolamento, &QDoubleSpinBox::valueChanged, this, [this] {
        if (isolamento->hasFocus())
            emit edited();
    });
    connect(larghezza, &RadioGroup::clicked, this, &DesignRules::edited);
    connect(pisteEsistenti, &QCheckBox::clicked, this, &DesignRules::edited);
}

void DesignRules::load(const GestoreFileINI& settings) {
    const QSignalBlocker quiet(larghezza);
    isolamento->setValue(std::clamp(settings.isolamento, ClearanceLow, ClearanceHigh));
    larghezza->setItemIndex(settings.larghezza);
    pisteEsistenti->setChecked(settings.piste_esistenti == 1);
}

void DesignRules::store(GestoreFileINI& settings) const {
    settings.isolamento = isolamento->value();
    if (larghezza->itemIndex() >= 0)
        settings.larghezza = larghezza->itemIndex();
    settings.piste_esistenti = pisteEsistenti->isChecked() ? 1 : 0;
}

void DesignRules::loadDefaults() {
    const GestoreFileINI defaults("");
    if (isolamento->value() != defaults.isolamento || larghezza->itemIndex() != defaults.larghezza ||
        pisteEsistenti->isChecked() != (defaults.piste_esistenti == 1))
        emit edited();
    load(defaults);
}

} // namespace zelta::ui
