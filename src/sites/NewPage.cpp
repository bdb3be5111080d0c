#include "sites/NewPage.h"

#include "pagetext/CHtmlText.h"
#include "util/FileUtil.h"
#include "util/ProfileFile.h"
#include "util/StringUtil.h"

namespace {

constexpr const char *kGeneralSection = "General";
constexpr const char *kSiteKey = "Site";

std::string withoutTrailingSlash(std::string folder)
{
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

bool validFileName(const std::string &name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

} // namespace

std::string DefaultSiteFolder()
{
    const std::string program = util::ProgramFolder();
    const std::string pages = program + "Pages";
    const bool usable = util::FolderExists(pages) ? util::IsProgramFolderWritable(pages)
                                                  : util::IsProgramFolderWritable(program);
    if (usable && util::MakeFolders(pages))
        return pages;
    const std::string documents = util::UserDocumentsFolder() + "Pelion Pages";
    util::MakeFolders(documents);
    return documents;
}

std::string CurrentSiteFolder(const ProfileFile &profile)
{
    std::string folder;
    if (profile.GetString(kGeneralSection, kSiteKey, folder) && util::FolderExists(folder))
        return withoutTrailingSlash(folder);
    return DefaultSiteFolder();
}

void SetCurrentSiteFolder(ProfileFile &profile, const std::string &folder)
{
    profile.SetString(kGeneralSection, kSiteKey, withoutTrailingSlash(folder));
}

std::string ProposeFileName(const std::string &siteFolder, const std::string &current)
{
    if (!util::FileExists(util::JoinPath(siteFolder, "index.html")))
        return "index.html";
    for (int n = 2; n <= 9999; ++n) {
        const std::string name = util::Format("page%04d.html", n);
        if (!util::FileExists(util::JoinPath(siteFolder, name)))
            return name;
    }
    return current;
}

std::vector<std::string> ListTemplates(const std::string &siteFolder)
{
    if (siteFolder.empty())
        return {};
    return util::ListFiles(siteFolder, "*.htt");
}

std::string DefaultTemplatePath()
{
    return util::ProgramFolder() + "Bin/default.htt";
}

bool SetPageTitle(std::string &text, std::string_view title)
{
    // The tags are looked for in any letter case: a template written with "<title>" would
    // otherwise get a second title element.
    const std::string lower = util::ToLowerAscii(text);
    int openEnd = -1;
    const int open = FindTolerant(lower, "<title>", 0, true, &openEnd);
    const int close = open >= 0 ? FindTolerant(lower, "</title>", openEnd + 1, true) : -1;
    CHtmlText html(text);
    if (close >= 0) {
        html.rangeStart = openEnd + 1;
        html.rangeEnd = close - 1;
        return html.ReplaceRange(title);
    }
    std::string element = "<TITLE>";
    element.append(title).append("</TITLE>\r\n");
    return html.InsertBefore("</head>", element);
}

std::string_view NewPageMessage(NewPageError error)
{
    switch (error) {
    case NewPageError::SiteFolderNotFound:
        return kSiteFolderNotFoundMessage;
    case NewPageError::InvalidFileName:
        return kInvalidFileNameMessage;
    case NewPageError::FileWritingFailed:
        return kFileWritingFailedMessage;
    case NewPageError::None:
        break;
    }
    return {};
}

NewPageResult CreateNewPage(const NewPageRequest &request)
{
    NewPageResult result;
    if (request.siteFolder.empty() || !util::FolderExists(request.siteFolder)) {
        result.error = NewPageError::SiteFolderNotFound;
        result.detail =
            request.siteFolder.empty() ? "no site folder given" : "no folder " + request.siteFolder;
        return result;
    }
    if (!validFileName(request.fileName)) {
        result.error = NewPageError::InvalidFileName;
        result.detail = request.fileName.empty()
                            ? "no file name given"
                            : "\"" + request.fileName + "\" is not a file name";
        return result;
    }
    std::string templatePath = DefaultTemplatePath();
    if (!request.templateName.empty()) {
        templatePath = request.templateName.find('/') == std::string::npos
                           ? util::JoinPath(request.siteFolder, request.templateName)
                           : request.templateName;
    }
    if (!CreatePageFromTemplate(request.siteFolder, request.fileName, request.title, templatePath,
                                result.createdPath, &result.detail)) {
        result.error = NewPageError::FileWritingFailed;
        result.createdPath.clear();
    }
    return result;
}

bool CreatePageFromTemplate(const std::string &siteFolder, const std::string &fileNameIn,
                            std::string_view title, const std::string &templatePath,
                            std::string &createdPath, std::string *detail)
{
    const auto fail = [detail](const std::string &why) {
        if (detail)
            *detail = why;
        return false;
    };
    const std::string bin = util::ProgramFolder() + "Bin/";
    util::CopyFileNoOverwrite(bin + "qxlib.css", util::JoinPath(siteFolder, "qxlib.css"));
    util::CopyFileNoOverwrite(bin + "qxlib.js", util::JoinPath(siteFolder, "qxlib.js"));

    std::string fileName = fileNameIn;
    if (fileName.find('.') == std::string::npos)
        fileName += ".html";
    createdPath = util::JoinPath(siteFolder, fileName);

    const bool existed = util::FileExists(createdPath);
    if (!existed && !util::CopyFileNoOverwrite(templatePath, createdPath)) {
        if (!util::FileExists(templatePath))
            return fail("template " + templatePath + " not found");
        return fail("cannot copy " + templatePath + " to " + createdPath);
    }
    std::string text;
    bool cutAtZero = false;
    std::string why;
    if (!ReadTextFile(createdPath, text, &cutAtZero, &why))
        return fail("cannot read " + createdPath + ": " + why);
    if (cutAtZero)
        return fail(createdPath + " holds a zero byte (not a text page); left as it was");
    SetPageTitle(text, title);
    if (!CHtmlText(text).SaveToFile(createdPath, &why))
        return fail("cannot write " + createdPath + ": " + why);
    return true;
}
