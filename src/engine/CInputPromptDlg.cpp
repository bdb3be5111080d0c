#include "engine/CInputPromptDlg.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CInputPromptDlg::CInputPromptDlg(const QString &title, const QString &label, const QString &initial,
                                 const QString &browseFilter, QWidget *parent)
    : QDialog(parent)
    , m_text(new QLineEdit(initial, this))
{
    setWindowTitle(title);
    auto *caption = new QLabel(label, this);
    caption->setBuddy(m_text);
    auto *row = new QHBoxLayout;
    row->addWidget(m_text, 1);
    if (!browseFilter.isEmpty()) {
        auto *browse = new QPushButton(tr("&Browse..."), this);
        row->addWidget(browse);
        connect(browse, &QPushButton::clicked, this, [this, browseFilter] {
            auto *files = new QFileDialog(this, windowTitle(), QString(), browseFilter);
            files->setAttribute(Qt::WA_DeleteOnClose);
            files->setFileMode(QFileDialog::ExistingFile);
            connect(files, &QFileDialog::fileSelected, this,
                    [this](const QString &file) { m_text->setText(file); });
            files->open();
        });
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addLayout(row);
    layout->addWidget(buttons);
    m_text->selectAll();
    setMinimumWidth(400);
}

QString CInputPromptDlg::Text() const
{
    return m_text->text().trimmed();
}
