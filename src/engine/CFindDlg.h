#pragma once

#include <QDialog>
#include <QVariantMap>

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// The component's find bar: text, match case, direction and wrap. Modeless; every "Find Next"
// asks for the next match (findRequested with the find command's input map), and the owner
// reports back with ShowResult.
class CFindDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CFindDlg(QWidget *parent = nullptr);

    void SetText(const QString &text);
    QVariantMap Options() const; // { text, matchCase, backwards, wrap }
    void ShowResult(bool found);

signals:
    void findRequested(const QVariantMap &options);

private:
    QLineEdit *m_text;
    QCheckBox *m_matchCase;
    QCheckBox *m_wrap;
    QRadioButton *m_up;
    QLabel *m_status;
};
