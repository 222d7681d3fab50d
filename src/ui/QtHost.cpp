// The desktop Host.
#include "ui/QtHost.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace zelta::ui {

QWidget* QtHost::dialogParent() const {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return &window_;
}

ModalResult QtHost::messageDlg(const std::string& text, MsgDlgType type, unsigned buttons) {
    return prompter_.messageDlg(dialogParent(), text, type, buttons);
}

std::optional<std::string> QtHost::openFileDialog(const FileDialogSpec& request) {
    return prompter_.openFileDialog(dialogParent(), request);
}

std::optional<std::string> QtHost::saveFileDialog(const FileDialogSpec& request) {
    return prompter_.saveFileDialog(dialogParent(), request);
}

void QtHost::setText(Field field, const std::string& text) {
    if (QLineEdit* edit = fields[static_cast<size_t>(field)]) {
        edit->setText(QString::fromStdString(text));
        edit->setCursorPosition(0);
    }
}

void QtHost::reportLine(const std::string& text) {
    if (report)
        report->appendPlainText(QString::fromStdString(text));
}

void QtHost::clearReport() {
    if (report)
        report->clear();
}

void QtHost::processingStateChanged(bool processing) {
    if (onProcessingStateChanged)
        onProcessingStateChanged(processing);
}

} // namespace zelta::ui
