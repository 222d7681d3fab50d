// The advanced options dialog.
#include "ui/Opzioni2.h"

#include "ui/DesignRules.h"
#include "ui/DialogParts.h"
#include "ui/HelpWindow.h"
#include "ui/RadioGroup.h"
#include "ui/RoutingChoices.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace zelta::ui {

namespace {

constexpr int ClientWidth = 378;
constexpr int ClientHeight = 338;

// What "Ricarica default" puts in: 10x10, 1, 5, 0, 0, 0, Basso.
constexpr int32_t DefaultAmpg = 1;
constexpr int32_t DefaultGiriv = 1;
constexpr int32_t DefaultRicalct = 2;
constexpr int32_t DefaultPcurva = 2;
constexpr int32_t DefaultPdiag = 2;
constexpr int32_t DefaultPfaccia = 2;
constexpr int32_t DefaultDebug = 0;

} // namespace

TForm3::TForm3(GestoreFileINI& settings, HelpWindow& help, QWidget* parent)
    : QDialog(parent), settings_(settings), help_(help) {
    setObjectName(QStringLiteral("Form3"));
    makeFixedDialog(*this, QStringLiteral("Zelta - Opzioni avanzate..."));

    auto* rows = new QGridLayout;
    rows->setVerticalSpacing(2);
    int row = 0;
    auto addRow = [&](const char* name, const char* label, const QStringList& items) {
        auto* caption = new QLabel(QString::fromUtf8(label), this);
        QFont bold = caption->font();
        bold.setBold(true);
        caption->setFont(bold);
        auto* group = new RadioGroup(QString(), items, static_cast<int>(items.size()), this);
        group->setObjectName(QLatin1String(name));
        // Every edit counts, whatever the row.
        connect(group, &RadioGroup::clicked, this, [this] { settings_.optionsChanged = true; });
        // Rows sit on the even grid rows; the odd ones share out the height the dialog has spare.
        rows->addWidget(caption, 2 * row, 0, Qt::AlignVCenter);
        rows->addWidget(group, 2 * row, 1);
        if (row > 0)
            rows->setRowStretch(2 * row - 1, 1);
        ++row;
        return group;
    };
    ampg = addRow("ampg", "Ampiezza griglia", {"5x5", "10x10"});
    giriv = addRow("giriv", "Giri veloci", {"0", "1", "5", "10"});
    ricalct = addRow("ricalct", "Ricalcola target", {"Mai", "2", "5", "10"});
    pcurva = addRow("pcurva", "Penalty curva", {"-3", "-1", "0", "+4", "+8"});
    pdiago = addRow("pdiago", "Penalty diago", {"-5", "-3", "0", "+3", "+5"});
    pfaccia = addRow("pfaccia", "Penalty faccia2", {"-5", "-3", "0", "+3", "+5"});
    debug = addRow("debug", "Debug", {"Basso", "Medio", "Alto"});
    rows->setColumnStretch(1, 1);

    // The choices beyond the rows stand on the right; the idle stop is no routing option, so
    // changing it asks for no new read.
    choices = new RoutingChoices(this);
    fermaVuoto = choices->fermaVuoto;
    connect(choices, &RoutingChoices::routingEdited, this, [this] { settings_.optionsChanged = true; });
    auto* sides = new QHBoxLayout;
    sides->addLayout(rows, 1);
    sides->addSpacing(12);
    sides->addWidget(choices);

    // The rules change what a read gives the nets and what the new methods keep apart.
    rules = new DesignRules(this);
    connect(rules, &DesignRules::edited, this, [this] { settings_.optionsChanged = true; });

    BitBtn1 = okButton(this, "BitBtn1");
    BitBtn2 = abortButton(this, "BitBtn2");
    BitBtn3 = new QPushButton(QStringLiteral("Ricarica default"), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn3->setAutoDefault(false);
    BitBtn4 = helpButton(this, "BitBtn4");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BitBtn3);
    buttons->addStretch();
    buttons->addWidget(BitBtn4);

    auto* column = new QVBoxLayout(this);
    column->addLayout(sides, 1);
    column->addWidget(rules);
    column->addSpacing(10);
    column->addLayout(buttons);

    connect(BitBtn1, &QPushButton::clicked, this, &TForm3::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, [this] { done(DialogAbort); });
    connect(BitBtn3, &QPushButton::clicked, this, &TForm3::BitBtn3Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TForm3::BitBtn4Click);
    bindHelpKey(*this, help_, HelpOptions);

    fixDialogSize(*this, ClientWidth, ClientHeight);
}

void TForm3::showEvent(QShowEvent* event) {
    FormPaint();
    QDialog::showEvent(event);
}

void TForm3::FormPaint() {
    const bool changed = settings_.optionsChanged;
    ampg->setItemIndex(settings_.ampg);
    giriv->setItemIndex(settings_.giriv);
    ricalct->setItemIndex(settings_.ricalct);
    pcurva->setItemIndex(settings_.pcurva);
    pdiago->setItemIndex(settings_.pdiag);
    pfaccia->setItemIndex(settings_.pfaccia);
    debug->setItemIndex(settings_.debug);
    choices->load(settings_);
    rules->load(settings_);
    settings_.optionsChanged = changed;
}

void TForm3::BitBtn1Click() {
    // Nothing is stored while a choice cannot be: the dialog stays open on it.
    if (!choices->store(settings_))
        return;
    settings_.ampg = ampg->itemIndex();
    settings_.giriv = giriv->itemIndex();
    settings_.ricalct = ricalct->itemIndex();
    settings_.pcurva = pcurva->itemIndex();
    settings_.pdiag = pdiago->itemIndex();
    settings_.pfaccia = pfaccia->itemIndex();
    settings_.debug = debug->itemIndex();
    rules->store(settings_);
    accept();
}

void TForm3::BitBtn3Click() {
    // The defaults go into the rows only: like a click, each row that changes counts as an edit,
    // and they reach the settings on OK; Abort leaves the settings as they were.
    ampg->setItemIndex(DefaultAmpg);
    giriv->setItemIndex(DefaultGiriv);
    ricalct->setItemIndex(DefaultRicalct);
    pcurva->setItemIndex(DefaultPcurva);
    pdiago->setItemIndex(DefaultPdiag);
    pfaccia->setItemIndex(DefaultPfaccia);
    debug->setItemIndex(DefaultDebug);
    choices->loadDefaults();
    rules->loadDefaults();
}

void TForm3::BitBtn4Click() {
    done(DialogAbort);
    help_.showContext(HelpAdvancedOptions);
}

} // namespace zelta::ui
