#include "openineditor.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace {

OpenerFunction &CurrentOpener()
{
    static OpenerFunction opener;
    return opener;
}

bool OpenWithDesktop(const QString &path)
{
    if (const OpenerFunction &opener = CurrentOpener())
        return opener(path);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}

} // namespace

bool OpenInEditor(const QString &path)
{
    // The desktop's handler for C source is the user's text editor.
    return OpenWithDesktop(path);
}

bool OpenDocument(const QString &path)
{
    return OpenWithDesktop(path);
}

void SetOpenerFunction(OpenerFunction function)
{
    CurrentOpener() = std::move(function);
}
