// Message boxes and report lines of the batch tool.
#include "cli/CliHost.h"

#include "core/Messages.h"

#include <cstdio>

namespace zelta::cli {

ModalResult CliHost::messageDlg(const std::string& text, MsgDlgType type, unsigned buttons) {
    if (beforePrint)
        beforePrint();
    if (type == MsgDlgType::mtConfirmation) {
        // Only the existing-tracks question can come up in a batch run.
        bool yes = text == msg::RemoveTracksQuestion ? replaceTracks : true;
        std::fprintf(stderr, "%s\n-> %s\n", text.c_str(), yes ? "Si" : "No");
        return yes ? ModalResult::mrYes : ModalResult::mrNo;
    }
    const char* tag = type == MsgDlgType::mtError ? "errore: " : "";
    std::fprintf(stderr, "%s%s\n", tag, text.c_str());
    (void)buttons;
    return ModalResult::mrOk;
}

std::optional<std::string> CliHost::openFileDialog(const FileDialogSpec&) {
    return inputPath;
}

std::optional<std::string> CliHost::saveFileDialog(const FileDialogSpec&) {
    return outputPath;
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
