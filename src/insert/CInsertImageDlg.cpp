#include "insert/CInsertImageDlg.h"

#include "gallery/ShowPreview.h"
#include "insert/CBrowseEdit.h"
#include "insert/CSoundRecorder.h"
#include "insert/InsertStrings.h"
#include "insert/ObjectNames.h"
#include "insert/RecordSound.h"
#include "toolkit/CDataExchange.h"
#include "toolkit/FilePicker.h"
#include "toolkit/MessageBox.h"
#include "toolkit/QtBridge.h"
#include "util/FileUtil.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <algorithm>
#include <iterator>
#include <vector>

namespace {

// Source and Rollover changes of the whole run: every third of four refreshes the preview.
int s_changeCounter = 0;

// After the last change that did not refresh, the preview catches up once typing pauses.
constexpr int kSettleMs = 50;

struct ToolTip
{
    int id;
    const char *text; // "\r" (or "\t") separates a heading from the explanation
};

const ToolTip kToolTips[] = {
    {1002, "Full path to source file\rType in the full path to the source file, or click on ... "
           "to browse and select it"},
    {1003, "Type in the name\rThe name must be unique, start with an alpha character and have no "
           "embedded spaces"},
    {1039, "Full path to gif, jpg, or a png file\rRollover image replaces the original image when "
           "the mouse is over it"},
    {1040, "Full path to the sound file\rType in the full path to the sound file, or click on ... "
           "to browse and select it"},
    {1041, "Clicking the image will produce no action"},
    {1042, "Create dynamically moveable image\rWhen the mouse is over the moveable image the "
           "cursor will change shape to a hand, allowing the user to click on the image and move "
           "it around"},
    {1043, "Clicking the image will start playing a sound file"},
    {1044, "'Pops up' another image\rMouse rollover will cause another (usually invisible) image "
           "to appear"},
    {1045, "Links the image to Index.html, which is the home page for Pelion-made Web sites"},
    {1046, "Links to the previous page\rClicking the image will navigate to the previous page.\n"
           "Pages have to be named PageName0001.html, PageName0002.html, etc., which will be done "
           "automatically if the pages are created with Pelion Web Builder."},
    {1047, "Links to the next page\rClicking the image will navigate to the next page.\nPages "
           "have to be named PageName0001.html, PageName0002.html, etc., which will be done "
           "automatically if the pages are created with Pelion Web Builder."},
    {1048, "Popup images are usually invisible, and only become visible when they are 'popped "
           "up' by another image."},
    {1049, "Select from the list of existing images"},
    {1050, "Select an existing image\rThe invisible popup image will appear when the mouse rolls "
           "over the source image and vanish when the mouse is moved away.\nIf the popup image "
           "is initially visible, 'pop' will make it disappear."},
    {1061, "Clicking changes the image source to a random image\rThe Source image have to be one "
           "of the images from a set. Every set must be numbered SetName0001.gif, "
           "SetName0002.gif, etc."},
    {1079, "Sound recorder\rBefore opening the sound recorder type in the name of the sound to "
           "record"},
    {1080, "Alternative text\tSome old browsers (Unix Lynx for example) cannot display images, "
           "they display alternative text instead"},
};

// A tip as rich text: the heading bold on its own line, line feeds kept.
QString TipHtml(const char *text)
{
    QString tip = QString::fromUtf8(text);
    qsizetype split = tip.indexOf(QLatin1Char('\r'));
    if (split < 0)
        split = tip.indexOf(QLatin1Char('\t'));
    QString html;
    if (split >= 0) {
        html = QStringLiteral("<b>%1</b><br>").arg(tip.left(split).toHtmlEscaped());
        tip = tip.mid(split + 1);
    }
    html += tip.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    return QStringLiteral("<p style='white-space:pre-wrap'>%1</p>").arg(html);
}

// The picture of the record button: a microphone on its stand.
QIcon MicrophoneIcon()
{
    const int size = 20;
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(40, 40, 40), 1.6));
    painter.setBrush(QColor(90, 90, 100));
    painter.drawRoundedRect(QRectF(7, 2, 6, 10), 3, 3);
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(4.5, 5, 11, 10), 180 * 16, 180 * 16);
    painter.drawLine(QPointF(10, 15), QPointF(10, 18));
    painter.drawLine(QPointF(7, 18.2), QPointF(13, 18.2));
    return QIcon(pixmap);
}

