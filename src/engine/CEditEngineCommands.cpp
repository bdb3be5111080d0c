#include "engine/CEditEngine.h"

#include "engine/CEditEnginePrivate.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonObject>

#include <algorithm>
#include <iterator>

namespace {

const QStringList &BlockFormatNames()
{
    static const QStringList names = {
        QStringLiteral("Normal"),    QStringLiteral("Heading 1"), QStringLiteral("Heading 2"),
        QStringLiteral("Heading 3"), QStringLiteral("Heading 4"), QStringLiteral("Heading 5"),
        QStringLiteral("Heading 6"), QStringLiteral("Formatted"), QStringLiteral("Address")};
    return names;
}

QJsonObject PointInput(const QVariant &input, bool *ok)
{
    QPoint point;
    if (input.canConvert<QPoint>() && input.typeId() == QMetaType::QPoint) {
        point = input.toPoint();
        *ok = true;
    } else if (input.typeId() == QMetaType::QVariantMap) {
        const QVariantMap map = input.toMap();
        bool okX = false, okY = false;
        point = QPoint(map.value(QStringLiteral("x")).toInt(&okX),
                       map.value(QStringLiteral("y")).toInt(&okY));
        *ok = okX && okY;
    } else {
        *ok = false;
    }
    return QJsonObject{{QStringLiteral("x"), point.x()}, {QStringLiteral("y"), point.y()}};
}

// One call of ExecEngineCommand as its handler sees it.
struct CommandCall
{
    CEditEngine *q;
    CEditEnginePrivate *d;
    int id;
    const QVariant &input;
    QVariant *output;
    bool prompt;
};

// The runtime executes the command with its input as given.
bool ExecAsGiven(const CommandCall &c)
{
    c.d->exec(c.id, QJsonValue::fromVariant(c.input));
    return true;
}

bool ExecBlockFormatNames(const CommandCall &c)
{
    if (c.output)
        *c.output = BlockFormatNames();
    return true;
}

bool ExecActivation(const CommandCall &c)
{
    (c.id == EngineId::ActivateActiveX   ? c.d->activateActiveX
     : c.id == EngineId::ActivateApplets ? c.d->activateApplets
                                         : c.d->activateDTCs) = c.input.toBool();
    emit c.q->updateCommands();
    return true;
}

bool ExecDisplayAid(const CommandCall &c)
{
    (c.id == EngineId::ShowBorders ? c.d->showBorders : c.d->showDetails) = c.input.toBool();
    c.d->exec(c.id, c.input.toBool());
    return true;
}

bool ExecAlignmentGrid(const CommandCall &c)
{
    bool ok = false;
    const QJsonObject point = PointInput(c.input, &ok);
    if (!ok || point.value(QStringLiteral("x")).toInt() < 0 ||
        point.value(QStringLiteral("y")).toInt() < 0)
        return false;
    c.d->grid =
        QPoint(point.value(QStringLiteral("x")).toInt(), point.value(QStringLiteral("y")).toInt());
    c.d->exec(c.id, point);
    return true;
}

bool ExecConstrain(const CommandCall &c)
{
    c.d->constrain = c.input.toBool();
    c.d->exec(c.id, c.d->constrain);
    return true;
}

bool ExecBrowseMode(const CommandCall &c)
{
    c.d->enterBrowserMode();
    return true;
}

bool ExecEditMode(const CommandCall &c)
{
    c.d->enterEditorMode();
    return true;
}

bool ExecPrint(const CommandCall &c)
{
    return c.d->print(c.input, c.prompt);
}

bool ExecClipboard(const CommandCall &c)
{
    c.d->page->triggerAction(c.id == EngineId::Copy  ? QWebEnginePage::Copy
                             : c.id == EngineId::Cut ? QWebEnginePage::Cut
                                                     : QWebEnginePage::Paste);
    return true;
}

bool ExecFind(const CommandCall &c)
{
    if (c.prompt) {
        c.d->promptFind(c.input.toString());
        return true;
    }
    QVariantMap options = c.input.typeId() == QMetaType::QVariantMap
                              ? c.input.toMap()
                              : QVariantMap{{QStringLiteral("text"), c.input.toString()}};
    if (options.value(QStringLiteral("text")).toString().isEmpty())
        return false;
    CEditEngine *q = c.q;
    c.d->exec(c.id, QJsonObject::fromVariantMap(options),
              [q](bool ok, const QVariant &found) { emit q->findResult(ok && found.toBool()); });
    return true;
}

bool ExecFontDialog(const CommandCall &c)
{
    if (c.prompt) {
        c.d->promptFont();
        return true;
    }
    if (c.input.typeId() != QMetaType::QVariantMap)
        return false;
    c.d->exec(c.id, QJsonObject::fromVariantMap(c.input.toMap()));
    return true;
}

bool ExecHyperlink(const CommandCall &c)
{
    if (c.prompt) {
        c.d->promptInput(c.id);
        return true;
    }
    c.d->exec(c.id, c.input.toString());
    return true;
}

bool ExecInsertImage(const CommandCall &c)
{
    if (c.prompt) {
        c.d->promptInput(c.id);
        return true;
    }
    if (c.input.typeId() == QMetaType::QVariantMap) {
        QVariantMap map = c.input.toMap();
        if (map.value(QStringLiteral("src")).toString().trimmed().isEmpty())
            return false;
        map.insert(QStringLiteral("src"),
                   c.d->sourceReference(map.value(QStringLiteral("src")).toString()));
        c.d->exec(c.id, QJsonObject::fromVariantMap(map));
        return true;
    }
    if (c.input.toString().trimmed().isEmpty())
        return false;
    c.d->exec(c.id, c.d->sourceReference(c.input.toString().trimmed()));
    return true;
}

bool ExecNudge(const CommandCall &c)
{
    bool ok = false;
    const QJsonObject point = PointInput(c.input, &ok);
    if (!ok)
        return false;
    c.d->exec(c.id, point);
    return true;
}

bool ExecInsertTable(const CommandCall &c)
{
    if (c.input.isValid() && c.input.typeId() != QMetaType::QVariantMap)
        return false;
    c.d->exec(c.id, QJsonObject::fromVariantMap(c.input.toMap()));
    return true;
}

bool ExecBlockFormat(const CommandCall &c)
{
    if (!BlockFormatNames().contains(c.input.toString()))
        return false;
    return ExecAsGiven(c);
}

bool ExecFontName(const CommandCall &c)
{
    if (c.input.toString().trimmed().isEmpty())
        return false;
    return ExecAsGiven(c);
}

bool ExecFontSize(const CommandCall &c)
{
    bool ok = false;
    const int size = c.input.toInt(&ok);
    if (!ok || size < 1 || size > 7)
        return false;
    return ExecAsGiven(c);
}

bool ExecFontColor(const CommandCall &c)
{
    bool ok = false;
    c.input.toInt(&ok);
    if (!ok)
        return false;
    return ExecAsGiven(c);
}

QVariant CachedBlockFormat(const EngineState &s)
{
    return s.blockFormat;
}
QVariant CachedFontName(const EngineState &s)
{
    return s.fontName;
}
QVariant CachedFontSize(const EngineState &s)
{
    return s.fontSize;
}
QVariant CachedFontColor(const EngineState &s)
{
    return s.color;
}

// A command with handling of its own. cached: the output served from the state cache when the
// caller asks for the value without giving input (nullptr: none). whenEnabled: the handler runs
// only while the command is enabled, else the call fails. A command without a row runs in the
// runtime with its input as given, while it is enabled.
struct CommandHandler
{
    int id;
    QVariant (*cached)(const EngineState &state);
    bool whenEnabled;
    bool (*run)(const CommandCall &call);
};

constexpr CommandHandler kHandlers[] = {
    {EngineId::BlockFormat, CachedBlockFormat, true, ExecBlockFormat},
    {EngineId::FontName, CachedFontName, true, ExecFontName},
    {EngineId::FontSize, CachedFontSize, true, ExecFontSize},
    {EngineId::FontColor, CachedFontColor, true, ExecFontColor},
    {EngineId::BlockFormatNames, nullptr, false, ExecBlockFormatNames},
    {EngineId::ActivateActiveX, nullptr, false, ExecActivation},
    {EngineId::ActivateApplets, nullptr, false, ExecActivation},
    {EngineId::ActivateDTCs, nullptr, false, ExecActivation},
    {EngineId::ShowBorders, nullptr, false, ExecDisplayAid},
    {EngineId::ShowDetails, nullptr, false, ExecDisplayAid},
    {EngineId::SetAlignmentGrid, nullptr, false, ExecAlignmentGrid},
    {EngineId::Constrain, nullptr, false, ExecConstrain},
    {EngineId::BrowseMode, nullptr, false, ExecBrowseMode},
    {EngineId::EditMode, nullptr, false, ExecEditMode},
    {EngineId::Print, nullptr, false, ExecPrint},
    {EngineId::Copy, nullptr, true, ExecClipboard},
    {EngineId::Cut, nullptr, true, ExecClipboard},
    {EngineId::Paste, nullptr, true, ExecClipboard},
    {EngineId::Find, nullptr, true, ExecFind},
    {EngineId::FontDialog, nullptr, true, ExecFontDialog},
    {EngineId::Hyperlink, nullptr, true, ExecHyperlink},
    {EngineId::InsertImage, nullptr, true, ExecInsertImage},
    {EngineId::NudgeElement, nullptr, true, ExecNudge},
    {EngineId::InsertTable, nullptr, true, ExecInsertTable},
};

constexpr CommandHandler kExecAsGiven = {0, nullptr, true, ExecAsGiven};

const CommandHandler &HandlerFor(int id)
{
    const auto it = std::find_if(std::begin(kHandlers), std::end(kHandlers),
                                 [id](const CommandHandler &row) { return row.id == id; });
    return it == std::end(kHandlers) ? kExecAsGiven : *it;
}

} // namespace

