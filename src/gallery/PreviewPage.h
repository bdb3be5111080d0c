#pragma once

#include <string>
#include <string_view>

// The preview page of the insertion dialogs: the template "Bin/Preview.htm" of the program
// folder with its first "$(ImageDef)" replaced by the fragment being previewed, written to the
// preview output "Temp.htm" (util::AppTempPagePath: the program's "Bin/" when writable, else the
// user's cache folder). Relative paths in the fragment resolve against the program's "Bin/"
// folder wherever the output lies.

// program folder + "Bin/Preview.htm".
std::string PreviewTemplatePath();
// Where the preview output is written (see above).
std::string PreviewOutputPath();

// The preview text: templateText with its first "$(ImageDef)" replaced by fragment (a second
// one stays as it is). When baseFolder is not empty (the output does not lie beside the
// template), a <base> element naming that folder goes right after the opening <head> tag, or
// first in the text when there is none, so that the template's script library and relative
// paths still resolve against it.
std::string MakePreviewPage(std::string templateText, std::string_view fragment,
                            const std::string &baseFolder);

// Reads the template afresh (a missing or unreadable one counts as empty), makes the preview
// text and writes it to the output, replacing the file at once. outputPath (when given)
// receives the output's path either way. False when the output could not be written; the
// previous file then stays as it was.
bool WritePreviewPage(std::string_view fragment, std::string *outputPath = nullptr);
