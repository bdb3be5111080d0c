#include "insert/CFramesetDlg.h"

#include "insert/CBrowseEdit.h"

#include "pagetext/CHtmlText.h"
#include "sites/NewPage.h"
#include "sites/SiteFolderRow.h"
#include "toolkit/CDataExchange.h"
#include "toolkit/MessageBox.h"
#include "toolkit/QtBridge.h"
#include "util/ProfileFile.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kIconWidth = 44;
constexpr int kIconHeight = 34;

// The frame rectangles of a layout inside area, in frame order, matching the percentages that
// CFramesetObject writes.
QList<QRectF> layoutFrames(int layout, const QRectF &area)
{
    const qreal x = area.x(), y = area.y(), w = area.width(), h = area.height();
    const qreal w30 = w * 0.3, h30 = h * 0.3;
    switch (layout) {
    case CFramesetObject::TwoColumns:
        return {QRectF(x, y, w30, h), QRectF(x + w30, y, w - w30, h)};
    case CFramesetObject::TwoRows:
        return {QRectF(x, y, w, h30), QRectF(x, y + h30, w, h - h30)};
    case CFramesetObject::ColumnThenRows:
        return {QRectF(x, y, w30, h), QRectF(x + w30, y, w - w30, h30),
                QRectF(x + w30, y + h30, w - w30, h - h30)};
    case CFramesetObject::RowThenColumns: {
        const qreal w2 = w30; // the inner frameset splits 30%,70% too
        return {QRectF(x, y, w, h30), QRectF(x, y + h30, w2, h - h30),
                QRectF(x + w2, y + h30, w - w2, h - h30)};
    }
    case CFramesetObject::ThreeColumns:
        return {QRectF(x, y, w * 0.33, h), QRectF(x + w * 0.33, y, w * 0.33, h),
                QRectF(x + w * 0.66, y, w * 0.34, h)};
    case CFramesetObject::ThreeRows:
        return {QRectF(x, y, w, h * 0.33), QRectF(x, y + h * 0.33, w, h * 0.33),
                QRectF(x, y + h * 0.66, w, h * 0.34)};
    default:
        return {};
    }
}

// A small page split into its frames, each numbered as in the "Settings for: " list. The
// pressed picture shows the frames shaded, as a selected layout.
QPixmap layoutPixmap(int layout, bool pressed, qreal ratio)
{
    QPixmap pixmap(QSize(kIconWidth, kIconHeight) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QRectF page(1.5, 1.5, kIconWidth - 3, kIconHeight - 3);
    const QColor paper = pressed ? QColor(0xc8, 0xd8, 0xf0) : QColor(Qt::white);
    const QColor ink = pressed ? QColor(0x10, 0x30, 0x80) : QColor(0x30, 0x30, 0x30);
    QFont font = painter.font();
    font.setPixelSize(9);
    painter.setFont(font);
    int number = 1;
    for (const QRectF &frame : layoutFrames(layout, page)) {
        painter.setPen(QPen(ink, 1));
        painter.setBrush(paper);
        painter.drawRect(frame);
        painter.drawText(frame, Qt::AlignCenter, QString::number(number++));
    }
    return pixmap;
}

// Margin boxes: a text that is not a number (an emptied box) counts as 0.
int marginValue(const QSpinBox *box)
{
    bool ok = false;
    const int value = box->cleanText().trimmed().toInt(&ok);
    return ok ? value : 0;
}

} // namespace

