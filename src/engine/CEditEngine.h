#pragma once

#include "engine/EngineIds.h"

#include <QPoint>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QWidget>

#include <functional>
#include <memory>

class CEditEnginePrivate;

// The editing component: one HTML page, shown in a QWebEngineView and made editable by the
// engine runtime (JavaScript in the ApplicationWorld; page scripts never run and links never
// navigate while editing). The host drives it by command numbers (EngineId) and the page-model
// calls below, and hears from it through the three host signals.
//
// Set-up: call CEditEngine::RegisterUrlScheme() once before the QApplication is created (main()
// and every test main). It registers the "pelion-page" URL scheme through which filtered pages,
// blank pages and the browser-mode copy are served (any size; relative resources resolve
// against the page's folder). Such a page reads only files below its own folder, below the
// root of a defined site that holds it, and in the program folder (PageFolders). A page file
// opened without filtering is read by us (the bytes are kept for an unchanged save) and given
// to Chromium as a file: URL, which loads large pages fastest.
//
// Browser mode shows a copy of the page with its scripts on, in a view on a profile of its
// own (off the record, one for all engines); the copy's file: requests keep to the same
// folders.
//
// Loading is asynchronous: Load() starts it (false when the page cannot even be read) and
// loadFinished(ok) ends it. Query/Exec and the page-model getters answer synchronously from a
// state cache that the runtime pushes on every selection change and edit; the setters and
// commands are queued to the page in call order, so a Save() issued after them sees their effect.
// RunWhenIdle(callback) calls back once everything queued so far has been carried out.
//
// Colours are 24-bit integers. Commands 38 use red in the low byte (as the format bar does);
// SetBodyAttribute takes blue in the low byte (0xRRGGBB, as the page-properties writer passes
// them). A text value is set verbatim.
class CEditEngine : public QWidget
{
    Q_OBJECT

public:
    enum class SelectionType { None, Text, Control };
    enum class BodyAttribute { Background, BgProperties, BgColor, Link, VLink, ALink };
    enum class Mode { Editor, Browser };

    explicit CEditEngine(QWidget *parent = nullptr);
    ~CEditEngine() override;

    // Registers the "pelion-page" scheme; must run before the QApplication exists.
    static void RegisterUrlScheme();

    // Load (also reload). "file:" or "http:" prefix (exact): loaded as a URL. Empty: a blank new
    // document. Else a file path, read by us; with filtered set, the text first passes the
    // source filter under filterFlags (EngineFilter values, with or without FilterOnLoad).
    // Returns false, with nothing loaded, when the file cannot be read; otherwise loadFinished
    // follows (false for a URL that fails). Clears the undo history and leaves browser mode.
    bool Load(const QString &path, bool filtered = false, int filterFlags = EngineFilter::None);
    bool IsLoaded() const;       // the last load finished successfully
    QString CurrentPath() const; // the file that Save() writes: the loaded or last saved path
    bool IsFilteredLoad() const;
    bool IsModified() const; // changed since the last load or save

    // Saves to the current file (empty path) or the given path, which then becomes the current
    // file. An unchanged page is written byte for byte as read; a changed one is serialised in
    // the page's character set. The write is atomic, except for a writable page in a read-only
    // folder, which is rewritten in place. done(ok, message) is called exactly once, possibly
    // before Save returns (false: nothing to save to, or the write failed, and message says
    // why; true with a message: saved, but not atomically, a text for the status bar).
    using SaveCallback = std::function<void(bool ok, const QString &message)>;
    void Save(const QString &path = {}, SaveCallback done = {});
    // A filtered save: the serialised page passes the filter-out step that matches the filtered
    // load (server blocks and DTC blocks go back as they were; with source formatting, untouched
    // parts are written exactly as read). A plain Save() of a filtered page does the same, so
    // kept blocks can never be lost; filterFlags are those of the load.
    void SaveFiltered(const QString &path, int filterFlags, SaveCallback done = {});
    // The page as Save would write it, as bytes, handed to done (for tests and previews).
    void Serialize(std::function<void(const QByteArray &bytes)> done);

