#include "page/FormatBarSync.h"

#include "engine/EngineIds.h"
#include "page/CCEditSite.h"
#include "toolkit/CommandIds.h"

#include <QActionGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>

static int s_rememberedSize = 0;

int RememberedFontSize()
{
    return s_rememberedSize;
}

void SetRememberedFontSize(int size)
{
    s_rememberedSize = size;
}

void ClearFormatBar(const FormatBarLists &lists)
{
    for (QComboBox *list : {lists.blockFormat, lists.fontName, lists.fontSize}) {
        if (!list)
            continue;
        list->setCurrentIndex(-1);
        if (list->lineEdit())
            list->lineEdit()->clear();
    }
    // A cleared size list shows nothing, so the next reported size must be put in again.
    s_rememberedSize = 0;
}

// Selects the first item that starts with name. An editable list that has no such item shows
// the name in its edit field, so that it never shows a name the selection does not have.
static void SelectByName(QComboBox *list, const QString &name)
{
    if (!list || name.isEmpty() || name == list->currentText())
        return;
    for (int i = 0; i < list->count(); ++i) {
        if (list->itemText(i).startsWith(name, Qt::CaseInsensitive)) {
            list->setCurrentIndex(i);
            return;
        }
    }
    if (list->isEditable()) {
        list->setCurrentIndex(-1);
        list->setEditText(name);
    }
}

void RefreshFormatBar(CCEditSite &site, const FormatBarLists &lists)
{
    const int flags = site.QueryEngineCommand(EngineId::FontName);
    const bool enabled = flags & EngineFlag::Enabled;
    for (QComboBox *list : {lists.blockFormat, lists.fontName, lists.fontSize}) {
        if (list)
            list->setEnabled(enabled);
    }
    if (flags & EngineFlag::Indeterminate) {
        ClearFormatBar(lists);
        return;
    }

    QVariant name;
    if (site.ExecEngineCommand(EngineId::FontName, QVariant(), &name, false))
        SelectByName(lists.fontName, name.toString());

    QVariant size;
    if (lists.fontSize && site.ExecEngineCommand(EngineId::FontSize, QVariant(), &size, false)) {
        bool ok = false;
        const int value = size.toInt(&ok);
        if (ok && value >= 1 && value <= lists.fontSize->count() && value != s_rememberedSize &&
            lists.fontSize->itemText(value - 1) != lists.fontSize->currentText()) {
            lists.fontSize->setCurrentIndex(value - 1);
            s_rememberedSize = value;
        }
    }

    QVariant format;
    if (site.ExecEngineCommand(EngineId::BlockFormat, QVariant(), &format, false))
        SelectByName(lists.blockFormat, format.toString());
}

QStringList LoadBlockFormats(CCEditSite &site)
{
    QVariant names;
    if (!site.ExecEngineCommand(EngineId::BlockFormatNames, QVariant(), &names, false))
        return QStringList();
    QStringList list = names.toStringList();
    if (list.size() > 32)
        list = list.mid(0, 32);
    return list;
}

void FillBlockFormatMenu(QMenu *menu, const QStringList &names, const QString &current)
{
    menu->clear();
    auto *group = new QActionGroup(menu);
    group->setExclusive(true);
    const int usable = cmd::TagMenuEnd - cmd::TagMenuBase + 1;
    for (int i = 0; i < names.size() && i < usable; ++i) {
        QAction *item = menu->addAction(names.at(i));
        item->setData(cmd::TagMenuBase + i);
        item->setCheckable(true);
        item->setChecked(names.at(i) == current);
        group->addAction(item);
    }
}
