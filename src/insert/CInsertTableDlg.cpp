#include "insert/CInsertTableDlg.h"

#include "insert/CTableObject.h"
#include "toolkit/CColorPickerButton.h"
#include "toolkit/CDataExchange.h"
#include "toolkit/MessageBox.h"
#include "toolkit/QtBridge.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {
constexpr int kBorderMin = 0;
constexpr int kBorderMax = 20;
} // namespace

CInsertTableDlg::CInsertTableDlg(const QString &prefix, QWidget *parent)
    : CDialog(parent)
    , m_crBackground(CTableObject::kNoColour)
    , m_strPrefix(prefix)
{
    setWindowTitle(QStringLiteral("Insert Table"));
    const auto edit = [this](int id, const QString &text) {
        auto *box = new QLineEdit(text, this);
        box->setObjectName(QString::number(id));
        box->setMaximumWidth(60);
        return box;
    };
    m_width = edit(1036, QStringLiteral("75"));
    m_rows = edit(1034, QStringLiteral("3"));
    m_columns = edit(1035, QStringLiteral("2"));
    m_spacing = edit(1042, QString());
    m_padding = edit(1041, QString());
    m_border = edit(1039, QStringLiteral("1"));
    m_pixels = new QRadioButton(QStringLiteral("Pixels"), this);
    m_pixels->setObjectName(QStringLiteral("1037"));
    m_percent = new QRadioButton(QStringLiteral("Percent"), this);
    m_percent->setObjectName(QStringLiteral("1038"));

    // The spin buttons of the Border box step its number within 0 to 20.
    auto *spin = new QWidget(this);
    spin->setObjectName(QStringLiteral("1040"));
    auto *spinLayout = new QVBoxLayout(spin);
    spinLayout->setContentsMargins(0, 0, 0, 0);
    spinLayout->setSpacing(0);
    for (const auto &[name, arrow, by] :
         {std::tuple{"up", Qt::UpArrow, 1}, std::tuple{"down", Qt::DownArrow, -1}}) {
        auto *button = new QToolButton(spin);
        button->setObjectName(QString::fromLatin1(name));
        button->setArrowType(arrow);
        button->setFixedSize(16, 11);
        button->setAutoRepeat(true);
        connect(button, &QToolButton::clicked, this, [this, by = by] { StepBorder(by); });
        spinLayout->addWidget(button);
    }

    m_color = new CColorPickerButton(this);
    m_color->setObjectName(QStringLiteral("1087"));
    m_color->SetDefaultColor(CTableObject::kNoColour);
    connect(m_color, &CColorPickerButton::colorChosen, this,
            [this] { m_crBackground = m_color->Color(); });

    const auto label = [this](const QString &text, QWidget *buddy) {
        auto *l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    auto *grid = new QGridLayout;
    grid->addWidget(label(QStringLiteral("Width"), m_width), 0, 0);
    grid->addWidget(m_width, 0, 1);
    auto *units = new QHBoxLayout;
    units->addWidget(m_pixels);
    units->addWidget(m_percent);
    grid->addLayout(units, 0, 2, 1, 3);
    grid->addWidget(label(QStringLiteral("Rows"), m_rows), 1, 0);
    grid->addWidget(m_rows, 1, 1);
    grid->addWidget(label(QStringLiteral("Columns"), m_columns), 1, 2);
    grid->addWidget(m_columns, 1, 3);
    grid->addWidget(label(QStringLiteral("Cell spacing"), m_spacing), 2, 0);
    grid->addWidget(m_spacing, 2, 1);
    grid->addWidget(label(QStringLiteral("Cell padding"), m_padding), 2, 2);
    grid->addWidget(m_padding, 2, 3);
    grid->addWidget(label(QStringLiteral("Border"), m_border), 3, 0);
    auto *border = new QHBoxLayout;
    border->setSpacing(1);
    border->addWidget(m_border);
    border->addWidget(spin);
    grid->addLayout(border, 3, 1);
    grid->addWidget(label(QStringLiteral("Background"), m_color), 3, 2);
    grid->addWidget(m_color, 3, 3, 1, 2);

    auto *buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("1"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CInsertTableDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CInsertTableDlg::reject);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addWidget(buttons);
}

void CInsertTableDlg::DoDataExchange(CDataExchange &dx)
{
    // Only the unit is exchanged; the numbers are read straight from their boxes on OK.
    if (dx.SaveAndValidate())
        m_nWidthUnit = m_pixels->isChecked() ? 0 : 1;
    else
        (m_nWidthUnit == 0 ? m_pixels : m_percent)->setChecked(true);
}

void CInsertTableDlg::StepBorder(int by)
{
    const long value = CTableObject::BoxValue(fromQt(m_border->text()));
    const long next = std::clamp<long>(value + by, kBorderMin, kBorderMax);
    m_border->setText(QString::number(next));
}

void CInsertTableDlg::accept()
{
    if (!UpdateData(true))
        return;
    CTableObject table;
    table.m_strPrefix = fromQt(m_strPrefix);
    table.m_nWidthUnit = m_nWidthUnit;
    table.m_crBackground = m_crBackground;
    table.m_strWidth = fromQt(m_width->text());
    table.m_strSpacing = fromQt(m_spacing->text());
    table.m_strBorder = fromQt(m_border->text());
    table.m_strRows = fromQt(m_rows->text());
    table.m_strColumns = fromQt(m_columns->text());
    table.m_strPadding = fromQt(m_padding->text());
    if (table.IsTooLarge()) {
        // A table of that size would be megabytes of text; say so instead of building it.
        ShowMessageBox(this,
                       QStringLiteral("The table is too large. Please enter fewer rows or "
                                      "columns."),
                       QMessageBox::Ok, QMessageBox::Warning);
        m_rows->setFocus();
        m_rows->selectAll();
        return;
    }
    if (!table.IsValid())
        return; // 0 rows or 0 columns: stays open, nothing said
    m_strHtml = toQt(table.GetHtml());
    QDialog::accept();
}

bool RunInsertTableDialog(QWidget *parent, QString &html)
{
    CInsertTableDlg dialog(QString(), parent);
    if (dialog.DoModal() != QDialog::Accepted)
        return false;
    html = dialog.m_strHtml;
    return true;
}
