// "Esporta per la produzione": the drawing that is exported, the folder the files go to (with a
// folder choice) and whether the print is mirrored.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zelta::ui {

// The folder proposed for the files of a drawing: beside it, named after it.
std::string proposedFolder(const std::string& drawing);

class ProductionDialog : public QDialog {
    Q_OBJECT
public:
    // chooseFolder asks the person for a folder, starting at the one given.
    using ChooseFolder = std::function<std::optional<std::string>(const std::string& start)>;
    ProductionDialog(QWidget* parent, ChooseFolder chooseFolder);

    // The drawing, the folder proposed and whether results of a lap are left unsaved (the export
    // reads the drawing on disk, which does not have them).
    void prepare(const std::string& drawing, const std::string& folder, bool unsavedResults);
    std::string folder() const;
    bool mirror() const;

    QLineEdit* drawingField;
    QLineEdit* folderField;
    QPushButton* browseButton;
    QCheckBox* mirrorBox;
    QLabel* unsavedNote;
    QPushButton* exportButton;
    QPushButton* cancelButton;

private:
    void browse();

    ChooseFolder chooseFolder_;
};

} // namespace zelta::ui
