#pragma once

class QWebEngineView;

// The first editing view, made ahead of time. Starting the web engine costs the program most of
// its start-up: the engine's set-up in this process, then a renderer process that starts on its
// own and loads a first document. Prepare() does both for a view that nobody shows yet, so that
// the renderer starts while the windows are being built; the first CEditEngine then takes that
// view instead of making one. Everything here runs on the GUI thread.
class CWarmView
{
public:
    // Makes the view (with a CEnginePage in the default profile) and loads an empty document
    // into it. Call once, after the QApplication exists; later calls do nothing.
    static void Prepare();
    // The prepared view, null when none was prepared or its empty document did not load; waits
    // for that load to end first (the rest of the renderer's start). The caller owns the view.
    static QWebEngineView *Take();
};
