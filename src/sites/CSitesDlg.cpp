#include "sites/CSitesDlg.h"

#include "sites/CFolderDialog.h"
#include "sites/SiteDefinitions.h"
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

// A list box item sorted the way the site list has always been: ignoring letter case.
class SiteItem : public QListWidgetItem
{
public:
    explicit SiteItem(const QString &text)
        : QListWidgetItem(text)
    {}
    bool operator<(const QListWidgetItem &other) const override
    {
        const int order = text().compare(other.text(), Qt::CaseInsensitive);
        return order != 0 ? order < 0 : text() < other.text();
    }
};

} // namespace

CSitesDlg::CSitesDlg(ProfileFile &profile, QWidget *parent)
    : CDialog(parent)
    , m_profile(profile)
{
    setWindowTitle(QStringLiteral("Add, Edit, Delete Sites"));

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("sitesList"));
    m_list->setSortingEnabled(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_nameEdit = new QLineEdit(this);
    m_nameEdit->setObjectName(QStringLiteral("nameEdit"));
    m_rootEdit = new QLineEdit(this);
    m_rootEdit->setObjectName(QStringLiteral("rootEdit"));
    m_browseButton = new QPushButton(QStringLiteral("..."), this);
    m_browseButton->setObjectName(QStringLiteral("browseButton"));
    m_subEdit = new QLineEdit(this);
    m_subEdit->setObjectName(QStringLiteral("subFolderEdit"));
    m_addButton = new QPushButton(QStringLiteral("&Add Site"), this);
    m_addButton->setObjectName(QStringLiteral("addButton"));
    m_addButton->setDefault(true);
    m_updateButton = new QPushButton(QStringLiteral("&Update"), this);
    m_updateButton->setObjectName(QStringLiteral("updateButton"));
    m_updateButton->setAutoDefault(false);
    m_deleteButton = new QPushButton(QStringLiteral("&Delete"), this);
    m_deleteButton->setObjectName(QStringLiteral("deleteButton"));
    m_deleteButton->setAutoDefault(false);
    m_closeButton = new QPushButton(QStringLiteral("&Close"), this);
    m_closeButton->setObjectName(QStringLiteral("closeButton"));
    m_closeButton->setAutoDefault(false);
    m_browseButton->setAutoDefault(false);
    m_browseButton->setMaximumWidth(
        m_browseButton->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 24);

    auto *fields = new QGridLayout;
    auto *listLabel = new QLabel(QStringLiteral("Available sites"), this);
    listLabel->setBuddy(m_list);
    auto *nameLabel = new QLabel(QStringLiteral("Name"), this);
    nameLabel->setBuddy(m_nameEdit);
    auto *rootLabel = new QLabel(QStringLiteral("Root Folder"), this);
    rootLabel->setBuddy(m_rootEdit);
    auto *subLabel = new QLabel(
        QStringLiteral("Sub-folder to copy resources to (leave blank if same as root)"), this);
    subLabel->setBuddy(m_subEdit);
    fields->addWidget(nameLabel, 0, 0, 1, 2);
    fields->addWidget(m_nameEdit, 1, 0, 1, 2);
    fields->addWidget(rootLabel, 2, 0, 1, 2);
    fields->addWidget(m_rootEdit, 3, 0);
    fields->addWidget(m_browseButton, 3, 1);
    fields->addWidget(subLabel, 4, 0, 1, 2);
    fields->addWidget(m_subEdit, 5, 0, 1, 2);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_addButton);
    buttons->addWidget(m_updateButton);
    buttons->addWidget(m_deleteButton);
    buttons->addStretch();
    buttons->addWidget(m_closeButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(listLabel);
    layout->addWidget(m_list);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    connect(m_list, &QListWidget::itemSelectionChanged, this, &CSitesDlg::onSelectionChanged);
    connect(m_nameEdit, &QLineEdit::textChanged, this, &CSitesDlg::updateButtons);
    connect(m_rootEdit, &QLineEdit::textChanged, this, &CSitesDlg::updateButtons);
    connect(m_addButton, &QPushButton::clicked, this, &CSitesDlg::OnAddSite);
    connect(m_updateButton, &QPushButton::clicked, this, &CSitesDlg::OnUpdate);
    connect(m_deleteButton, &QPushButton::clicked, this, &CSitesDlg::OnDelete);
    connect(m_browseButton, &QPushButton::clicked, this, &CSitesDlg::OnBrowse);
    connect(m_closeButton, &QPushButton::clicked, this, &CSitesDlg::reject);

    for (const std::string &name : SiteDefinitions(m_profile).Names())
        m_list->addItem(new SiteItem(toQt(name)));
    UpdateData(false);
    updateButtons();
    m_nameEdit->setFocus();
}

