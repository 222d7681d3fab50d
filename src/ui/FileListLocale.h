// The file dialog's list with sizes and dates written in the program's locale: the toolkit writes
// them in the system's, which need not be Italian.
#pragma once

#include <QIdentityProxyModel>

namespace zelta::ui {

// Put between a file dialog and its file system model (QFileDialog::setProxyModel).
class FileListLocale : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override;
};

} // namespace zelta::ui
