// The desktop program's Host: figures into the main window's fields, report lines into its log
// (the last lines) and into the report's own file (every line), message boxes and file choices
// through a Prompter. Used on the user-interface thread only.
#pragma once

#include "app/Host.h"
#include "core/ReportSpool.h"
#include "ui/Prompter.h"

#include <array>
#include <functional>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace zelta::ui {

// The log keeps this many lines; older ones are only in the report's file.
inline constexpr int MaxLogLines = 10000;

class QtHost : public Host {
public:
    QtHost(QWidget& window, Prompter& prompter) : window_(window), prompter_(prompter) {}

    ModalResult messageDlg(const std::string& text, MsgDlgType type, unsigned buttons) override;
    std::optional<std::string> openFileDialog(const FileDialogSpec& request) override;
    std::optional<std::string> saveFileDialog(const FileDialogSpec& request) override;
    void setText(Field field, const std::string& text) override;
    void reportLine(const std::string& text) override;
    void reportLines(const std::vector<std::string>& lines) override;
    void clearReport() override;
    void processingStateChanged(bool processing) override;
    // A folder chosen through the prompter (the export's destination).
    std::optional<std::string> chooseFolder(const std::string& start);

    // The window's controls, set once they exist.
    std::array<QLineEdit*, FieldCount> fields{};
    QPlainTextEdit* report = nullptr;
    // Every line since the report was last cleared, for "Salva report...".
    ReportSpool spool;
    std::function<void(bool processing)> onProcessingStateChanged;

private:
    // Dialogs open over whatever modal dialog is showing, else over the main window.
    QWidget* dialogParent() const;

    QWidget& window_;
    Prompter& prompter_;
};

} // namespace zelta::ui