void DDX_Combo(CDataExchange &dx, QComboBox *combo, QString &value)
{
    if (dx.Failed())
        return;
    if (dx.SaveAndValidate())
        value = combo->currentText();
    else
        combo->setEditText(value);
}

void DDX_Radio(CDataExchange &dx, QButtonGroup *group, int &value)
{
    if (dx.Failed())
        return;
    if (dx.SaveAndValidate()) {
        value = std::max(0, group->checkedId());
    } else if (QAbstractButton *button = group->button(value)) {
        button->setChecked(true);
    }
}

QLineEdit *EditOf(CBrowseEdit *edit)
{
    return edit->Edit();
}

std::vector<std::string> ToNames(const QStringList &names)
{
    std::vector<std::string> out;
    out.reserve(static_cast<size_t>(names.size()));
    for (const QString &name : names)
        out.push_back(fromQt(name));
    return out;
}

} // namespace

CInsertImageDlg::CInsertImageDlg(const QStringList &pageImageNames, const QString &pagePath,
                                 const QString &resourceFolder, QWidget *parent)
    : CDialog(parent)
    , m_names(pageImageNames)
    , m_pagePath(pagePath)
    , m_resourceFolder(resourceFolder)
    , m_settle(new QTimer(this))
{
    setWindowTitle(QStringLiteral("Insert image"));
    setObjectName(QStringLiteral("159"));
    BuildControls();
    m_settle->setSingleShot(true);
    m_settle->setInterval(kSettleMs);
    // A quiet catch-up: the set-not-found message belongs to the counted refreshes.
    connect(m_settle, &QTimer::timeout, this, [this] { RefreshPreview(false); });
}

CInsertImageDlg::~CInsertImageDlg() = default;

