// The batch tool's Host: message boxes on standard error, report lines on standard output and
// kept for the report file. The batch run names its files itself, so no file is ever chosen.
#pragma once

#include "app/Host.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace zelta::cli {

class CliHost : public Host {
public:
    bool quiet = false;

    ModalResult messageDlg(const std::string& text, MsgDlgType type, unsigned buttons) override;
    std::optional<std::string> openFileDialog(const FileDialogSpec& request) override;
    std::optional<std::string> saveFileDialog(const FileDialogSpec& request) override;
    void setText(Field field, const std::string& text) override;
    void reportLine(const std::string& text) override;
    void clearReport() override;

    const std::string& text(Field field) const { return fields_[static_cast<int>(field)]; }
    // The lines the report log holds: everything since it was last cleared.
    const std::vector<std::string>& log() const { return log_; }
    // Called before anything is printed, so that a progress line can be wiped first.
    std::function<void()> beforePrint;

private:
    std::array<std::string, FieldCount> fields_;
    std::vector<std::string> log_;
};

} // namespace zelta::cli
