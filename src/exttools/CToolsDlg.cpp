#include "exttools/CToolsDlg.h"

#include "exttools/ToolList.h"
#include "toolkit/CInputDlg.h"
#include "toolkit/FileDialog.h"
#include "toolkit/MessageBox.h"
#include "toolkit/QtBridge.h"
#include "util/ProfileFile.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CToolsDlg::CToolsDlg(ProfileFile &profile, QWidget *parent)
    : CDialog(parent)
    , m_profile(profile)
    , m_list(new QListWidget(this))
    , m_command(new QLineEdit(this))
    , m_arguments(new QLineEdit(this))
    , m_browse(new QPushButton(QStringLiteral("..."), this))
    , m_update(new QPushButton(QStringLiteral("&Update"), this))
    , m_cancelUpdate(new QPushButton(QStringLiteral("&Cancel Update"), this))
    , m_new(new QPushButton(QStringLiteral("&New"), this))
    , m_edit(new QPushButton(QStringLiteral("&Edit"), this))
    , m_delete(new QPushButton(QStringLiteral("&Delete"), this))
    , m_close(new QPushButton(QStringLiteral("Cl&ose"), this))
{
    setWindowTitle(QStringLiteral("Add & Edit Tools"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_browse->setMaximumWidth(m_browse->fontMetrics().horizontalAdvance(QStringLiteral("....")) +
                              16);
    for (QPushButton *button : {m_browse, m_update, m_cancelUpdate, m_new, m_edit, m_delete})
        button->setAutoDefault(false);
    m_close->setAutoDefault(false);

    auto *listLabel = new QLabel(QStringLiteral("Menu contents"), this);
    listLabel->setBuddy(m_list);
    auto *commandLabel = new QLabel(QStringLiteral("Command:"), this);
    commandLabel->setBuddy(m_command);
    auto *argumentsLabel = new QLabel(QStringLiteral("Arguments:"), this);
    argumentsLabel->setBuddy(m_arguments);

    auto *listButtons = new QVBoxLayout;
    listButtons->addWidget(m_new);
    listButtons->addWidget(m_edit);
    listButtons->addWidget(m_delete);
    listButtons->addStretch();
    listButtons->addWidget(m_close);

    auto *top = new QGridLayout;
    top->addWidget(listLabel, 0, 0);
    top->addWidget(m_list, 1, 0);
    top->addLayout(listButtons, 1, 1);

    auto *fields = new QGridLayout;
    fields->addWidget(commandLabel, 0, 0);
    fields->addWidget(m_command, 0, 1);
    fields->addWidget(m_browse, 0, 2);
    fields->addWidget(argumentsLabel, 1, 0);
    fields->addWidget(m_arguments, 1, 1, 1, 2);

    auto *editButtons = new QHBoxLayout;
    editButtons->addStretch();
    editButtons->addWidget(m_update);
    editButtons->addWidget(m_cancelUpdate);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(fields);
    layout->addLayout(editButtons);
    resize(420, 320);

    connect(m_list, &QListWidget::currentRowChanged, this, [this] { OnSelect(); });
    connect(m_list, &QListWidget::itemClicked, this, [this] { OnSelect(); });
    connect(m_new, &QPushButton::clicked, this, &CToolsDlg::OnNew);
    connect(m_edit, &QPushButton::clicked, this, &CToolsDlg::OnEdit);
    connect(m_browse, &QPushButton::clicked, this, &CToolsDlg::OnBrowse);
    connect(m_update, &QPushButton::clicked, this, &CToolsDlg::OnUpdate);
    connect(m_cancelUpdate, &QPushButton::clicked, this, &CToolsDlg::OnSelect);
    connect(m_delete, &QPushButton::clicked, this, &CToolsDlg::OnDelete);
    connect(m_close, &QPushButton::clicked, this, &CToolsDlg::OnClose);
}

void CToolsDlg::OnInitDialog()
{
    m_closed = false;
    m_selecting = true;
    m_list->clear();
    for (const std::string &name : ToolList::Load(m_profile))
        m_list->addItem(toQt(name));
    m_list->setCurrentRow(-1);
    m_selecting = false;
    SetEditing(false);
}

QStringList CToolsDlg::Names() const
{
    QStringList names;
    for (int row = 0; row < m_list->count(); ++row)
        names.append(m_list->item(row)->text());
    return names;
}

int CToolsDlg::SelectedRow() const
{
    const int row = m_list->currentRow();
    return row >= 0 && m_list->item(row)->isSelected() ? row : -1;
}

void CToolsDlg::SetEditing(bool editing)
{
    for (QWidget *widget : {static_cast<QWidget *>(m_command), static_cast<QWidget *>(m_arguments),
                            static_cast<QWidget *>(m_browse), static_cast<QWidget *>(m_update),
                            static_cast<QWidget *>(m_cancelUpdate)})
        widget->setEnabled(editing);
    const bool selected = SelectedRow() >= 0;
    m_new->setEnabled(!editing);
    m_edit->setEnabled(!editing && selected);
    m_delete->setEnabled(!editing && selected);
}

void CToolsDlg::OnSelect()
{
    if (m_selecting)
        return;
    const int row = SelectedRow();
    ToolList::Tool tool;
    if (row >= 0)
        tool = ToolList::ReadTool(m_profile, fromQt(m_list->item(row)->text()));
    m_command->setText(toQt(tool.cmd));
    m_arguments->setText(toQt(tool.arg));
    SetEditing(false);
}

void CToolsDlg::OnNew()
{
    CInputDlg input(QStringLiteral("Name of the new tool"), QString(), this);
    if (input.DoModal() != QDialog::Accepted)
        return;
    m_selecting = true;
    m_list->addItem(input.Text());
    m_list->setCurrentRow(m_list->count() - 1);
    m_selecting = false;
    m_command->clear();
    m_arguments->clear();
    SetEditing(true);
    m_command->setFocus();
}

void CToolsDlg::OnEdit()
{
    if (SelectedRow() < 0)
        return;
    SetEditing(true);
    m_command->selectAll();
    m_command->setFocus();
}

void CToolsDlg::OnBrowse()
{
    FileDialogRequest request;
    request.parent = this;
    request.open = true;
    request.filter = QStringLiteral("All Files (*.*)|*.*||");
    request.mustExist = true;
    // Programs here carry no extension, so none is added to a typed name.
    request.fileName = m_command->text();
    const QString path = RunFileDialog(request);
    if (path.isEmpty())
        return;
    m_command->setText(path);
    m_update->setEnabled(true);
}

void CToolsDlg::OnUpdate()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    ToolList::WriteTool(m_profile, fromQt(m_list->item(row)->text()),
                        {fromQt(m_command->text()), fromQt(m_arguments->text())});
    SetEditing(false);
}

void CToolsDlg::OnDelete()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    if (ShowMessageBox(this, QStringLiteral("Delete the selected entry?"),
                       QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
        return;
    m_selecting = true;
    delete m_list->takeItem(row);
    m_list->setCurrentRow(-1);
    m_list->clearSelection();
    m_selecting = false;
    m_command->clear();
    m_arguments->clear();
    // Nothing is selected, so there is nothing to edit or update until an entry is chosen.
    SetEditing(false);
}

void CToolsDlg::OnClose()
{
    if (!m_closed) {
        m_closed = true;
        std::vector<std::string> names;
        for (const QString &name : Names())
            names.push_back(fromQt(name));
        ToolList::Store(m_profile, names);
        m_profile.Save();
    }
    CDialog::reject();
}

void CToolsDlg::reject()
{
    OnClose();
}
