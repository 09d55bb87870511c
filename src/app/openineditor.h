#pragma once
// Handing files to the desktop: generated text to the user's default text editor, documents to
// their viewer. Tests replace the opener with a recorder.

#include <QString>

#include <functional>

using OpenerFunction = std::function<bool(const QString &path)>;

// Opens a generated text file (a .c file) in the user's default text editor; false when nothing
// could be started.
bool OpenInEditor(const QString &path);

// Opens a local document (the user guide) with the desktop's viewer for it.
bool OpenDocument(const QString &path);

// Replaces the function both use; an empty function restores the desktop's.
void SetOpenerFunction(OpenerFunction function);
