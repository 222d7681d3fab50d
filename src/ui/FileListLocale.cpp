// Sizes and dates of the file dialog's list.
#include "ui/FileListLocale.h"

#include <QFileSystemModel>
#include <QLocale>

namespace zelta::ui {

namespace {

// The file system model's columns.
inline constexpr int SizeColumn = 1;
inline constexpr int DateColumn = 3;

} // namespace

QVariant FileListLocale::data(const QModelIndex& index, int role) const {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || !files || (index.column() != SizeColumn && index.column() != DateColumn))
        return QIdentityProxyModel::data(index, role);
    const QModelIndex file = mapToSource(index);
    if (index.column() == DateColumn)
        return QLocale().toString(files->lastModified(file), QLocale::ShortFormat);
    // Folders have no size in the list.
    if (files->isDir(file))
        return QIdentityProxyModel::data(index, role);
    return QLocale().formattedDataSize(files->size(file));
}

} // namespace zelta::ui
