#include "messages.h"

namespace {
MessageFunction &CurrentFunction()
{
    static MessageFunction function;
    return function;
}
} // namespace

QMessageBox::StandardButton ShowMessage(QWidget *parent, const QString &text, QMessageBox::StandardButtons buttons)
{
    if (const MessageFunction &function = CurrentFunction())
        return function(parent, text, buttons);
    QMessageBox box(QMessageBox::NoIcon, ApplicationTitle, text, buttons, parent);
    return QMessageBox::StandardButton(box.exec());
}

void SetMessageFunction(MessageFunction function)
{
    CurrentFunction() = std::move(function);
}
