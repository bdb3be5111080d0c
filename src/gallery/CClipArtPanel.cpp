#include "gallery/CClipArtPanel.h"

#include "imagelib/CBmp.h"
#include "toolkit/CommandIds.h"
#include "toolkit/QtBridge.h"

#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QPainter>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cstring>

namespace {

constexpr int kNodeRole = Qt::UserRole;
constexpr int kFilledRole = Qt::UserRole + 1;
// The preview keeps a picture no larger than this on either side: enough for the button at
// any sensible bar width, and a huge file does not stay in memory at full size.
constexpr int kMaxPreviewSide = 512;

struct KindButton
{
    int id;
    const char *folder;
    const char *icon;
};
// Top to bottom as the panel shows them.
const KindButton kKindButtons[4] = {
    {1051, "Animations", "clip-animations"},
    {1053, "Images", "clip-images"},
    {1054, "Sounds", "clip-sounds"},
    {1052, "Videos", "clip-videos"},
};

QIcon ProgramPicture(const char *name)
{
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

// The picture of a file as the image library reads it, transparency included, scaled down to
// the preview's largest size. Null when the file cannot be read.
QImage LoadPicture(const QString &path)
{
    CBmp bmp;
    if (!bmp.Load(fromQt(path)))
        return QImage();
    const CDib &dib = bmp.Dib();
    const std::vector<uint8_t> rgba = dib.ToRgba();
    if (rgba.empty() || dib.Width() <= 0 || dib.Height() <= 0)
        return QImage();
    QImage image(dib.Width(), dib.Height(), QImage::Format_RGBA8888);
    if (image.isNull())
        return QImage();
    const size_t row = static_cast<size_t>(dib.Width()) * 4;
    for (int y = 0; y < dib.Height(); ++y)
        std::memcpy(image.scanLine(y), rgba.data() + row * static_cast<size_t>(y), row);
    // A 32-bit picture keeps its alpha in the fourth byte (PNG with transparency); a picture
    // whose fourth bytes are all zero never had one (32-bit BMP) and stays opaque.
    if (dib.BitCount() == 32) {
        bool hasAlpha = false;
        for (int y = 0; y < dib.Height() && !hasAlpha; ++y) {
            const uint8_t *row = dib.RowFromTop(y);
            for (int x = 0; x < dib.Width() && !hasAlpha; ++x)
                hasAlpha = row[4 * x + 3] != 0;
        }
        for (int y = 0; hasAlpha && y < dib.Height(); ++y) {
            const uint8_t *row = dib.RowFromTop(y);
            uint8_t *px = image.scanLine(y);
            for (int x = 0; x < dib.Width(); ++x)
                px[4 * x + 3] = row[4 * x + 3];
        }
    }
    if (bmp.IsTransparent()) {
        const uint32_t key = bmp.TransparentColour(); // 0x00BBGGRR
        for (int y = 0; y < image.height(); ++y) {
            uint8_t *px = image.scanLine(y);
            for (int x = 0; x < image.width(); ++x, px += 4) {
                if (px[0] == (key & 0xff) && px[1] == ((key >> 8) & 0xff) &&
                    px[2] == ((key >> 16) & 0xff))
                    px[3] = 0;
            }
        }
    }
    if (image.width() > kMaxPreviewSide || image.height() > kMaxPreviewSide)
        image = image.scaled(kMaxPreviewSide, kMaxPreviewSide, Qt::KeepAspectRatio,
                             Qt::SmoothTransformation);
    return image;
}

} // namespace

// The large preview button: the picture itself, fitted into the button and centred, or the
// symbol its caption names.
class CClipArtPanel::PreviewButtonWidget : public QToolButton
{
public:
    explicit PreviewButtonWidget(QWidget *parent)
        : QToolButton(parent)
    {
        setMinimumSize(96, 96);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }

