#pragma once

class QAction;

// The state of one command's user-interface items while an update rule decides it. The rule
// calls Enable and SetCheck; what it does not touch keeps the state the items already had (a
// rule may leave an item alone on purpose). Action() is the menu item being updated when the
// update runs for a menu about to show, else the first item bound to the command, or null.
class CCmdUI
{
public:
    CCmdUI(int id, bool enabled, bool checked, QAction *action = nullptr)
        : m_id(id)
        , m_enabled(enabled)
        , m_checked(checked)
        , m_action(action)
    {}

    int Id() const { return m_id; }
    QAction *Action() const { return m_action; }

    void Enable(bool on = true)
    {
        m_enabled = on;
        m_enableSet = true;
    }
    void SetCheck(bool on = true)
    {
        m_checked = on;
        m_checkSet = true;
    }

    bool IsEnabled() const { return m_enabled; }
    bool IsChecked() const { return m_checked; }
    bool EnableWasSet() const { return m_enableSet; }
    bool CheckWasSet() const { return m_checkSet; }

private:
    int m_id;
    bool m_enabled;
    bool m_checked;
    bool m_enableSet = false;
    bool m_checkSet = false;
    QAction *m_action;
};
