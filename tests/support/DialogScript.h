#pragma once

// Runs modal dialogs and message boxes of a Qt test without modal loops: each dialog that
// DoModal opens is shown and handed to the next queued answer (a lambda that works its controls
// and returns the result); message boxes are recorded and answered with OK. Dialogs without an
// answer are cancelled. The hooks are removed at the end of the scope.

#include "toolkit/CDialog.h"
#include "toolkit/MessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QList>
#include <QStringList>

#include <deque>
#include <functional>

class DialogScript
{
public:
    using Answer = std::function<int(CDialog &dialog)>;

    DialogScript()
    {
        CDialog::SetModalHook([this](CDialog &dialog) {
            titles.append(dialog.windowTitle());
            dialog.show();
            dialog.activateWindow();
            QApplication::processEvents();
            int result = QDialog::Rejected;
            if (answers.empty()) {
                dialog.reject();
            } else {
                Answer answer = std::move(answers.front());
                answers.pop_front();
                result = answer(dialog);
            }
            dialog.hide();
            return result;
        });
        SetMessageBoxHook([this](const MessageRequest &request) {
            messages.append(request.text);
            return QMessageBox::Ok;
        });
    }
    ~DialogScript()
    {
        CDialog::SetModalHook({});
        SetMessageBoxHook({});
    }

    void then(Answer answer) { answers.push_back(std::move(answer)); }

    // The control of a dialog by its id (object name).
    template<typename T = QWidget>
    static T *control(QWidget &dialog, int id)
    {
        return dialog.findChild<T *>(QString::number(id));
    }
    static void setText(QWidget &dialog, int id, const QString &text)
    {
        if (auto *edit = control<QLineEdit>(dialog, id))
            edit->setText(text);
    }
    static void click(QWidget &dialog, int id)
    {
        if (auto *button = control<QAbstractButton>(dialog, id))
            button->click();
    }
    // Presses OK; the dialog's result (Rejected while it stays open).
    static int ok(CDialog &dialog)
    {
        click(dialog, 1);
        return dialog.isVisible() ? int(QDialog::Rejected) : dialog.result();
    }

    std::deque<Answer> answers;
    QStringList titles;
    QStringList messages;
};