    void Show(const QImage &picture, const QIcon &symbol)
    {
        m_picture = picture;
        m_symbol = symbol;
        update();
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QToolButton::paintEvent(event);
        QPainter painter(this);
        const QRect area = rect().adjusted(6, 6, -6, -6);
        if (!m_picture.isNull()) {
            QSize size = m_picture.size();
            if (size.width() > area.width() || size.height() > area.height())
                size.scale(area.size(), Qt::KeepAspectRatio);
            QRect target(QPoint(0, 0), size);
            target.moveCenter(area.center());
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(target, m_picture);
        } else if (!m_symbol.isNull()) {
            const int side = std::min({area.width(), area.height(), 64});
            QRect target(0, 0, side, side);
            target.moveCenter(area.center());
            m_symbol.paint(&painter, target, Qt::AlignCenter,
                           isEnabled() ? QIcon::Normal : QIcon::Disabled);
        }
    }

private:
    QImage m_picture;
    QIcon m_symbol;
};

CClipArtPanel::CClipArtPanel(const QString &folder, QWidget *parent)
    : QWidget(parent)
    , m_folder(folder.isEmpty() ? toQt(gallery::ClipArtFolder()) : folder)
    , m_model(gallery::ClipArtTree::Build(fromQt(m_folder)))
    , m_tree(new QTreeWidget(this))
    , m_preview(new PreviewButtonWidget(this))
    , m_caption(QStringLiteral("W:7~U:<NONE~"))
{
    if (!m_folder.endsWith(QLatin1Char('/')))
        m_folder += QLatin1Char('/');
    setObjectName(QStringLiteral("132"));

    m_tree->setObjectName(QStringLiteral("1049"));
    m_tree->setToolTip(QStringLiteral("Select from the list of existing images"));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setRootIsDecorated(true);
    m_tree->setUniformRowHeights(true); // keeps large folders quick to show and scroll
    m_tree->setContextMenuPolicy(Qt::DefaultContextMenu);
    m_tree->installEventFilter(this);
    m_tree->viewport()->installEventFilter(this);

    m_preview->setObjectName(QStringLiteral("1000"));
    m_preview->setToolTip(QStringLiteral("Object Preview and Insert"));
    m_preview->setAutoRaise(false);

    auto *kinds = new QVBoxLayout;
    kinds->setSpacing(2);
    for (int i = 0; i < 4; ++i) {
        auto *button = new QToolButton(this);
        button->setObjectName(QString::number(kKindButtons[i].id));
        button->setToolTip(QLatin1String(kKindButtons[i].folder));
        button->setIcon(ProgramPicture(kKindButtons[i].icon));
        button->setIconSize(QSize(24, 24));
        button->setMinimumSize(32, 32);
        const QString name = QLatin1String(kKindButtons[i].folder);
        connect(button, &QToolButton::clicked, this, [this, name] { JumpToFolder(name); });
        kinds->addWidget(button);
        m_kindButtons[i] = button;
    }
    kinds->addStretch(1);

    auto *top = new QHBoxLayout;
    top->addWidget(m_preview, 1);
    top->addLayout(kinds);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(top);
    layout->addWidget(m_tree, 1);
    // The preview a square-ish part of the bar, the tree the rest.
    m_preview->setMinimumHeight(4 * 34);

    connect(m_preview, &QToolButton::clicked, this, [this] { Send(cmd::GalleryActivate); });
    connect(m_tree, &QTreeWidget::itemExpanded, this, &CClipArtPanel::Fill);
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *item) {
        if (item == m_tree->currentItem())
            Send(cmd::GalleryActivate);
    });
    connect(m_tree, &QTreeWidget::currentItemChanged, this, &CClipArtPanel::OnCurrentItemChanged);

    QTreeWidgetItem *root = MakeItem(gallery::ClipArtTree::Root);
    m_tree->addTopLevelItem(root);
    Fill(root);
    m_tree->setCurrentItem(root);
    SetCaption(QStringLiteral("U:<NONE~"));
}

CClipArtPanel::~CClipArtPanel() = default;

QAbstractButton *CClipArtPanel::PreviewButton() const
{
    return m_preview;
}

QAbstractButton *CClipArtPanel::KindButton(int id) const
{
    for (int i = 0; i < 4; ++i) {
        if (kKindButtons[i].id == id)
            return m_kindButtons[i];
    }
    return nullptr;
}

QTreeWidgetItem *CClipArtPanel::MakeItem(int32_t node)
{
    const gallery::ClipArtTree::Node &entry = m_model.At(node);
    auto *item = new QTreeWidgetItem(QStringList(toQt(entry.name)));
    item->setData(0, kNodeRole, node);
    item->setData(0, kFilledRole, false);
    if (!entry.children.empty())
        item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return item;
}

int32_t CClipArtPanel::NodeOf(const QTreeWidgetItem *item) const
{
    return item ? item->data(0, kNodeRole).toInt() : -1;
}

void CClipArtPanel::Fill(QTreeWidgetItem *item)
{
    if (!item || item->data(0, kFilledRole).toBool())
        return;
    item->setData(0, kFilledRole, true);
    const std::vector<int32_t> &children = m_model.At(NodeOf(item)).children;
    QList<QTreeWidgetItem *> items;
    items.reserve(static_cast<qsizetype>(children.size()));
    for (int32_t child : children)
        items.append(MakeItem(child));
    item->addChildren(items);
}

QString CClipArtPanel::SelectedPath() const
{
    const QTreeWidgetItem *item = m_tree->currentItem();
    return item ? toQt(m_model.PathOf(NodeOf(item))) : QString();
}