void CSitesDlg::DoDataExchange(CDataExchange &dx)
{
    DDX_Text(dx, m_nameEdit, m_name);
    DDX_Text(dx, m_rootEdit, m_rootFolder);
    DDX_Text(dx, m_subEdit, m_subFolder);
}

void CSitesDlg::OnInitDialog()
{
    updateButtons();
    m_nameEdit->setFocus();
}

void CSitesDlg::updateButtons()
{
    const bool selected = !m_list->selectedItems().isEmpty();
    m_updateButton->setEnabled(selected);
    m_deleteButton->setEnabled(selected);

    const QString name = m_nameEdit->text();
    bool prefixTaken = false;
    for (int i = 0; i < m_list->count() && !name.isEmpty(); ++i)
        prefixTaken = prefixTaken || m_list->item(i)->text().startsWith(name, Qt::CaseInsensitive);
    m_addButton->setEnabled(!name.isEmpty() && !m_rootEdit->text().isEmpty() && !prefixTaken);
}

void CSitesDlg::onSelectionChanged()
{
    const QList<QListWidgetItem *> selected = m_list->selectedItems();
    if (!selected.isEmpty()) {
        SiteDefinitions sites(m_profile);
        const std::string name = fromQt(selected.first()->text());
        const std::string root = sites.RootFolder(name);
        m_name = toQt(name);
        m_rootFolder = toQt(root);
        m_subFolder = toQt(sites.SubFolder(root));
        UpdateData(false);
    }
    updateButtons();
}

void CSitesDlg::OnBrowse()
{
    UpdateData(true);
    QString folder;
    if (CFolderDialog::Run(this, QStringLiteral("Select folder to store the images"), QString(),
                           folder) &&
        !folder.isEmpty()) {
        m_rootFolder = folder;
        UpdateData(false);
    }
    updateButtons();
}

void CSitesDlg::OnAddSite()
{
    UpdateData(true);
    const std::string name = fromQt(m_name.trimmed());
    const std::string root = SiteDefinitions::NormalRoot(fromQt(m_rootFolder));
    const std::string sub = fromQt(m_subFolder.trimmed());
    if (name.empty() || root.empty())
        return;
    SiteDefinitions sites(m_profile);
    const std::string problem = sites.Validate(name, root, sub);
    if (!problem.empty()) {
        ShowMessageBox(this, toQt(problem), QMessageBox::Ok, QMessageBox::Warning);
        m_nameEdit->setFocus();
        return;
    }
    sites.Add(name, root, sub);
    m_profile.Save();

    auto *item = new SiteItem(toQt(name));
    m_list->addItem(item);
    m_list->setCurrentItem(item); // shows the stored values through the selection handler
    updateButtons();
}

void CSitesDlg::OnUpdate()
{
    const QList<QListWidgetItem *> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return;
    UpdateData(true);
    // Without a name or root folder the Add Site step would do nothing, and the site would just
    // be gone; keep it instead.
    const std::string name = fromQt(m_name.trimmed());
    const std::string root = SiteDefinitions::NormalRoot(fromQt(m_rootFolder));
    if (name.empty() || root.empty())
        return;
    const std::string problem = SiteDefinitions(m_profile).Validate(
        name, root, fromQt(m_subFolder.trimmed()), fromQt(selected.first()->text()));
    if (!problem.empty()) {
        ShowMessageBox(this, toQt(problem), QMessageBox::Ok, QMessageBox::Warning);
        return;
    }
    removeSelected();
    OnAddSite();
}

void CSitesDlg::OnDelete()
{
    const QList<QListWidgetItem *> selected = m_list->selectedItems();
    if (selected.isEmpty() || selected.first()->text().isEmpty())
        return;
    if (ShowMessageBox(this, QStringLiteral("Delete selected site definition"),
                       QMessageBox::Ok | QMessageBox::Cancel,
                       QMessageBox::Question) != QMessageBox::Ok)
        return;
    removeSelected();
    m_name.clear();
    m_rootFolder.clear();
    m_subFolder = QStringLiteral("Media");
    UpdateData(false);
    m_profile.Save();
    updateButtons();
}

void CSitesDlg::removeSelected()
{
    const QList<QListWidgetItem *> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return;
    const QSignalBlocker blocker(m_list);
    delete m_list->takeItem(m_list->row(selected.first()));
    m_list->clearSelection();
    writeList();
}

void CSitesDlg::writeList()
{
    std::vector<std::string> names;
    for (int i = 0; i < m_list->count(); ++i)
        names.push_back(fromQt(m_list->item(i)->text()));
    SiteDefinitions(m_profile).WriteList(names);
}
