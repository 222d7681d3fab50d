// The recording test host.
#include "support/ScriptedHost.h"

#include <algorithm>

namespace zelta::testing {

ModalResult ScriptedHost::messageDlg(const std::string& text, MsgDlgType type, unsigned buttons) {
    messages.push_back({text, type, buttons});
    if (!messageAnswers.empty()) {
        ModalResult r = messageAnswers.front();
        messageAnswers.pop_front();
        return r;
    }
    return (buttons & mbYes) ? ModalResult::mrYes : ModalResult::mrOk;
}

std::optional<std::string> ScriptedHost::openFileDialog(const FileDialogSpec& request) {
    openDialogs.push_back(request);
    if (openAnswers.empty())
        return std::nullopt;
    auto r = openAnswers.front();
    openAnswers.pop_front();
    return r;
}

std::optional<std::string> ScriptedHost::saveFileDialog(const FileDialogSpec& request) {
    saveDialogs.push_back(request);
    if (saveAnswers.empty())
        return std::nullopt;
    auto r = saveAnswers.front();
    saveAnswers.pop_front();
    return r;
}

void ScriptedHost::setText(Field f, const std::string& text) {
    fields[static_cast<int>(f)] = text;
}

void ScriptedHost::reportLine(const std::string& text) {
    report.push_back(text);
    allLines.push_back(text);
}

void ScriptedHost::clearReport() {
    report.clear();
    ++clears;
}

void ScriptedHost::processingStateChanged(bool p) {
    processing = p;
}

bool ScriptedHost::reported(const std::string& line) const {
    return std::find(report.begin(), report.end(), line) != report.end();
}

} // namespace zelta::testing