QTreeWidgetItem *CClipArtPanel::ItemOfPath(const QString &path)
{
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.isEmpty() || parts.first() != m_tree->topLevelItem(0)->text(0))
        return nullptr;
    QTreeWidgetItem *item = m_tree->topLevelItem(0);
    for (qsizetype i = 1; i < parts.size() && item; ++i) {
        Fill(item);
        QTreeWidgetItem *found = nullptr;
        for (int c = 0; c < item->childCount() && !found; ++c) {
            if (item->child(c)->text(0) == parts[i])
                found = item->child(c);
        }
        item = found;
    }
    return item;
}

void CClipArtPanel::JumpToFolder(const QString &folderName)
{
    QTreeWidgetItem *root = m_tree->topLevelItem(0);
    const int32_t node = m_model.FindChild(gallery::ClipArtTree::Root, fromQt(folderName));
    if (node < 0)
        return;
    QTreeWidgetItem *item = nullptr;
    for (int c = 0; c < root->childCount() && !item; ++c) {
        if (NodeOf(root->child(c)) == node)
            item = root->child(c);
    }
    if (!item)
        return;
    m_tree->setCurrentItem(item);
    // Sorting keeps the items already made (and what is open below them).
    m_model.SortChildren(node);
    if (item->data(0, kFilledRole).toBool()) {
        QHash<int32_t, QTreeWidgetItem *> byNode;
        for (QTreeWidgetItem *child : item->takeChildren())
            byNode.insert(NodeOf(child), child);
        QList<QTreeWidgetItem *> ordered;
        for (int32_t child : m_model.At(node).children)
            ordered.append(byNode.value(child));
        item->addChildren(ordered);
    }
}

void CClipArtPanel::OnCurrentItemChanged(QTreeWidgetItem *current, QTreeWidgetItem *previous)
{
    // One branch open at a time: the new item opens, the branch left behind closes, except
    // where it leads to the new item.
    const auto isAncestorOfCurrent = [current](QTreeWidgetItem *item) {
        for (QTreeWidgetItem *at = current; at; at = at->parent()) {
            if (at == item)
                return true;
        }
        return false;
    };
    for (QTreeWidgetItem *at = previous; at; at = at->parent()) {
        if (!isAncestorOfCurrent(at))
            at->setExpanded(false);
    }
    if (current && m_model.At(NodeOf(current)).folder)
        current->setExpanded(true);

    if (!current) {
        m_currentPath.clear();
        SetCaption(QStringLiteral("U:<NONE~"));
        return;
    }
    // The root's own text names the clip-art folder itself.
    const QString selected = SelectedPath();
    const qsizetype slash = selected.indexOf(QLatin1Char('/'));
    m_currentPath = slash < 0 ? m_folder.chopped(1) : m_folder + selected.mid(slash + 1);
    SetCaption(toQt(gallery::PreviewCaption(fromQt(m_currentPath))));
}

void CClipArtPanel::SetCaption(const QString &caption)
{
    m_caption = caption;
    const QString picture = caption.mid(2, caption.size() - 3); // between "U:" and "~"
    m_picture = QImage();
    QIcon symbol;
    if (picture == QLatin1String("<BTNSND"))
        symbol = ProgramPicture("clip-sounds");
    else if (picture == QLatin1String("<BTNANM"))
        symbol = ProgramPicture("clip-videos");
    else if (picture.startsWith(QLatin1Char('<')))
        symbol = ProgramPicture("clip-none");
    else
        m_picture = LoadPicture(picture);
    m_preview->Show(m_picture, symbol);
}

void CClipArtPanel::Send(int id)
{
    if (gallery::CaptionAllowsCommands(fromQt(m_caption)))
        emit command(id);
}

bool CClipArtPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_tree && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            Send(cmd::GalleryActivate);
            return true;
        }
    }
    if ((watched == m_tree || watched == m_tree->viewport()) &&
        event->type() == QEvent::ContextMenu) {
        const auto *menu = static_cast<QContextMenuEvent *>(event);
        // A right click works on the item under the mouse: it becomes the selected one.
        if (menu->reason() == QContextMenuEvent::Mouse && watched == m_tree->viewport()) {
            if (QTreeWidgetItem *item = m_tree->itemAt(menu->pos()))
                m_tree->setCurrentItem(item);
        }
        m_menuPos = menu->globalPos();
        if (menu->reason() != QContextMenuEvent::Mouse) {
            // From the keyboard: at the selected item.
            if (QTreeWidgetItem *item = m_tree->currentItem())
                m_menuPos =
                    m_tree->viewport()->mapToGlobal(m_tree->visualItemRect(item).bottomLeft());
        }
        Send(cmd::GalleryContextMenu);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
