#pragma once
// Every file and folder the window asks the user for goes through ChooseFile. Tests replace the
// function that asks with one that answers at once, so no real file dialog waits for a click.

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

struct FileRequest
{
    enum Kind { OpenFile, SaveFile, Directory };
    Kind Mode = OpenFile;
    QString Caption;
    QString StartPath;      // folder shown first, or a suggested file in it
    QStringList Filters;    // e.g. "文件(*.dat)"; empty for folders
    QString DefaultSuffix;  // added to a typed name without one (save and open only)
};

// Returns the chosen absolute path, or an empty string when the user cancelled.
using FileChooserFunction = std::function<QString(QWidget *parent, const FileRequest &request)>;

// Asks with a file dialog (an existing file, a file to write with an overwrite prompt, or a
// folder) and returns the path chosen, empty on Cancel.
QString ChooseFile(QWidget *parent, const FileRequest &request);

// Replaces the function that asks; an empty function restores the file dialog.
void SetFileChooserFunction(FileChooserFunction function);