CFramesetDlg::CFramesetDlg(ProfileFile &profile, QWidget *parent)
    : CDialog(parent)
    , m_profile(profile)
{
    setWindowTitle(QStringLiteral("Create Frameset"));

    const SiteFolderRow siteRow = SiteFolderRow::Make(this, QStringLiteral("siteFolderButton"));
    m_siteEdit = siteRow.edit;
    m_siteButton = siteRow.button;
    m_nameEdit = new QLineEdit(this);
    m_nameEdit->setObjectName(QStringLiteral("fileNameEdit"));

    m_layoutGroup = new QButtonGroup(this);
    m_layoutGroup->setExclusive(true);
    static const char *const kLayoutNames[6] = {"Two columns",         "Two rows",
                                                "Column and two rows", "Row and two columns",
                                                "Three columns",       "Three rows"};
    for (int layout = 0; layout < 6; ++layout) {
        auto *button = new QToolButton(this);
        button->setObjectName(QStringLiteral("layoutButton%1").arg(layout));
        button->setCheckable(true);
        button->setIcon(LayoutIcon(layout));
        button->setIconSize(QSize(kIconWidth, kIconHeight));
        button->setToolTip(QString::fromLatin1(kLayoutNames[layout]));
        button->setAccessibleName(button->toolTip());
        m_layoutGroup->addButton(button, layout);
        m_layoutButtons[layout] = button;
    }

    m_frameList = new QComboBox(this);
    m_frameList->setObjectName(QStringLiteral("frameList"));
    m_frameNameEdit = new QLineEdit(this);
    m_frameNameEdit->setObjectName(QStringLiteral("frameNameEdit"));
    // The source box is an edit with browse button: its "..." opens the picture-previewing
    // open dialog in the site folder.
    m_sourceBrowse = new CBrowseEdit(this);
    m_sourceEdit = m_sourceBrowse->Edit();
    m_sourceEdit->setObjectName(QStringLiteral("sourceEdit"));
    m_sourceButton = m_sourceBrowse->Button();
    m_sourceButton->setObjectName(QStringLiteral("sourceButton"));
    m_marginWidth = new QSpinBox(this);
    m_marginWidth->setObjectName(QStringLiteral("marginWidthBox"));
    m_marginHeight = new QSpinBox(this);
    m_marginHeight->setObjectName(QStringLiteral("marginHeightBox"));
    for (QSpinBox *box : {m_marginWidth, m_marginHeight}) {
        box->setRange(0, 32767); // the margins are 16-bit pixel counts
        box->setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    }
    m_resizeCheck = new QCheckBox(QStringLiteral("Allow Resize"), this);
    m_resizeCheck->setObjectName(QStringLiteral("resizeCheck"));
    auto *scrollingGroup = new QGroupBox(QStringLiteral("Scrolling"), this);
    static const char *const kScrolling[3] = {"Yes", "No", "Auto"};
    auto *scrollingLayout = new QHBoxLayout(scrollingGroup);
    for (int i = 0; i < 3; ++i) {
        m_scrolling[i] = new QRadioButton(QString::fromLatin1(kScrolling[i]), scrollingGroup);
        m_scrolling[i]->setObjectName(QStringLiteral("scrolling%1").arg(kScrolling[i]));
        scrollingLayout->addWidget(m_scrolling[i]);
    }

    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setObjectName(QStringLiteral("okButton"));
    m_okButton->setDefault(true);
    m_cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    m_cancelButton->setAutoDefault(false);

    auto *top = new QGridLayout;
    auto *nameLabel = new QLabel(QStringLiteral("File name"), this);
    nameLabel->setBuddy(m_nameEdit);
    siteRow.AddTo(top, 0);
    top->addWidget(nameLabel, 1, 0);
    top->addWidget(m_nameEdit, 1, 1, 1, 2);

    auto *layouts = new QHBoxLayout;
    for (QToolButton *button : m_layoutButtons)
        layouts->addWidget(button);
    layouts->addStretch();

    auto *frame = new QGridLayout;
    auto *settingsLabel = new QLabel(QStringLiteral("Settings for: "), this);
    settingsLabel->setBuddy(m_frameList);
    auto *frameNameLabel = new QLabel(QStringLiteral("Name"), this);
    frameNameLabel->setBuddy(m_frameNameEdit);
    auto *sourceLabel = new QLabel(QStringLiteral("Source"), this);
    sourceLabel->setBuddy(m_sourceEdit);
    auto *widthLabel = new QLabel(QStringLiteral("Margin Width"), this);
    widthLabel->setBuddy(m_marginWidth);
    auto *heightLabel = new QLabel(QStringLiteral("Margin Height"), this);
    heightLabel->setBuddy(m_marginHeight);
    frame->addWidget(settingsLabel, 0, 0);
    frame->addWidget(m_frameList, 0, 1);
    frame->addWidget(frameNameLabel, 1, 0);
    frame->addWidget(m_frameNameEdit, 1, 1, 1, 3);
    frame->addWidget(sourceLabel, 2, 0);
    frame->addWidget(m_sourceBrowse, 2, 1, 1, 3);
    frame->addWidget(widthLabel, 3, 0);
    frame->addWidget(m_marginWidth, 3, 1);
    frame->addWidget(heightLabel, 3, 2);
    frame->addWidget(m_marginHeight, 3, 3);
    frame->addWidget(m_resizeCheck, 4, 0, 1, 2);
    frame->addWidget(scrollingGroup, 4, 2, 1, 2);
    frame->setColumnStretch(1, 1);
    frame->setColumnStretch(3, 1);

    auto *left = new QVBoxLayout;
    left->addLayout(top);
    left->addLayout(layouts);
    left->addLayout(frame);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    buttons->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);

    connect(m_siteButton, &QPushButton::clicked, this, &CFramesetDlg::OnBrowseSite);
    connect(m_nameEdit, &QLineEdit::textChanged, this, &CFramesetDlg::updateOk);
    connect(m_layoutGroup, &QButtonGroup::idClicked, this, &CFramesetDlg::SelectLayout);
    connect(m_frameList, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_bInitialized)
            showFrame(index);
    });
    connect(m_frameNameEdit, &QLineEdit::textChanged, this, &CFramesetDlg::takeFrame);
    connect(m_sourceEdit, &QLineEdit::textChanged, this, &CFramesetDlg::takeFrame);
    // The spin box reports only texts that are numbers, and its own steps never reach the
    // edit's signal; an emptied box must count too, so both are watched.
    for (QSpinBox *box : {m_marginWidth, m_marginHeight}) {
        connect(box->findChild<QLineEdit *>(), &QLineEdit::textChanged, this,
                &CFramesetDlg::takeFrame);
        connect(box, &QSpinBox::valueChanged, this, &CFramesetDlg::takeFrame);
    }
    connect(m_resizeCheck, &QCheckBox::clicked, this, &CFramesetDlg::takeFrame);
    for (QRadioButton *button : m_scrolling)
        connect(button, &QRadioButton::clicked, this, &CFramesetDlg::takeFrame);
    connect(m_okButton, &QPushButton::clicked, this, &CFramesetDlg::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &CFramesetDlg::reject);

    m_siteFolder = toQt(CurrentSiteFolder(m_profile));
    m_sourceBrowse->SetStartFolder(m_siteFolder);
    UpdateData(false);
    OnInitDialog();
}

