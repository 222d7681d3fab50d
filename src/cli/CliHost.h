// The batch tool's Host: message boxes on standard error, report lines on standard output and
// into the report file as they come. The batch run names its files itself, so no file is ever
// chosen.
#pragma once

#include "app/Host.h"
#include "core/SafeFile.h"

#include <array>
#include <functional>
#include <string>

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
    // From now on every line of the report log (since it was last cleared) goes to the file at
    // path, which takes its place when finishReport is called, whatever ended the run. Nothing
    // is kept in memory, so a long run at the highest report level costs disk, not memory. False
    // when the file cannot be written (reportProblem says why).
    bool startReport(const std::string& path);
    // Passes the lines so far on to a report that is a pipe or a device.
    void flushReport() {
        if (!reportPath_.empty())
            report_.flush();
    }
    // Puts the report file in place; false when it could not be written.
    bool finishReport();
    const std::string& reportProblem() const { return report_.reason(); }
    // Called before anything is printed, so that a progress line can be wiped first.
    std::function<void()> beforePrint;

private:
    std::array<std::string, FieldCount> fields_;
    std::string reportPath_;
    SafeFileWriter report_;
    bool reportWritten_ = false; // lines went to the report file since it was opened
};

} // namespace zelta::cli
