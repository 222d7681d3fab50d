// The export dialog's controls; the export itself is the main window's command.
#include "ui/ProductionDialog.h"

#include "core/Messages.h"
#include "ui/DialogParts.h"
#include "ui/Glyphs.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelta::ui {

namespace {

// Wide enough for a path of some length.
constexpr int PathChars = 48;

} // namespace

std::string proposedFolder(const std::string& drawing) {
    const QFileInfo file(QString::fromStdString(drawing));
    return file.dir()
        .filePath(file.completeBaseName() + QLatin1String(msg::ProductionFolderSuffix))
        .toStdString();
}

ProductionDialog::ProductionDialog(QWidget* parent, ChooseFolder chooseFolder)
    : QDialog(parent), chooseFolder_(std::move(chooseFolder)) {
    setObjectName(QStringLiteral("ProductionDialog"));
    makeFixedDialog(*this, QString::fromUtf8(msg::ProductionTitle));

    drawingField = new QLineEdit(this);
    drawingField->setObjectName(QStringLiteral("drawing"));
    drawingField->setReadOnly(true);
    drawingField->setMinimumWidth(drawingField->fontMetrics().averageCharWidth() * PathChars);
    folderField = new QLineEdit(this);
    folderField->setObjectName(QStringLiteral("folder"));
    browseButton = new QPushButton(QString::fromUtf8(msg::ProductionBrowse), this);
    browseButton->setObjectName(QStringLiteral("browse"));
    browseButton->setAutoDefault(false);
    mirrorBox = new QCheckBox(QString::fromUtf8(msg::ProductionMirror), this);
    mirrorBox->setObjectName(QStringLiteral("mirror"));
    unsavedNote = new QLabel(QString::fromUtf8(msg::ProductionUnsaved), this);
    unsavedNote->setObjectName(QStringLiteral("unsaved"));
    unsavedNote->setWordWrap(true);
    exportButton = new QPushButton(glyph("ok"), QString::fromUtf8(msg::ProductionExport), this);
    exportButton->setObjectName(QStringLiteral("exportButton"));
    exportButton->setDefault(true);
    cancelButton = new QPushButton(glyph("abort"), QString::fromUtf8(msg::ProductionCancel), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    cancelButton->setAutoDefault(false);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QString::fromUtf8(msg::ProductionDrawing), this), 0, 0);
    grid->addWidget(drawingField, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QString::fromUtf8(msg::ProductionFolder), this), 1, 0);
    grid->addWidget(folderField, 1, 1);
    grid->addWidget(browseButton, 1, 2);
    grid->addWidget(mirrorBox, 2, 1, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(exportButton);
    buttons->addWidget(cancelButton);
    auto* column = new QVBoxLayout(this);
    column->addLayout(grid);
    column->addWidget(unsavedNote);
    column->addLayout(buttons);

    connect(browseButton, &QPushButton::clicked, this, &ProductionDialog::browse);
    connect(exportButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    // No export without a folder to put it in.
    connect(folderField, &QLineEdit::textChanged, this,
            [this](const QString& text) { exportButton->setEnabled(!text.trimmed().isEmpty()); });
}

void ProductionDialog::prepare(const std::string& drawing, const std::string& folder, bool unsavedResults) {
    drawingField->setText(QString::fromStdString(drawing));
    folderField->setText(QString::fromStdString(folder));
    exportButton->setEnabled(!folderField->text().trimmed().isEmpty());
    unsavedNote->setVisible(unsavedResults);
    adjustSize();
}

std::string ProductionDialog::folder() const {
    return folderField->text().trimmed().toStdString();
}

bool ProductionDialog::mirror() const {
    return mirrorBox->isChecked();
}

void ProductionDialog::browse() {
    if (const std::optional<std::string> chosen = chooseFolder_(folder()))
        folderField->setText(QString::fromStdString(*chosen));
}

} // namespace zelta::ui
