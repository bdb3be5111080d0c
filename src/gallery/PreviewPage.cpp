#include "gallery/PreviewPage.h"

#include "pagetext/CHtmlText.h"
#include "util/AppProfile.h"
#include "util/FileUtil.h"

std::string PreviewTemplatePath()
{
    return util::ProgramFolder() + "Bin/Preview.htm";
}

std::string PreviewOutputPath()
{
    return util::AppTempPagePath();
}

// A folder as a "file:" URL with a trailing "/", bytes outside the unreserved set and "/"
// percent-encoded so that blanks, "#" or "?" in the folder name cannot end the URL early.
static std::string FolderUrl(const std::string &folder)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (unsigned char c : folder) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '/' || c == '-' || c == '_' || c == '.' ||
                           c == '~';
        if (plain) {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += hex[c >> 4];
            url += hex[c & 15];
        }
    }
    if (url.back() != '/')
        url += '/';
    return url;
}

std::string MakePreviewPage(std::string templateText, std::string_view fragment,
                            const std::string &baseFolder)
{
    CHtmlText text(templateText);
    text.ReplaceMacro("ImageDef", fragment, true);
    if (!baseFolder.empty()) {
        const std::string base = "<base href=\"" + FolderUrl(baseFolder) + "\">";
        if (!text.InsertAfterTag("<head", base))
            templateText.insert(0, base);
    }
    return templateText;
}

bool WritePreviewPage(std::string_view fragment, std::string *outputPath)
{
    const std::string templatePath = PreviewTemplatePath();
    const std::string output = PreviewOutputPath();
    if (outputPath)
        *outputPath = output;
    std::string templateText;
    ReadTextFile(templatePath, templateText);
    const std::string templateFolder = util::PathFolder(templatePath);
    const std::string base =
        util::PathFolder(output) == templateFolder ? std::string() : templateFolder;
    return WriteTextFile(MakePreviewPage(std::move(templateText), fragment, base), output);
}
