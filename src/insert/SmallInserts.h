#pragma once

#include <string>

// The fixed or nearly fixed texts of the Insert menu's small commands. References are page
// references as the resource copy returns them and are written as given (a double quote inside
// one is written "&quot;").

inline constexpr const char *kHorizontalRuleHtml = "<HR>";
inline constexpr const char *kLineBreakHtml = "<br>";
inline constexpr const char *kParagraphHtml = "<p>";

// An applet of 300 by 200 pixels running the class file at ref.
std::string GetAppletHtml(const std::string &ref);

// The Flash and Shockwave movie objects of 300 by 200 pixels: the string-table template with
// every "$(SrcValue)" replaced by ref. The text keeps the template's bare line feeds.
std::string GetFlashHtml(const std::string &ref);
std::string GetShockwaveHtml(const std::string &ref);
