// Message boxes and file dialogs shown with the toolkit's own modal dialogs.
#include "ui/Prompter.h"

#include "ui/FileListLocale.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include <cstdio>

namespace zelta::ui {

namespace {

QString boxTitle(MsgDlgType type) {
    switch (type) {
    case MsgDlgType::mtWarning:
        return QStringLiteral("Attenzione");
    case MsgDlgType::mtError:
        return QStringLiteral("Errore");
    case MsgDlgType::mtInformation:
        return QStringLiteral("Informazione");
    case MsgDlgType::mtConfirmation:
        return QStringLiteral("Conferma");
    }
    return {};
}

QMessageBox::Icon boxIcon(MsgDlgType type) {
    switch (type) {
    case MsgDlgType::mtWarning:
        return QMessageBox::Warning;
    case MsgDlgType::mtError:
        return QMessageBox::Critical;
    case MsgDlgType::mtInformation:
        return QMessageBox::Information;
    case MsgDlgType::mtConfirmation:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

std::optional<std::string> runFileDialog(QWidget* parent, const FileDialogSpec& request, bool save) {
    QFileDialog dialog(parent, save ? QStringLiteral("Salva con nome") : QStringLiteral("Apri"));
    // The toolkit's own dialog on every desktop: it speaks Italian through the catalogue loaded at
    // start-up, where a desktop's native one would speak the system's language.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setProxyModel(new FileListLocale(&dialog));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(qtFileFilter(request.filter));
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultExt));
    if (!request.fileName.empty())
        dialog.selectFile(QString::fromStdString(request.fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

} // namespace

QString qtFileFilter(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        entries << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    return entries.join(QStringLiteral(";;"));
}

ModalResult ModalPrompter::messageDlg(QWidget* parent, const std::string& text, MsgDlgType type,
                                      unsigned buttons) {
    QMessageBox box(boxIcon(type), boxTitle(type), QString::fromStdString(text), QMessageBox::NoButton,
                    parent);
    struct Choice {
        unsigned flag;
        QMessageBox::StandardButton button;
        const char* caption;
        ModalResult result;
    };
    static const Choice choices[] = {
        {mbYes, QMessageBox::Yes, "Sì", ModalResult::mrYes},
        {mbNo, QMessageBox::No, "No", ModalResult::mrNo},
        {mbOK, QMessageBox::Ok, "OK", ModalResult::mrOk},
        {mbCancel, QMessageBox::Cancel, "Annulla", ModalResult::mrCancel},
        {mbAbort, QMessageBox::Abort, "Interrompi", ModalResult::mrAbort},
    };
    for (const Choice& c : choices)
        if (buttons & c.flag)
            box.addButton(c.button)->setText(QString::fromUtf8(c.caption));
    if (buttons == 0)
        box.addButton(QMessageBox::Ok);
    auto answer = static_cast<QMessageBox::StandardButton>(box.exec());
    for (const Choice& c : choices)
        if (answer == c.button)
            return c.result;
    // Closed without a button (Esc on a box that has no escape button).
    return ModalResult::mrCancel;
}

std::optional<std::string> ModalPrompter::openFileDialog(QWidget* parent, const FileDialogSpec& request) {
    return runFileDialog(parent, request, false);
}

std::optional<std::string> ModalPrompter::saveFileDialog(QWidget* parent, const FileDialogSpec& request) {
    return runFileDialog(parent, request, true);
}

std::optional<std::string> ModalPrompter::chooseFolder(QWidget* parent, const std::string& start) {
    QFileDialog dialog(parent, QStringLiteral("Scegli la cartella"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setProxyModel(new FileListLocale(&dialog));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (!start.empty())
        dialog.setDirectory(QString::fromStdString(start));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

ModalResult Autopilot::messageDlg(QWidget*, const std::string& text, MsgDlgType, unsigned buttons) {
    if (echo)
        std::fprintf(stderr, "[messaggio] %s\n", text.c_str());
    return (buttons & mbYes) ? ModalResult::mrYes : ModalResult::mrOk;
}

std::optional<std::string> Autopilot::saveFileDialog(QWidget*, const FileDialogSpec&) {
    if (output.empty())
        return std::nullopt;
    return output;
}

} // namespace zelta::ui
