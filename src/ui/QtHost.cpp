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

std::optional<std::string> QtHost::chooseFolder(const std::string& start) {
    return prompter_.chooseFolder(dialogParent(), start);
}

void QtHost::setText(Field field, const std::string& text) {
    QLineEdit* edit = fields[static_cast<size_t>(field)];
    const QString value = QString::fromStdString(text);
    if (edit && edit->text() != value) {
        edit->setText(value);
        edit->setCursorPosition(0);
    }
}

void QtHost::reportLine(const std::string& text) {
    spool.append(text);
    if (report)
        report->appendPlainText(QString::fromStdString(text));
}

void QtHost::reportLines(const std::vector<std::string>& lines) {
    spool.append(lines);
    if (!report || lines.empty())
        return;
    // One append for the batch, of the lines the log can still show; those before them would
    // leave it at once.
    const size_t first = lines.size() > MaxLogLines ? lines.size() - MaxLogLines : 0;
    std::string joined;
    for (size_t i = first; i < lines.size(); ++i) {
        if (i > first)
            joined += '\n';
        joined += lines[i];
    }
    report->appendPlainText(QString::fromStdString(joined));
}

void QtHost::clearReport() {
    spool.clear();
    if (report)
        report->clear();
}

void QtHost::processingStateChanged(bool processing) {
    if (onProcessingStateChanged)
        onProcessingStateChanged(processing);
}

} // namespace zelta::ui
