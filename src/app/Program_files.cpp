// The file commands: open and save ask the person, the FidoCAD file object and the tracer do
// the reading and writing, and the notice they end with is shown here.
#include "app/Program.h"

#include "app/SavePreset.h"
#include "core/Messages.h"

#include <cstdlib>

namespace zelta {

namespace {

MsgDlgType dialogTypeOf(Notice::Kind kind) {
    switch (kind) {
    case Notice::Kind::Error:
        return MsgDlgType::mtError;
    case Notice::Kind::Warning:
        return MsgDlgType::mtWarning;
    case Notice::Kind::None:
    case Notice::Kind::Information:
        break;
    }
    return MsgDlgType::mtInformation;
}

} // namespace

void Program::show(const Notice& notice) {
    if (notice)
        host.messageDlg(notice.text, dialogTypeOf(notice.kind), mbOK);
}

bool Program::askRemoveTracks() {
    return host.messageDlg(msg::RemoveTracksQuestion, MsgDlgType::mtConfirmation, mbYes | mbNo) !=
           ModalResult::mrNo;
}

ReadOutcome Program::readChosen(const std::string& path) {
    ReadOutcome outcome = fcd->readFile(path, removeTracks);
    show(outcome.notice);
    return outcome;
}

void Program::openFcd() {
    drainWorkerOutput();
    if (fcd->resultsUnsaved &&
        host.messageDlg(msg::UnsavedResults, MsgDlgType::mtConfirmation, mbYes | mbNo) == ModalResult::mrNo)
        return;
    fcd->beginRead();
    std::optional<std::string> chosen = host.openFileDialog({msg::FcdDefaultExt, msg::FcdFilter, ""});
    if (!chosen) {
        fcd->cancelRead();
        return;
    }
    readChosen(*chosen);
}

ReadOutcome Program::openFile(const std::string& path) {
    drainWorkerOutput();
    fcd->beginRead();
    return readChosen(path);
}

bool Program::mayWrite() {
    drainWorkerOutput();
    if (tracer->resultsReady)
        return true;
    host.messageDlg(msg::NothingToSave, MsgDlgType::mtInformation, mbOK);
    return false;
}

std::optional<std::string> Program::save() {
    if (!mayWrite())
        return std::nullopt;
    const char* home = std::getenv("HOME");
    std::optional<std::string> chosen = host.saveFileDialog(
        {msg::FcdDefaultExt, msg::FcdFilter, savePreset(fcd->fcdPath, documentsFolder, home ? home : "")});
    if (!chosen || !write(*chosen).written)
        return std::nullopt;
    return chosen;
}

WriteOutcome Program::saveTo(const std::string& path) {
    if (!mayWrite())
        return {};
    return write(path);
}

WriteOutcome Program::write(const std::string& path) {
    WriteOutcome outcome = tracer->traceAndWrite(path);
    show(outcome.notice);
    return outcome;
}

} // namespace zelta
