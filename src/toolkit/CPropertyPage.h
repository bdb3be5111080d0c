#pragma once

#include <QString>
#include <QWidget>

class CDataExchange;

// One page of a CPropertySheet. Its controls are filled from its fields the first time the page
// is shown ("opened"); on OK only opened pages save their controls back.
class CPropertyPage : public QWidget
{
    Q_OBJECT

public:
    explicit CPropertyPage(const QString &caption, QWidget *parent = nullptr);

    QString Caption() const { return m_caption; }
    bool WasOpened() const { return m_opened; }
    // Called by the sheet whenever the page becomes the current one.
    void OnSetActive();
    bool UpdateData(bool saveAndValidate);

protected:
    virtual void DoDataExchange(CDataExchange &dx);

private:
    QString m_caption;
    bool m_opened = false;
};
