#include "insert/CInsertMediaDlg.h"

#include "gallery/ShowPreview.h"
#include "insert/CBrowseEdit.h"
#include "insert/CMediaObject.h"
#include "insert/ObjectNames.h"
#include "toolkit/CDataExchange.h"
#include "toolkit/FilePicker.h"
#include "toolkit/QtBridge.h"
#include "util/FileUtil.h"
#include "util/StringUtil.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <algorithm>

namespace {

// A tip with a heading, shown in the light cyan of the insertion dialogs' tips.
QString Tip(const QString &heading, const QString &text)
{
    return QStringLiteral("<b>%1</b><br>%2").arg(heading.toHtmlEscaped(), text.toHtmlEscaped());
}

} // namespace

CInsertMediaDlg::CInsertMediaDlg(bool video, QWidget *parent)
    : CDialog(parent)
    , m_bVideo(video)
{
    setWindowTitle(QStringLiteral("Insert media"));
    setStyleSheet(QStringLiteral("QToolTip { background-color: rgb(227, 249, 249); color: black; "
                                 "border: 1px solid gray; }"));

    const auto check = [this](int id, const QString &text) {
        auto *box = new QCheckBox(text, this);
        box->setObjectName(QString::number(id));
        connect(box, &QCheckBox::clicked, this, &CInsertMediaDlg::RefreshPreview);
        return box;
    };
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("1003"));
    m_name->setToolTip(Tip(QStringLiteral("Type in the name"),
                           QStringLiteral("The name must be unique, start with an alpha character "
                                          "and have no embedded spaces")));
    m_source = new CBrowseEdit(this);
    m_source->setObjectName(QStringLiteral("1002"));
    m_source->setToolTip(Tip(QStringLiteral("Full path to source file"),
                             QStringLiteral("Type in the full path to the source file, or click "
                                            "on ... to browse and select it")));
    connect(m_source, &CBrowseEdit::textChanged, this, &CInsertMediaDlg::OnSourceChanged);
    m_autoRewind = check(1052, QStringLiteral("Auto rewind"));
    m_autoStart = check(1051, QStringLiteral("Auto start"));
    m_clickToPlay = check(1053, QStringLiteral("Click to play/pause"));
    m_mute = check(1054, QStringLiteral("Mute"));
    m_showControls = check(1058, QStringLiteral("Show controls"));
    m_showDisplay = check(1059, QStringLiteral("Show display"));
    m_showTracker = check(1060, QStringLiteral("Show tracker"));
    m_count = new QLineEdit(this);
    m_count->setObjectName(QStringLiteral("1057"));
    m_count->setMaximumWidth(48);
    m_play = new QRadioButton(QStringLiteral("Play"), this);
    m_play->setObjectName(QStringLiteral("1055"));
    connect(m_play, &QRadioButton::clicked, this, &CInsertMediaDlg::OnPlay);
    m_repeat = new QRadioButton(QStringLiteral("Repeat forever"), this);
    m_repeat->setObjectName(QStringLiteral("1056"));
    connect(m_repeat, &QRadioButton::clicked, this, &CInsertMediaDlg::OnRepeatForever);

    m_preview = new QWebEngineView(this);
    m_preview->setObjectName(QStringLiteral("1038"));
    // The preview runs the page's scripts: the script library plays the object there.
    m_preview->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, true);
    m_preview->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    m_preview->settings()->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
    m_preview->setContextMenuPolicy(Qt::NoContextMenu);
    m_preview->setMinimumSize(240, 200);
    m_preview->setUrl(QUrl(QStringLiteral("about:blank")));

    auto *top = new QGridLayout;
    auto *nameText = new QLabel(QStringLiteral("Name"), this);
    nameText->setBuddy(m_name);
    auto *sourceText = new QLabel(QStringLiteral("Source file"), this);
    sourceText->setBuddy(m_source->Edit());
    top->addWidget(nameText, 0, 0);
    top->addWidget(m_name, 0, 1);
    top->addWidget(sourceText, 1, 0);
    top->addWidget(m_source, 1, 1);

    auto *options = new QGroupBox(QStringLiteral("Options"), this);
    auto *optionsLayout = new QVBoxLayout(options);
    optionsLayout->addWidget(m_autoRewind);
    optionsLayout->addWidget(m_autoStart);
    optionsLayout->addWidget(m_clickToPlay);
    auto *countRow = new QHBoxLayout;
    countRow->addWidget(m_play);
    countRow->addWidget(m_count);
    countRow->addWidget(new QLabel(QStringLiteral("times"), options));
    countRow->addStretch();
    optionsLayout->addLayout(countRow);
    optionsLayout->addWidget(m_repeat);
    optionsLayout->addWidget(m_showControls);
    optionsLayout->addWidget(m_showDisplay);
    optionsLayout->addWidget(m_showTracker);
    optionsLayout->addStretch();

    auto *left = new QVBoxLayout;
    left->addWidget(options, 1);
    left->addWidget(m_mute);

    auto *previewBox = new QVBoxLayout;
    previewBox->addWidget(new QLabel(QStringLiteral("Preview"), this));
    previewBox->addWidget(m_preview, 1);

    auto *middle = new QHBoxLayout;
    middle->addLayout(left);
    middle->addLayout(previewBox, 1);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *insert =
        buttons->addButton(QStringLiteral("Insert!"), QDialogButtonBox::AcceptRole);
    insert->setObjectName(QStringLiteral("1"));
    insert->setDefault(true);
    QPushButton *cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CInsertMediaDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CInsertMediaDlg::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle, 1);
    layout->addWidget(buttons);
    resize(560, 420);
}

