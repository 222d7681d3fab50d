// Message boxes, report lines and the report file of the batch tool.
#include "cli/CliHost.h"

#include <cstdio>

namespace zelta::cli {

ModalResult CliHost::messageDlg(const std::string& text, MsgDlgType type, unsigned buttons) {
    if (beforePrint)
        beforePrint();
    if (type == MsgDlgType::mtConfirmation) {
        // No command of a batch run asks before it acts; a question would be answered Yes.
        std::fprintf(stderr, "%s\n-> Si\n", text.c_str());
        return ModalResult::mrYes;
    }
    const char* tag = type == MsgDlgType::mtError ? "errore: " : "";
    std::fprintf(stderr, "%s%s\n", tag, text.c_str());
    (void)buttons;
    return ModalResult::mrOk;
}

std::optional<std::string> CliHost::openFileDialog(const FileDialogSpec&) {
    return std::nullopt;
}

std::optional<std::string> CliHost::saveFileDialog(const FileDialogSpec&) {
    return std::nullopt;
}

void CliHost::setText(Field field, const std::string& text) {
    fields_[static_cast<int>(field)] = text;
}

void CliHost::reportLine(const std::string& text) {
    if (!reportPath_.empty()) {
        report_.write(text);
        report_.write("\n");
        reportWritten_ = true;
    }
    if (!quiet) {
        if (beforePrint)
            beforePrint();
        std::fwrite(text.data(), 1, text.size(), stdout);
        std::fputc('\n', stdout);
    }
}

void CliHost::clearReport() {
    // The lines so far are dropped by starting the file afresh. With none written there is
    // nothing to drop, and a pipe stays open: closing it would end its reader's input.
    if (reportPath_.empty() || !reportWritten_)
        return;
    report_.abort();
    report_.open(reportPath_);
    reportWritten_ = false;
}

bool CliHost::startReport(const std::string& path) {
    reportPath_ = path;
    reportWritten_ = false;
    return report_.open(path);
}

bool CliHost::finishReport() {
    if (reportPath_.empty())
        return true;
    return report_.commit();
}

} // namespace zelta::cli