void CInsertImageDlg::BuildControls()
{
    auto label = [this](const QString &text, QWidget *buddy) {
        auto *l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };

    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("1003"));
    m_source = new CBrowseEdit(this);
    m_source->setObjectName(QStringLiteral("1002"));
    m_alt = new QLineEdit(this);
    m_alt->setObjectName(QStringLiteral("1080"));

    auto *top = new QGridLayout;
    top->addWidget(label(QStringLiteral("Name"), m_name), 0, 0);
    top->addWidget(m_name, 0, 1);
    top->addWidget(label(QStringLiteral("Source"), m_source), 1, 0);
    top->addWidget(m_source, 1, 1);
    top->addWidget(label(QStringLiteral("Alt"), m_alt), 2, 0);
    top->addWidget(m_alt, 2, 1);

    auto *over = new QGroupBox(QStringLiteral(" When the mouse is over the image... "), this);
    m_rollover = new CBrowseEdit(over);
    m_rollover->setObjectName(QStringLiteral("1039"));
    m_hoverPopup = new QComboBox(over);
    m_hoverPopup->setObjectName(QStringLiteral("1050"));
    m_hoverPopup->setEditable(true);
    m_hoverPopup->setInsertPolicy(QComboBox::NoInsert);
    auto *overLayout = new QGridLayout(over);
    overLayout->addWidget(label(QStringLiteral("Rollover image"), m_rollover), 0, 0);
    overLayout->addWidget(m_rollover, 0, 1);
    overLayout->addWidget(label(QStringLiteral("Popup another image"), m_hoverPopup), 1, 0);
    overLayout->addWidget(m_hoverPopup, 1, 1);
    overLayout->setColumnStretch(1, 1);

    auto *clicked = new QGroupBox(QStringLiteral(" When the image is clicked... "), this);
    m_actions = new QButtonGroup(this);
    // Tab order, with the click action each button stands for.
    struct Radio
    {
        int id;
        const char *text;
        int action;
    };
    static const Radio radios[] = {
        {1041, "Do nothing", 0},          {1042, "Move the image", 1},
        {1045, "Go to home page", 2},     {1043, "Play a sound file ", 3},
        {1061, "Show random image", 4},   {1046, "Go to previous page", 5},
        {1044, "Popup another image", 6}, {1047, "Go to next page", 7},
    };
    QRadioButton *buttons[8] = {};
    for (const Radio &radio : radios) {
        auto *button = new QRadioButton(QString::fromLatin1(radio.text), clicked);
        button->setObjectName(QString::number(radio.id));
        m_actions->addButton(button, radio.action);
        buttons[radio.action] = button;
    }
    m_sound = new CBrowseEdit(clicked);
    m_sound->setObjectName(QStringLiteral("1040"));
    m_record = new QPushButton(clicked);
    m_record->setObjectName(QStringLiteral("1079"));
    m_record->setIcon(MicrophoneIcon());
    m_record->setIconSize(QSize(20, 20));
    m_record->setAccessibleName(QStringLiteral("Sound recorder"));
    m_clickPopup = new QComboBox(clicked);
    m_clickPopup->setObjectName(QStringLiteral("1049"));
    m_clickPopup->setEditable(true);
    m_clickPopup->setInsertPolicy(QComboBox::NoInsert);

    auto *clickLayout = new QGridLayout(clicked);
    clickLayout->addWidget(buttons[ClickNothing], 0, 0);
    clickLayout->addWidget(buttons[ClickGoHome], 0, 1);
    clickLayout->addWidget(buttons[ClickMove], 1, 0);
    clickLayout->addWidget(buttons[ClickGoPrevious], 1, 1);
    clickLayout->addWidget(buttons[ClickRandomImage], 2, 0);
    clickLayout->addWidget(buttons[ClickGoNext], 2, 1);
    auto *soundRow = new QHBoxLayout;
    soundRow->addWidget(m_sound, 1);
    soundRow->addWidget(m_record);
    clickLayout->addWidget(buttons[ClickPlaySound], 3, 0);
    clickLayout->addLayout(soundRow, 3, 1);
    clickLayout->addWidget(buttons[ClickPopup], 4, 0);
    clickLayout->addWidget(m_clickPopup, 4, 1);
    clickLayout->setColumnStretch(1, 1);

    m_invisible = new QCheckBox(QStringLiteral("Invisible"), this);
    m_invisible->setObjectName(QStringLiteral("1048"));
    m_link = new CBrowseEdit(this);
    m_link->setObjectName(QStringLiteral("1051"));
    auto *bottom = new QGridLayout;
    bottom->addWidget(m_invisible, 0, 0, 1, 2);
    bottom->addWidget(label(QStringLiteral("Link"), m_link), 1, 0);
    bottom->addWidget(m_link, 1, 1);

    m_browser = new QWebEngineView(this);
    m_browser->setObjectName(QStringLiteral("1038"));
    m_browser->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, true);
    m_browser->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    m_browser->setContextMenuPolicy(Qt::NoContextMenu);
    m_browser->setMinimumSize(240, 200);
    m_browser->setFocusPolicy(Qt::NoFocus);
    auto *previewColumn = new QVBoxLayout;
    previewColumn->addWidget(new QLabel(QStringLiteral("Preview image"), this));
    previewColumn->addWidget(m_browser, 1);

    auto *fields = new QVBoxLayout;
    fields->addLayout(top);
    fields->addWidget(over);
    fields->addWidget(clicked);
    fields->addLayout(bottom);
    fields->addStretch(1);

    auto *box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    box->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("1"));
    box->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("2"));
    connect(box, &QDialogButtonBox::accepted, this, &CInsertImageDlg::accept);
    connect(box, &QDialogButtonBox::rejected, this, &CInsertImageDlg::reject);

    auto *columns = new QHBoxLayout;
    columns->addLayout(fields, 3);
    columns->addLayout(previewColumn, 2);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addWidget(box);

    // Tab order of the dialog resource.
    QWidget *order[] = {m_name,
                        EditOf(m_source),
                        m_source->Button(),
                        m_alt,
                        EditOf(m_rollover),
                        m_rollover->Button(),
                        m_hoverPopup,
                        buttons[ClickNothing],
                        buttons[ClickMove],
                        buttons[ClickGoHome],
                        buttons[ClickPlaySound],
                        buttons[ClickRandomImage],
                        buttons[ClickGoPrevious],
                        buttons[ClickPopup],
                        buttons[ClickGoNext],
                        EditOf(m_sound),
                        m_sound->Button(),
                        m_record,
                        m_clickPopup,
                        m_invisible,
                        EditOf(m_link),
                        m_link->Button(),
                        box->button(QDialogButtonBox::Ok),
                        box->button(QDialogButtonBox::Cancel)};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(m_source, &CBrowseEdit::textChanged, this, &CInsertImageDlg::OnSourceOrRolloverChanged);
    connect(m_rollover, &CBrowseEdit::textChanged, this,
            &CInsertImageDlg::OnSourceOrRolloverChanged);
    connect(m_actions, &QButtonGroup::idClicked, this, &CInsertImageDlg::OnClickAction);
    connect(m_record, &QPushButton::clicked, this, &CInsertImageDlg::OnRecord);
    UpdateEnabling();
}

