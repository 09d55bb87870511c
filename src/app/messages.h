#pragma once
// Every message box of the program goes through ShowMessage, captioned "Dotrix". Tests replace
// the function that shows it with a recorder.

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

inline const QString ApplicationTitle = QStringLiteral("Dotrix");

using MessageFunction = std::function<QMessageBox::StandardButton(QWidget *parent, const QString &text,
                                                                  QMessageBox::StandardButtons buttons)>;

// Shows text with the given buttons (OK by default) and returns the button chosen.
QMessageBox::StandardButton ShowMessage(QWidget *parent, const QString &text,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok);

// Replaces the function that shows messages; an empty function restores the message box.
void SetMessageFunction(MessageFunction function);
