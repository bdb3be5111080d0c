#pragma once

#include <QDialog>

#include <functional>

class CDataExchange;

// A modal dialog with data exchange: DoModal fills the controls from the fields
// (DoDataExchange with saving off) and runs the dialog; OK validates and saves the fields and
// closes only when that succeeded.
class CDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CDialog(QWidget *parent = nullptr);
    ~CDialog() override;

    // QDialog::Accepted or QDialog::Rejected.
    int DoModal();
    bool UpdateData(bool saveAndValidate);

    void accept() override;

    // Dialogs keep the size they open with unless made resizable (a window that can be
    // resized gets the window manager's resize frame and maximise button).
    void SetResizable(bool resizable) { m_resizable = resizable; }
    bool IsResizable() const { return m_resizable; }

    // Tests run modal dialogs through this hook: it gets the prepared dialog instead of a modal
    // loop, works its controls and returns the result (typically after accept() or reject()).
    using ModalHook = std::function<int(CDialog &dialog)>;
    static void SetModalHook(ModalHook hook);

protected:
    virtual void DoDataExchange(CDataExchange &dx);
    // After the controls were filled, before the dialog shows.
    virtual void OnInitDialog();
    void showEvent(QShowEvent *event) override;

private:
    bool m_resizable = false;
};
