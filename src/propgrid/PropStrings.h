#pragma once

#include <string>

// The string table of the property items, the page properties and the property panel. Items
// name themselves, their browse captions and their choices by these ids, so that the items,
// the panel and the page document read their texts from one place.
namespace propstr {

// Panel and item texts.
inline constexpr int DefaultFont = 26645; // the panel's default font, in the font text form
inline constexpr int FontCaption = 26653;
inline constexpr int FileCaption = 26654;
inline constexpr int ColorCaption = 27151; // also marks an item as a colour item
inline constexpr int Properties = 27129;   // the side-bar tab of the panel
inline constexpr int Automatic = 27130;
inline constexpr int None = 27131;
inline constexpr int MultiValued = 27132; // colour drop-down with nothing selected
inline constexpr int MoreColors = 27133;
inline constexpr int DefaultButton = 27134;
inline constexpr int HelpButton = 27135;
inline constexpr int AllFilesFilter = 27127; // file dialog filter when an item names none
inline constexpr int BrowseFilesTitle = 27128;

// Position properties of single targets.
inline constexpr int Left = 27136;
inline constexpr int Right = 27137;
inline constexpr int Top = 27138;
inline constexpr int Bottom = 27139;

// Page properties: names in display order, choices, file filters.
inline constexpr int Title = 27110;
inline constexpr int Description = 27111;
inline constexpr int Keywords = 27112;
inline constexpr int BackgroundSound = 27113;
inline constexpr int PlaySound = 27114;
inline constexpr int Background = 27115;
inline constexpr int BackgroundColour = 27116;
inline constexpr int BackgroundStyle = 27117;
inline constexpr int LinkColour = 27118;
inline constexpr int VisitedLinkColour = 27119;
inline constexpr int ActiveLinkColour = 27120;
inline constexpr int PlayContinuously = 27121;
inline constexpr int PlayOnce = 27122;
inline constexpr int StyleFixed = 27123;
inline constexpr int StyleMovable = 27124;
inline constexpr int SoundFilter = 27125;
inline constexpr int ImageFilter = 27126;

// Context menu 27926 of the panel: entry texts, and under the command ids the status-bar texts.
inline constexpr int MenuDrillMulti = 27140;
inline constexpr int MenuSaveAsDefault = 27141;
inline constexpr int MenuClearDefault = 27142;
inline constexpr int MenuDelete = 27143;
inline constexpr int MenuSort = 27144;
inline constexpr int CmdClearDefault = 27674;
inline constexpr int CmdDelete = 27675;
inline constexpr int CmdSaveAsDefault = 27676;
inline constexpr int CmdDrillMulti = 27677;
inline constexpr int CmdSort = 27678;

} // namespace propstr

// Looks a string up by id. False (and text empty) when the table has no such id, which callers
// treat as an empty name, caption or choice.
bool LoadPropString(int id, std::string &text);
// The string with that id, or "" when there is none.
std::string PropString(int id);
