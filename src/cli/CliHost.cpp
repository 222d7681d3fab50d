// Message boxes and report lines of the batch tool.
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
    log_.push_back(text);
    if (!quiet) {
        if (beforePrint)
            beforePrint();
        std::fwrite(text.data(), 1, text.size(), stdout);
        std::fputc('\n', stdout);
    }
}

void CliHost::clearReport() {
    log_.clear();
}

} // namespace zelta::cli
