// The track-width dialog.
#include "ui/Spessore.h"

#include "core/Messages.h"
#include "ui/DialogParts.h"
#include "ui/HelpWindow.h"
#include "ui/RadioGroup.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace zelta::ui {

namespace {

// Width of one choice column, headings and radio buttons alike.
constexpr int ChoiceWidth = 34;
constexpr int ChoiceSpacing = 4;
constexpr int GroupMargin = 6;

int netOfRow(const QLineEdit* edit) {
    bool ok = false;
    const int net = edit->text().toInt(&ok);
    return ok ? net : 0;
}

} // namespace

TForm4::TForm4(NetTable& netTable, HelpWindow& help, QWidget* parent)
    : QDialog(parent), netTable_(netTable), help_(help) {
    setObjectName(QStringLiteral("Form4"));
    makeFixedDialog(*this, QStringLiteral("Form4"));

    Label7 = new QLabel(QStringLiteral("Larghezza piste [mm]"), this);
    Label7->setObjectName(QStringLiteral("Label7"));
    QFont big = Label7->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    Label7->setFont(big);
    Label8 = new QLabel(QStringLiteral("Net"), this);
    Label8->setObjectName(QStringLiteral("Label8"));

    // Column headings; only the first two choices give a width of their own.
    const char* const captions[] = {"0,25", "0,5", "1,0", "1,5", "2,5", "Max"};
    auto* headingRow = new QHBoxLayout;
    headingRow->setSpacing(ChoiceSpacing);
    headingRow->setContentsMargins(GroupMargin + 1, 0, GroupMargin + 1, 0);
    for (int i = 0; i < 6; ++i) {
        headings[i] = new QLabel(QLatin1String(captions[i]), this);
        headings[i]->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        headings[i]->setAlignment(Qt::AlignCenter);
        headings[i]->setFixedWidth(ChoiceWidth);
        if (i >= 2) {
            QPalette p = headings[i]->palette();
            p.setColor(QPalette::WindowText, Qt::gray);
            headings[i]->setPalette(p);
        }
        headingRow->addWidget(headings[i]);
    }

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->addWidget(Label8, 0, 0, Qt::AlignCenter | Qt::AlignBottom);
    grid->addLayout(headingRow, 0, 1);
    for (int row = 0; row < Rows; ++row) {
        auto* net = new QLineEdit(this);
        net->setObjectName(QStringLiteral("net%1").arg(row + 1));
        net->setReadOnly(true);
        net->setAlignment(Qt::AlignRight);
        net->setFixedWidth(net->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 16);
        auto* group = new RadioGroup(QString(), QStringList(6, QString()), 6, this);
        group->setObjectName(QStringLiteral("spess%1").arg(row + 1));
        for (int i = 0; i < group->count(); ++i)
            group->button(i)->setFixedWidth(ChoiceWidth);
        connect(group, &RadioGroup::clicked, this, [this, row] { spessClick(row); });
        grid->addWidget(net, row + 1, 0);
        grid->addWidget(group, row + 1, 1);
        nets_[row] = net;
        spess_[row] = group;
    }
    spess1 = spess_[0];
    spess2 = spess_[1];
    spess3 = spess_[2];
    spess4 = spess_[3];
    spess5 = spess_[4];
    net1 = nets_[0];
    net2 = nets_[1];
    net3 = nets_[2];
    net4 = nets_[3];
    net5 = nets_[4];

    Scroll = new QScrollBar(Qt::Vertical, this);
    Scroll->setObjectName(QStringLiteral("Scroll"));
    Scroll->setSingleStep(1);
    Scroll->setPageStep(1);
    grid->addWidget(Scroll, 1, 2, Rows, 1);

    BitBtn1 = okButton(this, "BitBtn1");
    BitBtn4 = helpButton(this, "BitBtn4");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn4);

    methodNote = new QLabel(QString::fromUtf8(msg::WidthMethodNote), this);
    methodNote->setObjectName(QStringLiteral("methodNote"));
    methodNote->setWordWrap(true);
    QFont small = methodNote->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    methodNote->setFont(small);

    auto* column = new QVBoxLayout(this);
    column->addWidget(Label7, 0, Qt::AlignHCenter);
    column->addLayout(grid);
    column->addWidget(methodNote);
    column->addSpacing(6);
    column->addLayout(buttons);

    connect(Scroll, &QScrollBar::valueChanged, this, &TForm4::ScrollChange);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn4, &QPushButton::clicked, this, &TForm4::BitBtn4Click);

    firstRow = 0;
    fixDialogSize(*this, 0, 0);
}

void TForm4::showEvent(QShowEvent* event) {
    FormPaint();
    QDialog::showEvent(event);
}

void TForm4::FormPaint() {
    {
        // Setting the range may move the bar; that is no scroll by the person.
        const QSignalBlocker quiet(Scroll);
        Scroll->setRange(0, static_cast<int>(netTable_.size()));
        Scroll->setValue(firstRow);
    }
    for (int row = 0; row < Rows; ++row)
        nets_[row]->clear();
    for (int row = 0; row < Rows; ++row)
        spess_[row]->setItemIndex(-1);

    auto entry = netTable_.begin();
    for (int32_t step = 0; step < firstRow; ++step) {
        if (entry == netTable_.end())
            return;
        ++entry;
    }
    // The net goes in before its choice, so that the click the choice fires finds its own net.
    for (int row = 0; row < Rows && entry != netTable_.end(); ++row, ++entry) {
        nets_[row]->setText(QString::number(entry->first));
        spess_[row]->setItemIndex(entry->second);
    }
}

void TForm4::ScrollChange() {
    firstRow = Scroll->value();
    FormPaint();
}

void TForm4::spessClick(int row) {
    const int net = netOfRow(nets_[row]);
    if (net == 0)
        return;
    netTable_[net] = spess_[row]->itemIndex();
}

void TForm4::BitBtn4Click() {
    done(DialogAbort);
    help_.showContext(HelpBoardOptions);
}

} // namespace zelta::ui