void CInsertImageDlg::CreateToolTips()
{
    setStyleSheet(QStringLiteral(
        "QToolTip { background-color: rgb(227, 249, 249); color: black; border: 1px solid "
        "rgb(120, 150, 150); }"));
    for (const ToolTip &tip : kToolTips) {
        if (auto *widget = findChild<QWidget *>(QString::number(tip.id)))
            widget->setToolTip(TipHtml(tip.text));
    }
}

void CInsertImageDlg::Preset(const ImagePreset &preset)
{
    m_strName = toQt(preset.name);
    m_strSource = toQt(preset.source);
    m_nClickAction = preset.clickAction;
}

ImageDialogValues CInsertImageDlg::Values() const
{
    ImageDialogValues values;
    values.name = fromQt(m_strName);
    values.source = fromQt(m_strSource);
    values.rollover = fromQt(m_strRollover);
    values.sound = fromQt(m_strSound);
    values.clickPopup = fromQt(m_strClickPopup);
    values.hoverPopup = fromQt(m_strHoverPopup);
    values.alt = fromQt(m_strAlt);
    values.link = fromQt(m_strLink);
    values.clickAction = m_nClickAction;
    values.invisible = m_nInvisible == 1;
    values.randomSetSize = m_nRandomSetSize;
    return values;
}

int CInsertImageDlg::ChangeCounter()
{
    return s_changeCounter;
}

void CInsertImageDlg::ResetChangeCounter()
{
    s_changeCounter = 0;
}

void CInsertImageDlg::DoDataExchange(CDataExchange &dx)
{
    DDX_Text(dx, m_name, m_strName);
    DDX_Text(dx, EditOf(m_rollover), m_strRollover);
    DDX_Text(dx, EditOf(m_source), m_strSource);
    DDX_Text(dx, EditOf(m_sound), m_strSound);
    DDX_Radio(dx, m_actions, m_nClickAction);
    bool invisible = m_nInvisible == 1;
    DDX_Check(dx, m_invisible, invisible);
    if (dx.SaveAndValidate())
        m_nInvisible = invisible ? 1 : 0;
    DDX_Combo(dx, m_clickPopup, m_strClickPopup);
    DDX_Combo(dx, m_hoverPopup, m_strHoverPopup);
    DDX_Text(dx, m_alt, m_strAlt);
    DDX_Text(dx, EditOf(m_link), m_strLink);
    if (!dx.SaveAndValidate())
        UpdateEnabling();
}

