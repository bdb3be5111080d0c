#include "sites/SiteFolderRow.h"

#include "sites/CFolderDialog.h"
#include "sites/NewPage.h"
#include "toolkit/QtBridge.h"
#include "util/ProfileFile.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

SiteFolderRow SiteFolderRow::Make(QWidget *parent, const QString &buttonName)
{
    SiteFolderRow row;
    row.edit = new QLineEdit(parent);
    row.edit->setObjectName(QStringLiteral("siteFolderEdit"));
    row.edit->setEnabled(false);
    row.button = new QPushButton(QStringLiteral("..."), parent);
    row.button->setObjectName(buttonName);
    row.button->setAutoDefault(false);
    row.button->setMaximumWidth(row.button->fontMetrics().horizontalAdvance(QStringLiteral("...")) +
                                24);
    return row;
}

void SiteFolderRow::AddTo(QGridLayout *grid, int row) const
{
    auto *label = new QLabel(QStringLiteral("Site folder"), edit->parentWidget());
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    grid->addWidget(button, row, 2);
}

bool SiteFolderRow::Pick(QWidget *parent, ProfileFile &profile, QString &folder)
{
    QString chosen;
    if (!CFolderDialog::Run(parent, QStringLiteral("Select site folder"), folder, chosen) ||
        chosen.isEmpty())
        return false;
    folder = chosen;
    SetCurrentSiteFolder(profile, fromQt(folder));
    profile.Save();
    return true;
}
