#include "gallery/CObjectsPanel.h"

#include "gallery/ObjectGallery.h"
#include "toolkit/MessageBox.h"
#include "toolkit/QtBridge.h"
#include "util/AppProfile.h"
#include "util/ProfileFile.h"

#include <QComboBox>
#include <QImageReader>
#include <QListWidget>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace {

constexpr int kIconSize = 32;

// Every picture an .ico file holds, so that the list can pick the 32 x 32 one; null when the
// file holds none that can be read.
QIcon LoadIcon(const QString &path)
{
    QIcon icon;
    QImageReader reader(path);
    for (int n = 0; n < 64; ++n) { // an .ico file holds a handful of sizes
        const QImage image = reader.read();
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
        if (!reader.jumpToNextImage())
            break;
    }
    return icon;
}

} // namespace

CObjectsPanel::CObjectsPanel(Target target, const QIcon &fallbackIcon, QWidget *parent)
    : QWidget(parent)
    , m_target(std::move(target))
    , m_fallbackIcon(fallbackIcon)
    , m_objectsFolder(toQt(gallery::ObjectsFolder()))
    , m_categories(new QComboBox)
    , m_objects(new QListWidget)
{
    setObjectName(QStringLiteral("165"));
    m_categories->setObjectName(QStringLiteral("1062"));
    m_objects->setObjectName(QStringLiteral("1063"));
    m_objects->setViewMode(QListView::IconMode);
    m_objects->setIconSize(QSize(kIconSize, kIconSize));
    m_objects->setSelectionMode(QAbstractItemView::SingleSelection);
    m_objects->setResizeMode(QListView::Adjust); // re-arranged when the bar is resized
    m_objects->setMovement(QListView::Static);
    m_objects->setWordWrap(true);
    m_objects->setGridSize(QSize(96, 72));
    m_objects->setSortingEnabled(true);
    m_objects->viewport()->installEventFilter(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_categories);
    layout->addWidget(m_objects, 1);

    // The categories are read once; folders added later appear after a restart.
    for (const std::string &category : gallery::ObjectCategories(fromQt(m_objectsFolder)))
        m_categories->addItem(toQt(category));
    connect(m_categories, &QComboBox::currentIndexChanged, this, &CObjectsPanel::ShowCategory);
    connect(m_objects, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { InsertObject(item->text()); });
    ShowCategory();
}

QString CObjectsPanel::IniPath() const
{
    return toQt(
        gallery::ObjectsIniPath(fromQt(m_objectsFolder), fromQt(m_categories->currentText())));
}

void CObjectsPanel::ShowCategory()
{
    m_objects->clear();
    if (m_categories->currentIndex() < 0)
        return;
    const std::string folder = fromQt(m_objectsFolder) + fromQt(m_categories->currentText()) + "/";
    for (const gallery::ObjectEntry &object : gallery::ListObjects(folder)) {
        QIcon icon = LoadIcon(toQt(object.iconPath));
        if (icon.isNull())
            icon = m_fallbackIcon;
        new QListWidgetItem(icon, toQt(object.name), m_objects);
    }
    m_objects->sortItems(Qt::AscendingOrder);
}

void CObjectsPanel::ShowDescription(const QString &object)
{
    // Objects.ini is read afresh on every use: editing it takes effect without a restart.
    ProfileFile ini;
    ini.Load(fromQt(IniPath()), true);
    const gallery::ObjectSection section = gallery::ReadObjectSection(ini, fromQt(object));
    if (m_target.showStatus)
        m_target.showStatus(toQt(section.desc));
}

void CObjectsPanel::InsertObject(const QString &object)
{
    QString pagePath;
    if (!m_target.activePage || !m_target.activePage(&pagePath) || !m_target.insertHtml)
        return;
    ProfileFile ini;
    ini.Load(fromQt(IniPath()), true);
    const gallery::ObjectSection section = gallery::ReadObjectSection(ini, fromQt(object));
    const std::string html =
        gallery::PrepareObjectHtml(section, fromQt(pagePath), util::AppProfile());
    if (!m_target.insertHtml(toQt(html))) {
        ShowMessageBox(this, QStringLiteral("Error: inserting object failed"));
        return;
    }
    if (section.hasMessage)
        ShowMessageBox(this, toQt(section.message));
}

bool CObjectsPanel::eventFilter(QObject *watched, QEvent *event)
{
    // A click anywhere in the list, on an object or beside one, updates the status text.
    if (watched == m_objects->viewport() && event->type() == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton) {
            QListWidgetItem *item = m_objects->itemAt(mouse->position().toPoint());
            ShowDescription(item ? item->text() : QString());
        }
    }
    return QWidget::eventFilter(watched, event);
}
