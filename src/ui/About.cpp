// The about box.
#include "ui/About.h"

#include "core/Version.h"
#include "ui/DialogParts.h"
#include "ui/Glyphs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace zelta::ui {

QString installedLicense(const QString& programFolder) {
    const QString copyright =
        QDir::cleanPath(programFolder + QStringLiteral("/../share/doc/zelta/copyright"));
    return QFileInfo(copyright).isFile() ? copyright : QString();
}

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    makeFixedDialog(*this, QStringLiteral("Informazioni"));

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);
    ProgramIcon = new QLabel(panel);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setPixmap(logo(48));
    auto* programLabel = new QLabel(QStringLiteral("programma:"), panel);
    programLabel->setObjectName(QStringLiteral("Copyright"));
    ProductName = new QLabel(QStringLiteral("Zelta!"), panel);
    ProductName->setObjectName(QStringLiteral("ProductName"));
    QFont big = ProductName->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    ProductName->setFont(big);
    Version = new QLabel(QStringLiteral("versione:            %1").arg(QLatin1String(ProgramVersion)), panel);
    Version->setObjectName(QStringLiteral("Version"));
    Help = new QLabel(QStringLiteral("Guida: menu Help, man zelta, man zelta-cli"), this);
    Help->setObjectName(QStringLiteral("Help"));
    const QString license = installedLicense(QCoreApplication::applicationDirPath());
    License = new QLabel(license.isEmpty() ? QStringLiteral("Licenza: file LICENSE dei sorgenti")
                                           : QStringLiteral("Licenza: %1").arg(license),
                         this);
    License->setObjectName(QStringLiteral("License"));
    License->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* grid = new QGridLayout(panel);
    grid->setHorizontalSpacing(14);
    grid->addWidget(ProgramIcon, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(programLabel, 0, 1);
    grid->addWidget(ProductName, 1, 1);
    grid->addWidget(Version, 2, 1);
    grid->setColumnStretch(1, 1);

    OKButton = okButton(this, "OKButton");
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    auto* column = new QVBoxLayout(this);
    column->addWidget(panel);
    column->addWidget(Help);
    column->addWidget(License);
    column->addWidget(OKButton, 0, Qt::AlignHCenter);
    fixDialogSize(*this, 260, 0);
}

void TAboutBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QScreen* s = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
}

} // namespace zelta::ui