int CEditEngine::QueryEngineCommand(int id) const
{
    if (!d->loaded)
        return 0;
    constexpr int on = EngineFlag::Supported | EngineFlag::Enabled;
    const auto latched = [](bool state) { return state ? int(EngineFlag::Latched) : 0; };
    const bool browsing = d->mode == Mode::Browser;
    switch (id) {
    case EngineId::BrowseMode:
        return on | latched(browsing);
    case EngineId::EditMode:
        return on | latched(!browsing);
    case EngineId::Print:
        return d->printing ? int(EngineFlag::Supported) : on;
    // The activation options keep their latched state; this engine never activates controls,
    // applets or DTCs differently, so they have no further effect.
    case EngineId::ActivateActiveX:
        return on | latched(d->activateActiveX);
    case EngineId::ActivateApplets:
        return on | latched(d->activateApplets);
    case EngineId::ActivateDTCs:
        return on | latched(d->activateDTCs);
    default:
        break;
    }
    // Browser mode shows a live copy of the page; nothing in it can be edited.
    if (browsing)
        return d->state.flags.contains(id) ? int(EngineFlag::Supported) : 0;
    const int flags = d->state.flags.value(id);
    if (id == EngineId::Paste && (flags & EngineFlag::Enabled) && !d->clipboardHasContent())
        return flags & ~EngineFlag::Enabled;
    return flags;
}

// A file chosen for an image becomes a reference relative to the page's folder when it lies
// inside it, a file: URL otherwise; anything else (a URL, a relative name) stays as typed.
QString CEditEnginePrivate::sourceReference(const QString &text) const
{
    const QFileInfo file(text);
    if (!file.isAbsolute() || !file.isFile())
        return text;
    if (!currentFile.isEmpty()) {
        const QDir folder = QFileInfo(currentFile).absoluteDir();
        const QString relative = folder.relativeFilePath(file.absoluteFilePath());
        if (!relative.startsWith(QLatin1String("../")))
            return relative;
    }
    return QUrl::fromLocalFile(file.absoluteFilePath()).toString();
}

bool CEditEngine::ExecEngineCommand(int id, const QVariant &input, QVariant *output, bool prompt)
{
    if (!d->loaded)
        return false;
    const CommandHandler &handler = HandlerFor(id);
    if (handler.cached && output && !input.isValid()) {
        *output = handler.cached(d->state);
        return true;
    }
    if (handler.whenEnabled && !(QueryEngineCommand(id) & EngineFlag::Enabled))
        return false;
    return handler.run(CommandCall{this, d.get(), id, input, output, prompt});
}
