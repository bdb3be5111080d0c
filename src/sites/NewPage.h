#pragma once

#include <string>
#include <string_view>
#include <vector>

class ProfileFile;

// New pages made from templates inside a site folder: the current site folder setting, the
// proposed file name, the template list and the creation of the page file. Shared by the New
// File dialog and pelion-tool.

inline constexpr std::string_view kFileWritingFailedMessage = "Error: file writing failed";
inline constexpr std::string_view kSiteFolderNotFoundMessage = "Error: Site folder not found";
inline constexpr std::string_view kInvalidFileNameMessage = "Error: invalid file name";
inline constexpr std::string_view kTitlePlaceholder = "*** Enter Page Title ***";

// The site folder used when none is set: "Pages" beside the program, or, when that cannot be
// written (an installed program), "Pelion Pages" in the user's documents folder. Created when
// missing. No trailing "/".
std::string DefaultSiteFolder();
// The folder last chosen for new pages ("General"/"Site"), or DefaultSiteFolder() when the key
// is missing or names a folder that does not exist.
std::string CurrentSiteFolder(const ProfileFile &profile);
// Stores the folder as the current site folder; the caller saves the profile.
void SetCurrentSiteFolder(ProfileFile &profile, const std::string &folder);

// "index.html" when the site folder has none, else "page0002.html" ... "page9999.html", the
// first that does not exist; current when all of them exist.
std::string ProposeFileName(const std::string &siteFolder, const std::string &current = {});
// Names of the "*.htt" files directly in the site folder, sorted; empty when it does not exist.
std::vector<std::string> ListTemplates(const std::string &siteFolder);
// The program's own template, "Bin/default.htt" beside the program.
std::string DefaultTemplatePath();

// Puts title into a page text: between the title tags when the text has "<TITLE>" followed by
// "</TITLE>" (any letter case, white space allowed inside the tags); otherwise as a new title
// element before the head's closing tag; a text without either stays as it is. The title goes
// in as given, unescaped. Returns whether the title was placed.
bool SetPageTitle(std::string &text, std::string_view title);

enum class NewPageError { None, SiteFolderNotFound, InvalidFileName, FileWritingFailed };

struct NewPageRequest
{
    std::string siteFolder;
    std::string fileName;
    std::string title;
    std::string templateName; // a "*.htt" name in the site folder, or a path; empty: default
};

struct NewPageResult
{
    NewPageError error = NewPageError::None;
    std::string createdPath; // the page file, when error is None
    std::string detail;      // what went wrong, for the command line
};

// The message shown for an error ("" for None).
std::string_view NewPageMessage(NewPageError error);

// The New File dialog's OK: checks the site folder (empty or missing: SiteFolderNotFound) and
// the file name (empty, "." or "..", or holding "/": InvalidFileName), appends ".html" to a name
// without a dot, then creates the page (FileWritingFailed when that fails).
NewPageResult CreateNewPage(const NewPageRequest &request);

// Makes the page: copies "Bin/qxlib.css" and "Bin/qxlib.js" into the site folder (never
// overwriting, failures not reported), copies the template to site folder + file name (never
// overwriting: an existing page is kept and only retitled), sets the title and saves the page
// up to "$(Copy". False when the page cannot be read afterwards (no template, no page) or
// cannot be written; an existing page is never cut short.
bool CreatePageFromTemplate(const std::string &siteFolder, const std::string &fileName,
                            std::string_view title, const std::string &templatePath,
                            std::string &createdPath, std::string *detail = nullptr);
