#include "insert/CPreviewDlg.h"

#include "imagelib/CBmp.h"
#include "toolkit/FileDialog.h"
#include "toolkit/QtBridge.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include <cstring>

namespace {

// What the preview remembers for the run.
struct PreviewState
{
    QString currentFile;
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    bool showPreview = true;
};

PreviewState &State()
{
    static PreviewState state;
    return state;
}

// The owner-drawn area: paints the dialog's picture into PictureRect.
class PictureArea : public QWidget
{
public:
    PictureArea(const CPreviewDlg *dialog, QWidget *parent)
        : QWidget(parent)
        , m_dialog(dialog)
    {
        setObjectName(QStringLiteral("5001"));
        setMinimumSize(180, 150);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    }
    QSize sizeHint() const override { return QSize(180, 150); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().base());
        painter.setPen(palette().mid().color());
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        const QImage &picture = m_dialog->Picture();
        if (picture.isNull())
            return;
        const QRect target = CPreviewDlg::PictureRect(size(), picture.size());
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, picture);
    }

private:
    const CPreviewDlg *m_dialog;
};

QImage ToImage(const CDib &dib)
{
    const std::vector<uint8_t> rgba = dib.ToRgba();
    if (rgba.empty())
        return QImage();
    QImage image(dib.Width(), dib.Height(), QImage::Format_RGBA8888);
    if (image.isNull())
        return QImage();
    const size_t row = static_cast<size_t>(dib.Width()) * 4;
    for (int y = 0; y < dib.Height(); ++y)
        std::memcpy(image.scanLine(y), rgba.data() + row * static_cast<size_t>(y), row);
    return image;
}

} // namespace

CPreviewDlg::CPreviewDlg(bool open, const QString &defaultExtension, const QString &fileName,
                         const QString &filter, QWidget *parent)
    : QFileDialog(parent)
{
    // The panel goes into the dialog's own layout, which only Qt's dialog has.
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    setNameFilter(ToQtFileFilter(filter));
    if (!defaultExtension.isEmpty())
        setDefaultSuffix(defaultExtension);
    if (!fileName.isEmpty())
        selectFile(fileName);

    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("5000"));
    auto *areaColumn = new QVBoxLayout;
    areaColumn->addWidget(new QLabel(QStringLiteral("Preview"), panel));
    m_area = new PictureArea(this, panel);
    areaColumn->addWidget(m_area);
    auto *textColumn = new QVBoxLayout;
    for (int i = 0; i < 4; ++i) {
        m_texts[i] = new QLabel(panel);
        m_texts[i]->setObjectName(QString::number(5002 + i));
        m_texts[i]->setMinimumWidth(m_texts[i]->fontMetrics().horizontalAdvance(
            QStringLiteral("Colours: 2 (monocromatic)  ")));
        textColumn->addWidget(m_texts[i]);
    }
    textColumn->addStretch(1);
    m_showPreview = new QCheckBox(QStringLiteral("Show Preview"), panel);
    m_showPreview->setObjectName(QStringLiteral("5006"));
    textColumn->addWidget(m_showPreview);
    auto *panelLayout = new QHBoxLayout(panel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addLayout(areaColumn);
    panelLayout->addLayout(textColumn, 1);
    if (auto *grid = qobject_cast<QGridLayout *>(layout()))
        grid->addWidget(panel, grid->rowCount(), 0, 1, grid->columnCount());

    // Dialog ready.
    State().currentFile.clear();
    m_showPreview->setChecked(State().showPreview);
    connect(this, &QFileDialog::currentChanged, this, &CPreviewDlg::OnSelectionChanged);
    connect(m_showPreview, &QCheckBox::clicked, this, &CPreviewDlg::OnShowPreviewClicked);
}

int CPreviewDlg::DoModal()
{
    return exec();
}

