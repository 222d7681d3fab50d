// Pieces the option and track-width dialogs share: their fixed frame, the OK, Abort and help
// buttons, and the help key.
#pragma once

#include "app/Host.h"

#include <QDialog>
#include <QPushButton>

namespace zelta::ui {

class HelpWindow;

// The dialog result of the Abort and help buttons.
inline constexpr int DialogAbort = static_cast<int>(ModalResult::mrAbort);

// A dialog border with only the close box (and no resizing once laid out).
void makeFixedDialog(QDialog& dialog, const QString& title);
// Fixes the dialog's size at what its layout needs, at least width x height.
void fixDialogSize(QDialog& dialog, int width, int height);

QPushButton* okButton(QWidget* parent, const char* name);
QPushButton* abortButton(QWidget* parent, const char* name);
QPushButton* helpButton(QWidget* parent, const char* name);
// F1 inside the dialog opens this help context.
void bindHelpKey(QDialog& dialog, HelpWindow& help, int context);

} // namespace zelta::ui
