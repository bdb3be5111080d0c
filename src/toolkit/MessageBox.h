#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

// Modal message boxes with the program's own texts. An empty title gives the application title
// (SetMessageBoxTitle, "Pelion" in this program).
struct MessageRequest
{
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
    QMessageBox::Icon icon;
};

QMessageBox::StandardButton ShowMessageBox(QWidget *parent, const QString &text,
                                           QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                           QMessageBox::Icon icon = QMessageBox::NoIcon,
                                           const QString &title = QString());

void SetMessageBoxTitle(const QString &title);
QString MessageBoxTitle();

// Tests answer message boxes through this hook instead of a modal window; an unset hook shows
// the real box.
using MessageBoxHook = std::function<QMessageBox::StandardButton(const MessageRequest &request)>;
void SetMessageBoxHook(MessageBoxHook hook);
