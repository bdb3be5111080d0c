#pragma once

#include <QString>

class QWidget;

// The file picker by file kind. A kind selects a remembered folder (kept for the run only), and
// the same numbers select a filter and a default extension:
//   0 images, 1 sounds, 2 multimedia, 3 animations (2 and 3 share a folder), 4 applets,
//   5 none, 6 web pages, 7 videos, 8 Shockwave, 9 Flash, 10 and above none.
// Kinds without a folder remember nothing: GetLastFolder gives "" and SetLastFolder is ignored.
namespace filekind {
inline constexpr int Images = 0;
inline constexpr int Sounds = 1;
inline constexpr int Multimedia = 2;
inline constexpr int Animations = 3;
inline constexpr int Applets = 4;
inline constexpr int None = 5;
inline constexpr int WebPages = 6;
inline constexpr int Videos = 7;
inline constexpr int Shockwave = 8;
inline constexpr int Flash = 9;
} // namespace filekind

// The filter of a filter kind, in the "Name|patterns||" notation of FileDialogRequest.
QString FileKindFilter(int filterKind);
// The default extension of an extension kind, without the dot.
QString FileKindExtension(int extensionKind);

// The remembered folder of a kind; the first query of a kind that has one but holds nothing yet
// sets it to its default, the program folder followed by the kind's folder ("Clipart/Images").
QString GetLastFolder(int kind);
void SetLastFolder(int kind, const QString &folder);
// Forgets every remembered folder (a new run, for tests).
void ResetLastFolders();

// Runs an open (the file must exist) or save (confirm overwrite) dialog starting in the kind's
// remembered folder; on OK remembers the chosen file's folder and returns its full path, on
// Cancel returns "".
QString BrowseForFile(int kind, int filterKind, int extensionKind, bool open,
                      QWidget *parent = nullptr);
