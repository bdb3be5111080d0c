#pragma once

#include <QString>
#include <QStringList>

class CCEditSite;
class QComboBox;
class QMenu;

// The three drop-downs of the format bar as the view drives them.
struct FormatBarLists
{
    QComboBox *blockFormat = nullptr;
    QComboBox *fontName = nullptr;
    QComboBox *fontSize = nullptr;
};

// Brings the drop-downs in line with the component's state at the selection: enabled exactly
// when the font-name command is; all three cleared while it is indeterminate; otherwise each
// list selects the first item that starts with the reported name (font name, block format) and
// the size list the reported size (1-7), unless the size is 0 or the one remembered before.
void RefreshFormatBar(CCEditSite &site, const FormatBarLists &lists);
// Clears the three lists and forgets the remembered size (no page, or indeterminate state).
void ClearFormatBar(const FormatBarLists &lists);
// The size the last refresh put into the size list (program-wide; 0 at start).
int RememberedFontSize();
void SetRememberedFontSize(int size);

// The block formats of the component (engine command 39), at most 32 names.
QStringList LoadBlockFormats(CCEditSite &site);
// The block-format menu: one item per name (at most 21, ids 32922 + n), the current format
// (engine command 27) radio-marked. The items carry their command id as data.
void FillBlockFormatMenu(QMenu *menu, const QStringList &names, const QString &current);