QIcon CFramesetDlg::LayoutIcon(int layout)
{
    QIcon icon;
    for (qreal ratio : {1.0, 2.0}) {
        icon.addPixmap(layoutPixmap(layout, false, ratio), QIcon::Normal, QIcon::Off);
        icon.addPixmap(layoutPixmap(layout, true, ratio), QIcon::Normal, QIcon::On);
    }
    return icon;
}

QString CFramesetDlg::FramesetPath(const QString &siteFolder, const QString &fileName)
{
    QString path = siteFolder;
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    path += fileName;
    // Only the file name decides: a dot in a folder name must not stop the extension.
    if (!fileName.contains(QLatin1Char('.')))
        path += QStringLiteral(".html");
    return path;
}

void CFramesetDlg::DoDataExchange(CDataExchange &dx)
{
    DDX_Text(dx, m_siteEdit, m_siteFolder);
    DDX_Text(dx, m_nameEdit, m_fileName);
}

void CFramesetDlg::OnInitDialog()
{
    m_bInitialized = false;
    m_layoutButtons[m_nLayout]->setChecked(true);
    fillFrameList();
    showFrame(0);
    updateOk();
    m_nameEdit->setFocus();
    m_bInitialized = true;
}

void CFramesetDlg::fillFrameList()
{
    const bool wasInitialized = m_bInitialized;
    m_bInitialized = false;
    m_frameList->clear();
    for (int i = 0; i < CFramesetObject::FrameCount(m_nLayout); ++i)
        m_frameList->addItem(QStringLiteral("Frame %1").arg(i + 1));
    m_frameList->setCurrentIndex(0);
    m_bInitialized = wasInitialized;
}

