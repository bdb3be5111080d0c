#pragma once

#include <QString>

#include <functional>

class QWidget;

// A file dialog request in the program's filter notation: "Name|patterns|Name|patterns||",
// patterns separated by ";" ("All Files|*.*||").
struct FileDialogRequest
{
    QWidget *parent = nullptr;
    bool open = true;
    QString caption;
    QString filter;
    QString defaultSuffix;       // without the dot
    QString folder;              // initial folder, or empty
    QString fileName;            // initial file name, or empty
    bool mustExist = true;       // open: the file must exist
    bool overwritePrompt = true; // save: confirm replacing a file
};

// The chosen full path, or empty when cancelled.
QString RunFileDialog(const FileDialogRequest &request);

// The folder a dialog asked to start in folder opens: folder itself, or the nearest folder
// above it that exists; empty for an empty folder (the dialog's default).
QString StartFolder(const QString &folder);

// "HTML Files (*.htm; *.html)|*.htm; *.html|All Files (*.*)|*.*||" in the form QFileDialog
// takes: "HTML Files (*.htm *.html);;All Files (*)". "*.*" becomes "*", because file names
// without a dot are ordinary here.
QString ToQtFileFilter(const QString &filter);

// Tests answer file dialogs through this hook (the returned path, or empty for Cancel).
using FileDialogHook = std::function<QString(const FileDialogRequest &request)>;
void SetFileDialogHook(FileDialogHook hook);
