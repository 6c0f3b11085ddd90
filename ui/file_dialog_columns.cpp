#include "ui/file_dialog_columns.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QTreeView>

namespace {

constexpr int kFileSizeColumn = 1;
constexpr int kFileTypeColumn = 2;

void fit_columns(QTreeView* view)
{
    for (int column : {kFileSizeColumn, kFileTypeColumn})
        view->resizeColumnToContents(column);
}

} // namespace

void fit_size_and_type_columns(QFileDialog& dialog)
{
    auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    auto* files = dialog.findChild<QFileSystemModel*>();
    if (view == nullptr || files == nullptr)
        return;
    // The view is the connection's context: nothing is called once it is gone.
    QObject::connect(files, &QFileSystemModel::directoryLoaded, view, [view] { fit_columns(view); });
    fit_columns(view);
}
