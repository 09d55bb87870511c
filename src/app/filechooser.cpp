#include "filechooser.h"

#include <QFileDialog>

namespace {
FileChooserFunction &CurrentFunction()
{
    static FileChooserFunction function;
    return function;
}

QString AskWithDialog(QWidget *parent, const FileRequest &request)
{
    QFileDialog dialog(parent, request.Caption, request.StartPath);
    switch (request.Mode) {
    case FileRequest::OpenFile:
        dialog.setFileMode(QFileDialog::ExistingFile);
        break;
    case FileRequest::SaveFile:
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        break;
    case FileRequest::Directory:
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        break;
    }
    if (!request.Filters.isEmpty())
        dialog.setNameFilters(request.Filters);
    if (!request.DefaultSuffix.isEmpty())
        dialog.setDefaultSuffix(request.DefaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}
} // namespace

QString ChooseFile(QWidget *parent, const FileRequest &request)
{
    if (const FileChooserFunction &function = CurrentFunction())
        return function(parent, request);
    return AskWithDialog(parent, request);
}

void SetFileChooserFunction(FileChooserFunction function)
{
    CurrentFunction() = std::move(function);
}
