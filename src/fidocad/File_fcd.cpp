// The FidoCAD file object's construction, the open command and the reset that begins a read.
#include "fidocad/File_fcd.h"

#include "core/Messages.h"

namespace zelta {

GestoreFileFCD::GestoreFileFCD(std::string temporaryPath) : tmpPath(std::move(temporaryPath)) {}

void GestoreFileFCD::openFcd() {
    if (resultsUnsaved && links.host->messageDlg(msg::UnsavedResults, MsgDlgType::mtConfirmation,
                                                 mbYes | mbNo) == ModalResult::mrNo)
        return;
    readFcd();
}

void GestoreFileFCD::resetForRead() {
    for (int f = 0; f < FieldCount; ++f)
        show(static_cast<Field>(f), "");
    links.host->clearReport();
    links.grid->clear();
    if (links.resetOthers)
        links.resetOthers();
}

void GestoreFileFCD::fail(const char* reportText, const char* boxText, int32_t code) {
    report(reportText);
    links.host->messageDlg(boxText, MsgDlgType::mtError, mbOK);
    status = code;
}

} // namespace zelta
