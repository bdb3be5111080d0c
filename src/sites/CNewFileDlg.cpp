#include "sites/CNewFileDlg.h"

#include "sites/NewPage.h"
#include "sites/SiteFolderRow.h"
#include "toolkit/CDataExchange.h"
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

namespace {

class TemplateItem : public QListWidgetItem
{
public:
    explicit TemplateItem(const QString &text)
        : QListWidgetItem(text)
    {}
    bool operator<(const QListWidgetItem &other) const override
    {
        const int order = text().compare(other.text(), Qt::CaseInsensitive);
        return order != 0 ? order < 0 : text() < other.text();
    }
};

} // namespace

CNewFileDlg::CNewFileDlg(ProfileFile &profile, QWidget *parent)
    : CDialog(parent)
    , m_profile(profile)
{
    setWindowTitle(QStringLiteral("New FIle")); // spelled as the program always had it

    const SiteFolderRow siteRow = SiteFolderRow::Make(this, QStringLiteral("browseButton"));
    m_siteEdit = siteRow.edit;
    m_browseButton = siteRow.button;
    m_nameEdit = new QLineEdit(this);
    m_nameEdit->setObjectName(QStringLiteral("fileNameEdit"));
    m_titleEdit = new QLineEdit(this);
    m_titleEdit->setObjectName(QStringLiteral("titleEdit"));
    m_templates = new QListWidget(this);
    m_templates->setObjectName(QStringLiteral("templateList"));
    m_templates->setSortingEnabled(true);
    m_templates->setSelectionMode(QAbstractItemView::SingleSelection);
    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setObjectName(QStringLiteral("okButton"));
    m_okButton->setDefault(true);
    m_cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    m_cancelButton->setAutoDefault(false);

    auto *grid = new QGridLayout;
    auto *nameLabel = new QLabel(QStringLiteral("File name"), this);
    nameLabel->setBuddy(m_nameEdit);
    auto *titleLabel = new QLabel(QStringLiteral("Page title"), this);
    titleLabel->setBuddy(m_titleEdit);
    auto *templateLabel =
        new QLabel(QStringLiteral("This file is based on the following template"), this);
    templateLabel->setBuddy(m_templates);
    siteRow.AddTo(grid, 0);
    grid->addWidget(nameLabel, 1, 0);
    grid->addWidget(m_nameEdit, 1, 1, 1, 2);
    grid->addWidget(titleLabel, 2, 0);
    grid->addWidget(m_titleEdit, 2, 1, 1, 2);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(templateLabel);
    layout->addWidget(m_templates);
    layout->addLayout(buttons);
    setMinimumWidth(480);

    connect(m_browseButton, &QPushButton::clicked, this, &CNewFileDlg::OnBrowse);
    connect(m_okButton, &QPushButton::clicked, this, &CNewFileDlg::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &CNewFileDlg::reject);

    m_siteFolder = toQt(CurrentSiteFolder(m_profile));
    m_title = toQt(std::string(kTitlePlaceholder));
    m_fileName = toQt(ProposeFileName(fromQt(m_siteFolder), fromQt(m_fileName)));
    fillTemplates();
    UpdateData(false);
    OnInitDialog();
}

void CNewFileDlg::DoDataExchange(CDataExchange &dx)
{
    DDX_Text(dx, m_siteEdit, m_siteFolder);
    DDX_Text(dx, m_nameEdit, m_fileName);
    DDX_Text(dx, m_titleEdit, m_title);
    if (dx.Failed())
        return;
    if (dx.SaveAndValidate()) {
        const QList<QListWidgetItem *> selected = m_templates->selectedItems();
        m_template = selected.isEmpty() ? QString() : selected.first()->text();
    }
}

void CNewFileDlg::OnInitDialog()
{
    // Typing replaces the placeholder title.
    m_titleEdit->setFocus();
    m_titleEdit->selectAll();
}

void CNewFileDlg::fillTemplates()
{
    m_templates->clear();
    for (const std::string &name : ListTemplates(fromQt(m_siteFolder)))
        m_templates->addItem(new TemplateItem(toQt(name)));
    m_template.clear();
}

void CNewFileDlg::OnBrowse()
{
    UpdateData(true);
    if (!SiteFolderRow::Pick(this, m_profile, m_siteFolder))
        return;
    fillTemplates();
    m_fileName = toQt(ProposeFileName(fromQt(m_siteFolder), fromQt(m_fileName)));
    UpdateData(false);
}

void CNewFileDlg::accept()
{
    if (!UpdateData(true))
        return;
    NewPageRequest request;
    request.siteFolder = fromQt(m_siteFolder);
    request.fileName = fromQt(m_fileName);
    request.title = fromQt(m_title);
    request.templateName = fromQt(m_template);
    const NewPageResult result = CreateNewPage(request);
    if (result.error != NewPageError::None) {
        ShowMessageBox(this, toQt(std::string(NewPageMessage(result.error))));
        if (result.error == NewPageError::InvalidFileName)
            m_nameEdit->setFocus();
        return;
    }
    m_createdPath = result.createdPath;
    QDialog::accept();
}