CInsertMediaDlg::~CInsertMediaDlg() = default;

int CInsertMediaDlg::FolderKind() const
{
    return m_bVideo ? filekind::Videos : filekind::Sounds;
}

void CInsertMediaDlg::DoDataExchange(CDataExchange &dx)
{
    DDX_Text(dx, m_name, m_strName);
    DDX_Text(dx, m_source->Edit(), m_strSource);
    DDX_Check(dx, m_autoRewind, m_bAutoRewind);
    DDX_Check(dx, m_autoStart, m_bAutoStart);
    DDX_Check(dx, m_clickToPlay, m_bClickToPlay);
    DDX_Check(dx, m_mute, m_bMute);
    DDX_Text(dx, m_count, m_strCount);
    if (dx.SaveAndValidate()) {
        m_nRepeat = m_repeat->isChecked() ? 1 : 0;
    } else {
        (m_nRepeat == 1 ? m_repeat : m_play)->setChecked(true);
        m_count->setEnabled(m_nRepeat != 1);
    }
    DDX_Check(dx, m_showControls, m_bShowControls);
    DDX_Check(dx, m_showDisplay, m_bShowDisplay);
    DDX_Check(dx, m_showTracker, m_bShowTracker);
}

void CInsertMediaDlg::OnInitDialog()
{
    if (!m_strName.isEmpty())
        RefreshPreview();
    m_source->SetStartFolder(GetLastFolder(FolderKind()));
    m_name->setFocus();
}

std::int16_t CInsertMediaDlg::PlayCount(const QString &countText)
{
    const long value = util::ParseDecimal(fromQt(countText));
    return std::int16_t(std::clamp<long>(value, INT16_MIN, INT16_MAX));
}

CMediaObject CInsertMediaDlg::MediaObject() const
{
    CMediaObject media;
    media.m_strName = fromQt(m_strName);
    media.m_strValue = fromQt(m_strSource);
    media.m_bAutoRewind = m_bAutoRewind;
    media.m_bAutoStart = m_bAutoStart;
    media.m_bClickToPlay = m_bClickToPlay;
    media.m_bMute = m_bMute;
    media.m_nPlayCount = PlayCount(m_strCount);
    media.m_bShowControls = m_bShowControls;
    media.m_bShowDisplay = m_bShowDisplay;
    media.m_bShowTracker = m_bShowTracker;
    return media;
}

void CInsertMediaDlg::NameFromSource()
{
    if (!m_strName.isEmpty())
        return;
    m_strName = toQt(UniqueNameFromPath(fromQt(m_strSource), {}));
    // Only the name box is refilled, so that typing in the Source box keeps its caret.
    m_name->setText(m_strName);
}

void CInsertMediaDlg::OnSourceChanged()
{
    // Only the two boxes are read: this also runs while the fields are being put into the
    // controls, when the check boxes below do not show their values yet.
    m_strName = m_name->text();
    m_strSource = m_source->Edit()->text();
    NameFromSource();
}

void CInsertMediaDlg::RefreshPreview()
{
    UpdateData(true);
    NameFromSource();
    ShowPreview(toQt(MediaObject().GetHtml()), m_preview);
}

void CInsertMediaDlg::OnPlay()
{
    m_count->setEnabled(true);
    RefreshPreview();
}

void CInsertMediaDlg::OnRepeatForever()
{
    UpdateData(true);
    m_strCount = QStringLiteral("0");
    UpdateData(false);
    m_count->setEnabled(false);
    RefreshPreview();
}

void CInsertMediaDlg::accept()
{
    if (!UpdateData(true))
        return;
    m_strName = toQt(MakeValidName(fromQt(m_strName), nullptr));
    UpdateData(false);
    if (!m_strSource.isEmpty())
        SetLastFolder(FolderKind(), toQt(util::PathFolder(fromQt(m_strSource))));
    QDialog::accept();
}
