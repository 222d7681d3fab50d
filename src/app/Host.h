// What a front (the desktop window, the batch tool, a test) gives the commands: the report and
// figures sink that the engine writes to, and the prompts (message boxes, file choices) that only
// the commands put to the person.
#pragma once

#include "core/ReportSink.h"

#include <optional>
#include <string>

namespace zelta {

enum class MsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation };

// Buttons of a message box, combined as flags.
enum MsgDlgButton : unsigned { mbYes = 1, mbNo = 2, mbOK = 4, mbCancel = 8, mbAbort = 16 };

enum class ModalResult { mrNone, mrOk, mrCancel, mrAbort, mrYes, mrNo };

struct FileDialogSpec {
    std::string defaultExt;
    std::string filter;
    std::string fileName; // proposed name (the save dialog proposes the drawing's path)
};

class Prompts {
public:
    virtual ~Prompts() = default;
    virtual ModalResult messageDlg(const std::string& text, MsgDlgType type, unsigned buttons) = 0;
    // The chosen path, or nothing when the person cancels.
    virtual std::optional<std::string> openFileDialog(const FileDialogSpec& request) = 0;
    virtual std::optional<std::string> saveFileDialog(const FileDialogSpec& request) = 0;
};

class Host : public ReportSink, public Prompts {
public:
    // The window switches between its idle and processing states (buttons, menu, progress bar).
    virtual void processingStateChanged(bool processing) { (void)processing; }
};

} // namespace zelta
