// How message boxes and file choices are put to the person. The program shows real modal
// dialogs; tests put in a prompter that answers from a script.
#pragma once

#include "app/Host.h"

#include <QString>

class QWidget;

namespace zelta::ui {

class Prompter {
public:
    virtual ~Prompter() = default;
    virtual ModalResult messageDlg(QWidget* parent, const std::string& text, MsgDlgType type,
                                   unsigned buttons) = 0;
    virtual std::optional<std::string> openFileDialog(QWidget* parent, const FileDialogSpec& request) = 0;
    virtual std::optional<std::string> saveFileDialog(QWidget* parent, const FileDialogSpec& request) = 0;
    // A folder, starting at start; nothing when the person cancels.
    virtual std::optional<std::string> chooseFolder(QWidget* parent, const std::string& start) = 0;
};

// Modal message boxes and file dialogs of the toolkit, with Italian buttons.
class ModalPrompter : public Prompter {
public:
    ModalResult messageDlg(QWidget* parent, const std::string& text, MsgDlgType type,
                           unsigned buttons) override;
    std::optional<std::string> openFileDialog(QWidget* parent, const FileDialogSpec& request) override;
    std::optional<std::string> saveFileDialog(QWidget* parent, const FileDialogSpec& request) override;
    std::optional<std::string> chooseFolder(QWidget* parent, const std::string& start) override;
};

// For the tools that drive the windows with nobody at them: every question gets Yes where it is
// offered, else OK; the open dialog gets board and the save dialog output (nothing when empty).
// With echo, each message is copied to standard error.
class Autopilot : public Prompter {
public:
    std::string board;
    std::string output;
    bool echo = false;
    ModalResult messageDlg(QWidget* parent, const std::string& text, MsgDlgType type,
                           unsigned buttons) override;
    std::optional<std::string> openFileDialog(QWidget*, const FileDialogSpec&) override { return board; }
    std::optional<std::string> saveFileDialog(QWidget*, const FileDialogSpec&) override;
    std::optional<std::string> chooseFolder(QWidget*, const std::string&) override { return std::nullopt; }
};

// "Name|pattern|Name|pattern" filters in the toolkit's "Name (pattern);;Name (pattern)" form.
QString qtFileFilter(const std::string& filter);

} // namespace zelta::ui