void CInsertImageDlg::OnInitDialog()
{
    // Both lists sorted as a sorted combo box keeps them; empty names stay as entries.
    QStringList sorted = m_names;
    std::stable_sort(sorted.begin(), sorted.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    m_clickPopup->addItems(sorted);
    m_hoverPopup->addItems(sorted);
    if (!m_names.isEmpty())
        m_clickPopup->setCurrentIndex(m_clickPopup->findText(m_names.first()));
    m_hoverPopup->setCurrentIndex(-1);
    m_hoverPopup->setEditText(m_strHoverPopup);
    m_name->setFocus();
    if (!m_strSource.isEmpty())
        RefreshPreview();
    CreateToolTips();
    for (CBrowseEdit *edit : {m_rollover, m_source, m_sound, m_link})
        edit->SetStartFolder(m_resourceFolder);
}

void CInsertImageDlg::OnSourceOrRolloverChanged()
{
    ++s_changeCounter;
    if (s_changeCounter == 3) {
        RefreshPreview();
    } else {
        if (s_changeCounter >= 4)
            s_changeCounter = 0;
        m_settle->start();
    }
}

void CInsertImageDlg::OnClickAction()
{
    UpdateData(true);
    UpdateEnabling();
    RefreshPreview();
}

void CInsertImageDlg::UpdateEnabling()
{
    const int action = m_actions->checkedId() < 0 ? m_nClickAction : m_actions->checkedId();
    m_sound->setEnabled(action == ClickPlaySound);
    m_record->setEnabled(action == ClickPlaySound);
    m_clickPopup->setEnabled(action == ClickPopup);
}

void CInsertImageDlg::RefreshPreview(bool reportMissingSet)
{
    m_settle->stop();
    UpdateData(true);
    if (m_strName.isEmpty()) {
        m_strName = toQt(UniqueNameFromPath(fromQt(m_strSource), ToNames(m_names)));
        UpdateData(false);
    }
    m_preview.m_strName = fromQt(m_strName);
    m_preview.m_strValue = fromQt(m_strSource);
    m_preview.m_strRollover = fromQt(m_strRollover);
    m_preview.m_strSound = fromQt(m_strSound);
    m_preview.m_nClickAction = static_cast<ClickAction>(m_nClickAction);
    if (m_nClickAction == ClickRandomImage) {
        m_nRandomSetSize = CountRandomSet(fromQt(m_strSource));
        if (m_nRandomSetSize == 0 && reportMissingSet)
            ShowMessageBox(this, toQt(InsertStrings::Get(InsertStrings::RandomSetNotFound)));
        m_preview.m_nRandomSetSize = static_cast<std::int16_t>(m_nRandomSetSize);
    }
    ShowPreview(toQt(m_preview.GetHtml()), m_browser);
    ++m_previewCount;
}

void CInsertImageDlg::OnRecord()
{
    UpdateData(true);
    if (m_strSound.isEmpty())
        return;
    m_strSound = RecordSound(m_strSound, m_pagePath, this);
    UpdateData(false);
}

void CInsertImageDlg::accept()
{
    if (!UpdateData(true))
        return;
    const std::vector<std::string> names = ToNames(m_names);
    m_strName = toQt(MakeValidName(fromQt(m_strName), &names));
    UpdateData(false);
    SetLastFolder(filekind::Images, toQt(util::PathFolder(fromQt(m_strSource))));
    if (!m_strSound.isEmpty())
        SetLastFolder(filekind::Sounds, toQt(util::PathFolder(fromQt(m_strSound))));
    CDialog::accept();
}

void CInsertImageDlg::done(int result)
{
    m_settle->stop();
    // A recorder opened from here outlives the dialog: it moves to the dialog's own window.
    QWidget *keeper = parentWidget() ? parentWidget()->window() : nullptr;
    for (CSoundRecorder *recorder : findChildren<CSoundRecorder *>(QString(), Qt::FindDirectChildrenOnly)) {
        const bool visible = recorder->isVisible();
        recorder->setParent(keeper, Qt::Window);
        if (visible)
            recorder->show();
    }
    CDialog::done(result);
}
