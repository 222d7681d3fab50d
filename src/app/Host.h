// The one seam between the engine and the person using it: message boxes, file choices,
// the figure fields of the main window and the report log. The desktop window, the batch
// tool and the tests each implement it.
#pragma once

#include <optional>
#include <string>

namespace zelta {

enum class MsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation };

// Buttons of a message box, combined as flags.
enum MsgDlgButton : unsigned { mbYes = 1, mbNo = 2, mbOK = 4, mbCancel = 8, mbAbort = 16 };

enum class ModalResult { mrNone, mrOk, mrCancel, mrAbort, mrYes, mrNo };

// The fourteen figure fields of the main window, by phase.
enum class Field {
    file_in,
    righe_in,
    warning,
    piaztot,
    nettot,
    larg,
    alt,
    ciclitot,
    ciclivuoto,
    piazzscoll,
    valore,
    file_out,
    piste_out,
    righe_out,
};
inline constexpr int FieldCount = 14;

const char* fieldName(Field field);

struct FileDialogSpec {
    std::string defaultExt;
    std::string filter;
    std::string fileName; // proposed name (the save dialog proposes the drawing's path)
};

class Host {
public:
    virtual ~Host() = default;

    virtual ModalResult messageDlg(const std::string& text, MsgDlgType type, unsigned buttons) = 0;
    // The chosen path, or nothing when the person cancels.
    virtual std::optional<std::string> openFileDialog(const FileDialogSpec& request) = 0;
    virtual std::optional<std::string> saveFileDialog(const FileDialogSpec& request) = 0;
    virtual void setText(Field field, const std::string& text) = 0;
    virtual void reportLine(const std::string& text) = 0;
    virtual void clearReport() = 0;
    // The window switches between its idle and processing states (buttons, menu, progress bar).
    virtual void processingStateChanged(bool processing) { (void)processing; }
};

} // namespace zelta
