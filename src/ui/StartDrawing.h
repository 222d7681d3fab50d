// A drawing named on the desktop program's command line ("zelta board.fcd", as the desktop's file
// manager starts it): it is the answer of the first open dialog, so that it is read exactly as if
// the person had chosen it there.
#pragma once

#include "ui/Prompter.h"

#include <string>

namespace zelta::ui {

class FirstOpenAnswer : public Prompter {
public:
    FirstOpenAnswer(Prompter& next, std::string drawing) : next_(next), drawing_(std::move(drawing)) {}

    ModalResult messageDlg(QWidget* parent, const std::string& text, MsgDlgType type,
                           unsigned buttons) override;
    std::optional<std::string> openFileDialog(QWidget* parent, const FileDialogSpec& request) override;
    std::optional<std::string> saveFileDialog(QWidget* parent, const FileDialogSpec& request) override;
    std::optional<std::string> chooseFolder(QWidget* parent, const std::string& start) override {
        return next_.chooseFolder(parent, start);
    }

private:
    Prompter& next_;
    std::optional<std::string> drawing_;
};

// The drawing named on the command line as an absolute path; empty when none was named.
std::string drawingPath(const std::string& named);

} // namespace zelta::ui
