#include "insert/InsertStrings.h"

namespace InsertStrings {

// The player maker's documented hosts; the paths are the ones pages made by this program have
// always named.
#define FLASH_CAB "http://download.macromedia.com/pub/shockwave/cabs/flash/swflash.cab#3,0,0,0"
#define SHOCKWAVE_CAB "http://active.macromedia.com/director/cabs/sw.cab#version=6,0,1,0"
#define PLAYER_DOWNLOAD "http://www.macromedia.com/shockwave/download/"

std::string Get(int id)
{
    switch (id) {
    case 131:
        return "<DIV style=\"HEIGHT: 100px; LEFT: 10px; POSITION: absolute; TOP: 10px; WIDTH: "
               "200px\">&nbsp;</DIV>";
    case 132:
        return "<DIV style=\"HEIGHT: 100px; LEFT: 50px; POSITION: absolute; TOP: 30px; WIDTH: "
               "200px\">&nbsp;</DIV>";
    case 133:
        return "<DIV style=\"HEIGHT: 100px; LEFT: 70px; POSITION: absolute; TOP: 20px; WIDTH: "
               "200px\">&nbsp;</DIV>";
    case 134:
        return "<DIV style=\"HEIGHT: 100px; LEFT: 120px; POSITION: absolute; TOP: 20px; WIDTH: "
               "200px\">&nbsp;</DIV>";
    case 135:
        return "<DIV style=\"HEIGHT: 100px; LEFT: 140px; POSITION: absolute; TOP: 50px; WIDTH: "
               "200px\">&nbsp;</DIV>";
    case FlashTemplate:
        return "<object classid=\"clsid:D27CDB6E-AE6D-11cf-96B8-444553540000\" "
               "codebase=\"" FLASH_CAB "\" width=\"300\" height=\"200\">\n"
               "  <param name=\"SRC\" value=\"$(SrcValue)\">\n"
               "  <embed src=\"$(SrcValue)\" pluginspage=\"" PLAYER_DOWNLOAD
               "\" type=\"application/x-shockwave-flash\" width=\"300\" height=\"200\">\n"
               "  </embed> \n"
               "</object>\n";
    case ShockwaveTemplate:
        return "<object classid=\"clsid:166B1BCA-3F9C-11CF-8075-444553540000\" "
               "codebase=\"" SHOCKWAVE_CAB "\" width=\"300\" height=\"200\">\n"
               "  <param name=\"SRC\" value=\"$(SrcValue)\">\n"
               "  <embed src=\"$(SrcValue)\" pluginspage=\"" PLAYER_DOWNLOAD
               "\" type=\"application/x-director\" width=\"300\" height=\"200\">\n"
               "  </embed> \n"
               "</object>";
    case RandomSetNotFound:
        return "Could not find the set of images. Images must follow the pattern "
               "ImageName0001.xxx, ImageName0002.xxx, etc., where xxx is the file extension (gif, "
               "jpg...).";
    default:
        return std::string();
    }
}

} // namespace InsertStrings
