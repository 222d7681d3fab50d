// The jumper and stop controls of the advanced options dialog.
#include "ui/RoutingChoices.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QStringList>
#include <QVBoxLayout>
#include <algorithm>

namespace zelta::ui {

namespace {

constexpr int MaxJumpersAllowed = 999;
constexpr int MaxJumperLength = 99;

QLabel* boldLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

} // namespace

bool parseJumperLengths(const QString& text, std::vector<int32_t>& lengths) {
    lengths.clear();
    const QStringList parts = text.split(QLatin1Char(','));
    for (const QString& part : parts) {
        bool ok = false;
        const int v = part.trimmed().toInt(&ok);
        if (!ok || v < 1 || v > MaxJumperLength)
            return false;
        lengths.push_back(v);
    }
    return !lengths.empty();
}

QString jumperLengthsText(const std::vector<int32_t>& lengths) {
    QStringList parts;
    for (int32_t v : lengths)
        parts << QString::number(v);
    return parts.join(QLatin1Char(','));
}

RoutingChoices::RoutingChoices(QWidget* parent) : QWidget(parent) {
    methodGroup = new QGroupBox(QStringLiteral(" Metodo di instradamento "), this);
    methodGroup->setObjectName(QStringLiteral("methodGroup"));
    classicMethod = new QRadioButton(QString::fromUtf8("Classico (giri con priorità)"), methodGroup);
    classicMethod->setObjectName(QStringLiteral("classicMethod"));
    negotiatedMethod = new QRadioButton(QString::fromUtf8("Negoziato (più collegamenti)"), methodGroup);
    negotiatedMethod->setObjectName(QStringLiteral("negotiatedMethod"));
    auto* methodColumn = new QVBoxLayout(methodGroup);
    methodColumn->addWidget(classicMethod);
    methodColumn->addWidget(negotiatedMethod);

    jumperGroup = new QGroupBox(QStringLiteral(" Ponticelli "), this);
    jumperGroup->setObjectName(QStringLiteral("jumperGroup"));
    jumpers = new QCheckBox(QStringLiteral("Usa ponticelli dove il rame non passa"), jumperGroup);
    jumpers->setObjectName(QStringLiteral("jumpers"));
    jumperMax = new QSpinBox(jumperGroup);
    jumperMax->setObjectName(QStringLiteral("jumperMax"));
    jumperMax->setRange(0, MaxJumpersAllowed);
    jumperLengths = new QLineEdit(jumperGroup);
    jumperLengths->setObjectName(QStringLiteral("jumperLengths"));
    jumperLengths->setToolTip(
        QStringLiteral("Lunghezze ammesse in passi di griglia (1,25 mm), separate da virgole"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Al massimo"), jumperMax);
    form->addRow(QStringLiteral("Lunghezze (passi)"), jumperLengths);
    auto* jumperColumn = new QVBoxLayout(jumperGroup);
    jumperColumn->addWidget(jumpers);
    jumperColumn->addLayout(form);

    fermaVuoto = new QSpinBox(this);
    fermaVuoto->setObjectName(QStringLiteral("fermaVuoto"));
    fermaVuoto->setRange(0, 1000000);
    fermaVuoto->setSpecialValueText(QStringLiteral("mai"));
    auto* stopRow = new QHBoxLayout;
    stopRow->addWidget(boldLabel(QStringLiteral("Ferma dopo"), this));
    stopRow->addWidget(fermaVuoto);
    stopRow->addWidget(new QLabel(QStringLiteral("giri a vuoto"), this));
    stopRow->addStretch();

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(methodGroup);
    column->addWidget(jumperGroup);
    column->addStretch();
    column->addLayout(stopRow);

    auto enable = [this] {
        jumperMax->setEnabled(jumpers->isChecked());
        jumperLengths->setEnabled(jumpers->isChecked());
    };
    connect(jumpers, &QCheckBox::toggled, this, enable);
    connect(jumpers, &QCheckBox::clicked, this, &RoutingChoices::routingEdited);
    connect(classicMethod, &QRadioButton::clicked, this, &RoutingChoices::routingEdited);
    connect(negotiatedMethod, &QRadioButton::clicked, this, &RoutingChoices::routingEdited);
    connect(jumperMax, &QSpinBox::valueChanged, this, [this] {
        if (jumperMax->hasFocus())
            emit routingEdited();
    });
    connect(jumperLengths, &QLineEdit::textEdited, this, [this] {
        markLengths(true);
        emit routingEdited();
    });
    enable();
}

void RoutingChoices::load(const GestoreFileINI& settings) {
    // Any value but the negotiated method's is the classic one, as the router takes it.
    (settings.metodo == 1 ? negotiatedMethod : classicMethod)->setChecked(true);
    jumpers->setChecked(settings.ponticelli);
    jumperMax->setValue(std::clamp(settings.ponticelli_max, 0, MaxJumpersAllowed));
    jumperLengths->setText(jumperLengthsText(settings.ponticelli_passi));
    markLengths(true);
    fermaVuoto->setValue(std::max(0, settings.ferma_vuoto));
}

bool RoutingChoices::store(GestoreFileINI& settings) {
    std::vector<int32_t> lengths;
    if (!parseJumperLengths(jumperLengths->text(), lengths)) {
        markLengths(false);
        jumperLengths->setFocus();
        return false;
    }
    settings.metodo = negotiatedMethod->isChecked() ? 1 : 0;
    settings.ponticelli = jumpers->isChecked();
    settings.ponticelli_max = jumperMax->value();
    settings.ponticelli_passi = lengths;
    settings.ferma_vuoto = fermaVuoto->value();
    return true;
}

void RoutingChoices::loadDefaults() {
    GestoreFileINI defaults("");
    if (negotiatedMethod->isChecked() || jumpers->isChecked() != defaults.ponticelli ||
        jumperMax->value() != defaults.ponticelli_max ||
        jumperLengths->text() != jumperLengthsText(defaults.ponticelli_passi))
        emit routingEdited();
    defaults.ferma_vuoto = 0;
    load(defaults);
}

void RoutingChoices::markLengths(bool acceptable) {
    jumperLengths->setStyleSheet(acceptable ? QString() : QStringLiteral("background: #ffd0d0"));
}

} // namespace zelta::ui
