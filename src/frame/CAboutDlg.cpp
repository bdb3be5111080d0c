#include "frame/CAboutDlg.h"

#include "frame/CommandIcons.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>

#include <algorithm>

CAboutDlg::CAboutDlg(QWidget *parent)
    : CDialog(parent)
{
    setWindowTitle(QStringLiteral("About Pelion Web Builder"));
    auto *icon = new QLabel(this);
    icon->setPixmap(BundledIcon(QStringLiteral("pelion")).pixmap(32, 32));
    auto *title = new QLabel(QStringLiteral("Pelion Web Builder v1.5"), this);
    title->setObjectName(QStringLiteral("title"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CAboutDlg::accept);

    auto *layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, Qt::AlignTop);
    layout->addWidget(title, 0, 1);
    layout->addWidget(buttons, 1, 0, 1, 2);
    layout->setColumnStretch(1, 1);

    // Wide enough for its own title in the window's title bar (with room for the buttons
    // there), and never smaller than a comfortable box.
    const QFontMetrics titleMetrics(font());
    const int titleWidth = titleMetrics.horizontalAdvance(windowTitle()) + 160;
    setMinimumSize(std::max({360, titleWidth, sizeHint().width()}),
                   std::max(140, sizeHint().height()));
}
