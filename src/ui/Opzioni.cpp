// The basic options dialog.
#include "ui/Opzioni.h"

#include "core/Messages.h"
#include "core/Report.h"
#include "ui/DialogParts.h"
#include "ui/HelpWindow.h"
#include "ui/Opzioni2.h"
#include "ui/RadioGroup.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zelta::ui {

namespace {

constexpr int ClientWidth = 243;
constexpr int ClientHeight = 353;

QStringList layerNames() {
    QStringList names = {QStringLiteral("Schema"), QStringLiteral("PCB lato rame"),
                         QStringLiteral("PCB lato componenti"), QStringLiteral("Serigrafie")};
    for (int layer = 5; layer <= 16; ++layer)
        names << QStringLiteral("Layer %1").arg(layer);
    return names;
}

} // namespace

TForm2::TForm2(GestoreFileINI& settings, Host& host, HelpWindow& help, QWidget* parent)
    : QDialog(parent), settings_(settings), host_(host), help_(help) {
    setObjectName(QStringLiteral("Form2"));
    makeFixedDialog(*this, QStringLiteral("Zelta - Opzioni"));

    // The number of faces is shown but cannot be changed.
    Supp = new RadioGroup(QStringLiteral(" Basetta "),
                          {QStringLiteral("1 Faccia"), QStringLiteral("2 Faccie ")}, 2, this);
    Supp->setObjectName(QStringLiteral("Supp"));
    Supp->setEnabled(false);

    GroupBox1 = new QGroupBox(QStringLiteral(" Dimensione basetta "), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    Dimman = new QRadioButton(QStringLiteral("Manuale"), GroupBox1);
    Dimman->setObjectName(QStringLiteral("Dimman"));
    Dimauto = new QRadioButton(QStringLiteral("Automatica"), GroupBox1);
    Dimauto->setObjectName(QStringLiteral("Dimauto"));
    auto* layerLabel = new QLabel(QStringLiteral("Layer per \ndimensione\nautomatica"), GroupBox1);
    layerLabel->setObjectName(QStringLiteral("Label1"));
    layerdim = new QComboBox(GroupBox1);
    layerdim->setObjectName(QStringLiteral("layerdim"));
    layerdim->addItems(layerNames());
    layerdim->setMaxVisibleItems(16);
    layerLabel->setBuddy(layerdim);
    auto* g1 = new QGridLayout(GroupBox1);
    g1->addWidget(Dimman, 0, 0);
    g1->addWidget(Dimauto, 0, 1);
    g1->addWidget(layerLabel, 1, 0);
    g1->addWidget(layerdim, 1, 1, Qt::AlignVCenter);

    GroupBox2 = new QGroupBox(QStringLiteral(" Dimensione manuale "), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    larg = new QLineEdit(GroupBox2);
    larg->setObjectName(QStringLiteral("larg"));
    alt = new QLineEdit(GroupBox2);
    alt->setObjectName(QStringLiteral("alt"));
    for (QLineEdit* e : {larg, alt})
        e->setMaximumWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 16);
    auto* g2 = new QGridLayout(GroupBox2);
    g2->addWidget(new QLabel(QStringLiteral("Larghezza [mm] :"), GroupBox2), 0, 0);
    g2->addWidget(larg, 0, 1);
    g2->addWidget(new QLabel(QStringLiteral("Altezza [mm] :"), GroupBox2), 1, 0);
    g2->addWidget(alt, 1, 1);
    g2->setColumnStretch(2, 1);

    Button1 = new QPushButton(QStringLiteral("Opzioni avanzate >>"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setAutoDefault(false);
    BitBtn1 = okButton(this, "BitBtn1");
    BitBtn2 = abortButton(this, "BitBtn2");
    BitBtn3 = helpButton(this, "BitBtn3");

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    buttons->addStretch();
    buttons->addWidget(BitBtn3);
    auto* column = new QVBoxLayout(this);
    column->addWidget(Supp);
    column->addWidget(GroupBox1);
    column->addWidget(GroupBox2);
    column->addStretch();
    column->addWidget(Button1);
    column->addSpacing(6);
    column->addLayout(buttons);

    connect(larg, &QLineEdit::textChanged, this, [this] { markChanged(); });
    connect(alt, &QLineEdit::textChanged, this, [this] { markChanged(); });
    connect(Dimman, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            markChanged();
    });
    connect(Dimauto, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            markChanged();
    });
    connect(layerdim, &QComboBox::currentIndexChanged, this, [this] { markChanged(); });
    connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm2::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, [this] { done(DialogAbort); });
    connect(BitBtn3, &QPushButton::clicked, this, &TForm2::BitBtn3Click);
    bindHelpKey(*this, help_, HelpBoardOptions);

    fixDialogSize(*this, ClientWidth, ClientHeight);
}

void TForm2::showEvent(QShowEvent* event) {
    FormPaint();
    QDialog::showEvent(event);
}

void TForm2::FormPaint() {
    const bool changed = settings_.optionsChanged;
    Supp->setItemIndex(settings_.due_facce ? 1 : 0);
    // Checking one of the two buttons unchecks the other; unchecking the checked one alone would
    // leave it checked, as exclusive buttons keep one on.
    (settings_.dim_auto ? Dimauto : Dimman)->setChecked(true);
    layerdim->setCurrentIndex(
        settings_.layer_dim >= 0 && settings_.layer_dim < layerdim->count() ? settings_.layer_dim : -1);
    larg->setText(QString::number(settings_.mm_larg_scheda));
    alt->setText(QString::number(settings_.mm_alt_scheda));
    settings_.optionsChanged = changed;
}

void TForm2::Button1Click() {
    Form3->exec();
    FormPaint();
}

void TForm2::BitBtn1Click() {
    // Both sizes are checked before anything is copied, so a bad one changes nothing.
    int32_t width = 0;
    int32_t height = 0;
    for (auto [edit, value] : {std::pair{larg, &width}, std::pair{alt, &height}}) {
        if (!parseWholeNumber(edit->text().toStdString(), *value)) {
            host_.messageDlg(strprintf(msg::BoardSizeNotNumber, edit->text().toStdString().c_str()),
                             MsgDlgType::mtError, mbOK);
            edit->setFocus();
            edit->selectAll();
            return;
        }
    }
    settings_.due_facce = Supp->itemIndex() != 0;
    settings_.dim_auto = Dimauto->isChecked();
    settings_.layer_dim = layerdim->currentIndex();
    settings_.mm_larg_scheda = width;
    settings_.mm_alt_scheda = height;
    if (!settings_.writeIni())
        host_.messageDlg(settings_.writeError, MsgDlgType::mtError, mbOK);
    accept();
}

void TForm2::BitBtn3Click() {
    done(DialogAbort);
    help_.showContext(HelpOptions);
}

} // namespace zelta::ui