    // Command flags (EngineFlag bits, 0 for an unknown id) and execution. Without prompt, the
    // prompting commands take their values from input:
    //   34 find: QString text, or QVariantMap { "text", "matchCase": bool, "backwards": bool,
    //      "wrap": bool (default true) }; the match is selected and findResult(found) follows.
    //   35 font dialog: QVariantMap { "face": QString, "size": int 1..7, "bold", "italic",
    //      "underline": bool, "color": int (red low) }; missing keys are left alone.
    //   40 hyperlink: QString address; 41 image: QString source.
    //   51 print: QString PDF path, or nothing for the default printer; printFinished follows.
    // With prompt, 34/35/40/41/51 open the component's own dialog (window-modal, not blocking)
    // and return true when it was shown. The outputs of 27, 36, 37, 38 and 39 come from the
    // state cache. Returns false when the command is unknown, disabled or its input is invalid.
    int QueryEngineCommand(int id) const;
    bool ExecEngineCommand(int id, const QVariant &input = {}, QVariant *output = nullptr,
                           bool prompt = false);

    // Page model.
    SelectionType GetSelectionType() const;
    // False (nothing done) for an object selection or no selection; otherwise the fragment
    // replaces the selection or goes in at the caret, as one undo step.
    bool InsertHtmlAtSelection(const QString &fragment);
    // insertAdjacentHTML(where, fragment) on the element containing the selection; where is
    // "BeforeBegin", "AfterBegin", "BeforeEnd" or "AfterEnd" (any case). False without a text
    // selection or with an unknown where.
    bool InsertHtmlInParentElement(const QString &where, const QString &fragment);
    // The name attribute of every img element in document order ("" for an unnamed one).
    QStringList GetPageImageNames() const;
    // Body attributes as text: colours normalised to "#rrggbb" when they name a colour, else
    // the attribute as written; "" when absent or there is no body.
    QString GetBodyAttribute(BodyAttribute attribute) const;
    // value: int colour 0xRRGGBB (blue low) for the colour attributes, else QString. Undoable.
    bool SetBodyAttribute(BodyAttribute attribute, const QVariant &value);
    QString GetTitle() const;
    void SetTitle(const QString &title); // undoable

    // The display options of the editing-options pages, applied in their order (25, 23, 24, 56,
    // 55); the same as executing those commands one by one.
    struct DisplayOptions
    {
        bool activateDTCs = false;
        bool activateActiveX = false;
        bool activateApplets = false;
        bool showDetails = false;
        bool showBorders = true;
    };
    void ApplyDisplayOptions(const DisplayOptions &options);

    Mode CurrentMode() const;

    // The src of the background sound (BGSOUND) playing while editing; "" when none plays.
    QString PlayingBackgroundSound() const;

    // Calls back once all commands and page-model calls issued so far have been carried out
    // and the state cache reflects them.
    void RunWhenIdle(std::function<void()> callback);

    // Diagnostics: the time the runtime spent in its own handlers (milliseconds, calls) since
    // the load or the last reset.
    void RuntimeStatistics(std::function<void(double ms, int calls)> done, bool reset);

    // Diagnostics: which way bold, italic and underline go. Automatic: large selections take
    // the runtime's own pass, small ones Chromium's command (both write the same markup). Own or
    // Native force one way for the page now loaded, until the next load. done gets the number
    // of the runtime's own passes since the load (-1 when nothing is loaded).
    enum class FormattingPass { Automatic, Own, Native };
    void SetFormattingPass(FormattingPass pass, std::function<void(int passes)> done = {});

    // Diagnostics: the key presses and mouse button presses and releases the page has received
    // since the load (input reaches the page on its own path, not in order with calls, so this
    // tells when sent input has arrived); -1 when not loaded.
    void InputEventsReceived(std::function<void(int count)> done);

signals:
    // The host callbacks: update commands (21), progress text (27), page title (28, after
    // every load and every title change).
    void updateCommands();
    void progressText(const QString &text);
    void titleChanged(const QString &title);

    void loadFinished(bool ok);
    void findResult(bool found);
    void printFinished(bool ok);
    void modeChanged(CEditEngine::Mode mode);
    // The user asked for a context menu over the page (right button or menu key), at a
    // global position; the component shows none of its own.
    void contextMenuRequested(const QPoint &globalPos);

private:
    std::unique_ptr<CEditEnginePrivate> d;
    friend class CEditEnginePrivate;
};
