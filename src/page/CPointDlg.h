#pragma once

#include "toolkit/CDialog.h"

#include <QPoint>

class QLineEdit;

// A dialog for two whole numbers, each limited to 0..maximum: "Set Grid Cell Size" (144, "&X:"
// and "&Y:", 0-1024) and "Move Object" (145, "By &X:" and "By &Y:", 0-512, in pixels).
class CPointDlg : public CDialog
{
    Q_OBJECT

public:
    static CPointDlg *CreateSetGrid(const QPoint &start, QWidget *parent);
    static CPointDlg *CreateMoveObject(QWidget *parent);

    QPoint Value() const { return QPoint(m_x, m_y); }
    int Maximum() const { return m_maximum; }
    QLineEdit *XEdit() const { return m_xEdit; }
    QLineEdit *YEdit() const { return m_yEdit; }

protected:
    void DoDataExchange(CDataExchange &dx) override;
    void OnInitDialog() override;

private:
    CPointDlg(const QString &title, const QString &xLabel, int xId, const QString &yLabel, int yId,
              int maximum, const QPoint &start, QWidget *parent);

    int m_x;
    int m_y;
    int m_maximum;
    QLineEdit *m_xEdit;
    QLineEdit *m_yEdit;
};