QString CPreviewDlg::GetPathName() const
{
    if (result() != QDialog::Accepted)
        return QString();
    const QStringList files = selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

void CPreviewDlg::SetFolder(const QString &folder)
{
    if (!folder.isEmpty())
        setDirectory(folder);
}

QString CPreviewDlg::CurrentFile()
{
    return State().currentFile;
}

bool CPreviewDlg::ShowPreviewChoice()
{
    return State().showPreview;
}

void CPreviewDlg::SetShowPreviewChoice(bool show)
{
    State().showPreview = show;
}

QRect CPreviewDlg::PictureRect(const QSize &area, const QSize &picture)
{
    if (picture.isEmpty() || area.isEmpty())
        return QRect();
    const qint64 aw = area.width(), ah = area.height();
    const qint64 pw = picture.width(), ph = picture.height();
    // Compared with the area's own proportions, so that the picture never leaves the area.
    if (pw * ah >= ph * aw) {
        const int height = static_cast<int>(aw * ph / pw);
        return QRect(0, (area.height() - height) / 2, area.width(), height);
    }
    const int width = static_cast<int>(ah * pw / ph);
    return QRect((area.width() - width) / 2, 0, width, area.height());
}

QString CPreviewDlg::ColourText(int bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 1:
        return QStringLiteral("Colours: 2 (monocromatic)");
    case 4:
        return QStringLiteral("Colours: 16");
    case 8:
        return QStringLiteral("Colours: 256");
    case 16:
        return QStringLiteral("Colours: 65,536");
    case 24:
        return QStringLiteral("Colours: 16 millions");
    default:
        return QString();
    }
}

bool CPreviewDlg::IsPictureFile(const QString &path)
{
    static const QStringList extensions = {
        QStringLiteral("bmp"), QStringLiteral("pcx"),  QStringLiteral("tga"),
        QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("png"),
        QStringLiteral("tif"), QStringLiteral("tiff"), QStringLiteral("dib"),
        QStringLiteral("rle"), QStringLiteral("gif")};
    return extensions.contains(QFileInfo(path).suffix().toLower());
}

void CPreviewDlg::OnSelectionChanged(const QString &path)
{
    if (!m_showPreview->isChecked()) {
        State().currentFile.clear();
        return;
    }
    ShowFile(path.left(1024));
}

void CPreviewDlg::accept()
{
    State().currentFile.clear();
    QFileDialog::accept();
}

void CPreviewDlg::OnShowPreviewClicked(bool checked)
{
    State().showPreview = checked;
    if (checked) {
        const QStringList files = selectedFiles();
        OnSelectionChanged(files.isEmpty() ? QString() : files.first());
        return;
    }
    State().currentFile.clear();
    ClearPicture();
}

void CPreviewDlg::ShowFile(const QString &path)
{
    PreviewState &state = State();
    state.currentFile = path;
    if (path.isEmpty() || !IsPictureFile(path)) {
        ClearPicture();
        return;
    }
    CBmp bmp;
    if (!QFileInfo(path).isFile() || !bmp.Load(fromQt(path))) {
        // A picture that cannot be loaded is no current file either.
        state.currentFile.clear();
        ClearPicture();
        return;
    }
    const CBmp::Info info = bmp.GetInfo();
    m_picture = ToImage(bmp.Dib());
    state.width = info.width;
    state.height = info.height;
    state.bitsPerPixel = info.bitsPerPixel;
    m_texts[0]->setText(QStringLiteral("Width: %1 pixels").arg(info.width));
    m_texts[1]->setText(QStringLiteral("Height: %1 pixels").arg(info.height));
    m_texts[2]->setText(ColourText(info.bitsPerPixel));
    m_texts[3]->clear();
    m_area->update();
}

void CPreviewDlg::ClearPicture()
{
    m_picture = QImage();
    State().width = State().height = State().bitsPerPixel = 0;
    for (QLabel *text : m_texts)
        text->clear();
    m_area->update();
}
