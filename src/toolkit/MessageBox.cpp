#include "toolkit/MessageBox.h"

#include <QApplication>

static QString s_title = QStringLiteral("Pelion");
static MessageBoxHook s_hook;

void SetMessageBoxTitle(const QString &title)
{
    s_title = title;
}

QString MessageBoxTitle()
{
    return s_title;
}

void SetMessageBoxHook(MessageBoxHook hook)
{
    s_hook = std::move(hook);
}

QMessageBox::StandardButton ShowMessageBox(QWidget *parent, const QString &text,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::Icon icon, const QString &title)
{
    const MessageRequest request{title.isEmpty() ? s_title : title, text, buttons, icon};
    if (s_hook)
        return s_hook(request);
    QMessageBox box(icon, request.title, text, buttons,
                    parent ? parent : QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}
