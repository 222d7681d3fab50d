// The shared dialog pieces.
#include "ui/DialogParts.h"

#include "ui/Glyphs.h"
#include "ui/HelpWindow.h"

#include <QLayout>
#include <QShortcut>

namespace zelta::ui {

void makeFixedDialog(QDialog& dialog, const QString& title) {
    dialog.setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    dialog.setWindowTitle(title);
    dialog.setModal(true);
}

void fixDialogSize(QDialog& dialog, int width, int height) {
    dialog.setMinimumSize(width, height);
    dialog.adjustSize();
    dialog.setFixedSize(dialog.sizeHint().expandedTo(QSize(width, height)));
}

QPushButton* okButton(QWidget* parent, const char* name) {
    auto* b = new QPushButton(glyph("ok"), QStringLiteral("OK"), parent);
    b->setObjectName(QLatin1String(name));
    b->setDefault(true);
    return b;
}

QPushButton* abortButton(QWidget* parent, const char* name) {
    auto* b = new QPushButton(glyph("abort"), QStringLiteral("Abort"), parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

QPushButton* helpButton(QWidget* parent, const char* name) {
    auto* b = new QPushButton(glyph("help"), QString(), parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(QStringLiteral("Guida"));
    b->setAutoDefault(false);
    return b;
}

void bindHelpKey(QDialog& dialog, HelpWindow& help, int context) {
    auto* key = new QShortcut(QKeySequence(Qt::Key_F1), &dialog);
    QObject::connect(key, &QShortcut::activated, &dialog, [&help, context] { help.showContext(context); });
}

} // namespace zelta::ui