void CFramesetDlg::showFrame(int index)
{
    if (index < 0 || index >= static_cast<int>(m_frameset.m_frames.size()))
        return;
    const CFrameObject &frame = m_frameset.m_frames[index];
    const bool wasInitialized = m_bInitialized;
    m_bInitialized = false;
    m_frameNameEdit->setText(toQt(frame.m_strName));
    m_sourceEdit->setText(toQt(frame.m_strValue));
    m_marginWidth->setValue(frame.m_nMarginWidth);
    m_marginHeight->setValue(frame.m_nMarginHeight);
    m_resizeCheck->setChecked(frame.m_bResize);
    const int scrolling = frame.m_nScrolling >= 0 && frame.m_nScrolling <= 2
                              ? frame.m_nScrolling
                              : int(CFrameObject::ScrollAuto);
    m_scrolling[scrolling]->setChecked(true);
    m_bInitialized = wasInitialized;
}

void CFramesetDlg::takeFrame()
{
    if (!m_bInitialized)
        return;
    const int index = m_frameList->currentIndex();
    if (index < 0 || index >= static_cast<int>(m_frameset.m_frames.size()))
        return;

    // A source given as a full path to an existing file keeps only the file name: the frame
    // pages are expected beside the frameset file, and nothing is copied there.
    const QString source = m_sourceEdit->text();
    const QFileInfo sourceInfo(source);
    if (sourceInfo.isAbsolute() && sourceInfo.isFile()) {
        m_bInitialized = false;
        m_sourceEdit->setText(sourceInfo.fileName());
        m_bInitialized = true;
    }

    CFrameObject &frame = m_frameset.m_frames[index];
    frame.m_strName = fromQt(m_frameNameEdit->text());
    frame.m_strValue = fromQt(m_sourceEdit->text());
    frame.m_nMarginWidth = static_cast<std::int16_t>(marginValue(m_marginWidth));
    frame.m_nMarginHeight = static_cast<std::int16_t>(marginValue(m_marginHeight));
    frame.m_bResize = m_resizeCheck->isChecked();
    frame.m_nScrolling = CFrameObject::ScrollAuto;
    for (int i = 0; i < 3; ++i) {
        if (m_scrolling[i]->isChecked())
            frame.m_nScrolling = static_cast<std::int16_t>(i);
    }
}

void CFramesetDlg::SelectLayout(int layout)
{
    if (layout < 0 || layout > 5)
        return;
    m_nLayout = layout;
    m_layoutButtons[layout]->setChecked(true);
    fillFrameList();
    showFrame(0);
}

void CFramesetDlg::updateOk()
{
    m_okButton->setEnabled(!m_nameEdit->text().isEmpty());
}

void CFramesetDlg::OnBrowseSite()
{
    UpdateData(true);
    if (!SiteFolderRow::Pick(this, m_profile, m_siteFolder))
        return;
    m_sourceBrowse->SetStartFolder(m_siteFolder);
    UpdateData(false);
}

void CFramesetDlg::accept()
{
    if (!UpdateData(true) || m_fileName.isEmpty())
        return;
    // The name is a file in the site folder, never a path leading out of it.
    if (m_fileName.contains(QLatin1Char('/')) || m_fileName == QLatin1String(".") ||
        m_fileName == QLatin1String("..")) {
        ShowMessageBox(this, toQt(std::string(kInvalidFileNameMessage)));
        m_nameEdit->setFocus();
        return;
    }
    const QString path = FramesetPath(m_siteFolder, m_fileName);
    if (QFileInfo::exists(path) &&
        ShowMessageBox(this, path + QStringLiteral(" already exists. Do you want to replace it?"),
                       QMessageBox::Yes | QMessageBox::No,
                       QMessageBox::Warning) != QMessageBox::Yes) {
        m_nameEdit->setFocus();
        return;
    }

    m_frameset.m_nLayout = static_cast<std::int16_t>(m_nLayout);
    m_strHtml = m_frameset.GetHtml();
    std::string error;
    if (!WriteTextFile(m_strHtml, fromQt(path), &error)) {
        ShowMessageBox(
            this, QStringLiteral("The file %1 could not be written.\n%2").arg(path, toQt(error)),
            QMessageBox::Ok, QMessageBox::Warning);
        return;
    }
    m_writtenPath = path;
    QDialog::accept();
}
