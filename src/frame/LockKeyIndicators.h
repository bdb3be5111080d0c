#pragma once

#include <QObject>

class QLabel;
class QStatusBar;

// The caps lock, num lock and scroll lock panes of the status bar. Each pane shows its text
// ("CAP", "NUM", "SCRL") while the lock is on and stays blank otherwise. The lock state is read
// from the X keyboard extension; on other platforms the panes stay blank.
class LockKeyIndicators : public QObject
{
    Q_OBJECT

public:
    explicit LockKeyIndicators(QStatusBar *bar);

    void Refresh();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *m_panes[3];
};
