// The drawing of the command line.
#include "ui/StartDrawing.h"

#include <QFileInfo>

namespace zelta::ui {

ModalResult FirstOpenAnswer::messageDlg(QWidget* parent, const std::string& text, MsgDlgType type,
                                        unsigned buttons) {
    return next_.messageDlg(parent, text, type, buttons);
}

std::optional<std::string> FirstOpenAnswer::openFileDialog(QWidget* parent, const FileDialogSpec& request) {
    if (!drawing_)
        return next_.openFileDialog(parent, request);
    std::optional<std::string> answer = std::move(drawing_);
    drawing_.reset();
    return answer;
}

std::optional<std::string> FirstOpenAnswer::saveFileDialog(QWidget* parent, const FileDialogSpec& request) {
    return next_.saveFileDialog(parent, request);
}

std::string drawingPath(const std::string& named) {
    if (named.empty())
        return {};
    return QFileInfo(QString::fromLocal8Bit(named.c_str())).absoluteFilePath().toStdString();
}

} // namespace zelta::ui
