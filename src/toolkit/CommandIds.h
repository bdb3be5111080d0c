#pragma once

// Every command identifier of the program: menu items, toolbar buttons, accelerators and the
// format-bar controls send these numbers, and the command targets route them (CCmdTarget).
namespace cmd {

// Format-bar controls (their notifications route like commands).
inline constexpr int BlockFormatList = 136;
inline constexpr int FontNameList = 32823;
inline constexpr int FontSizeList = 32824;
inline constexpr int FormatBarPlaceholder = 32822;

// Application and frame.
inline constexpr int FileNew = 57600;
inline constexpr int FileOpen = 57601;
inline constexpr int FileClose = 57602;
inline constexpr int FileSave = 57603;
inline constexpr int FileMru1 = 57616; // "Recent File"; the entries are FileMru1 + 0..3
inline constexpr int FileMruLast = 57619;
inline constexpr int AppAbout = 57664;
inline constexpr int AppExit = 57665;
inline constexpr int WindowNew = 57648;
inline constexpr int WindowArrange = 57649;
inline constexpr int WindowCascade = 57650;
inline constexpr int WindowTile = 57651;
inline constexpr int NextPane = 57680;
inline constexpr int PrevPane = 57681;
inline constexpr int ViewToolbar = 59392;
inline constexpr int ViewStatusBar = 59393;
inline constexpr int OpenUrl = 32951;
inline constexpr int Lessons = 33058;
inline constexpr int CreateFrameset = 33061;
inline constexpr int DefineSite = 33023;

// Page file commands.
inline constexpr int SaveAs = 32963;
inline constexpr int FilteredOpen = 32949;
inline constexpr int FilteredSave = 32950;
inline constexpr int Reload = 33041;
inline constexpr int PelionExtensions = 33022;

// Editing component range and its rows.
inline constexpr int EngineRangeFirst = 32800;
inline constexpr int EngineRangeLast = 32887;
inline constexpr int PrintToolbar = 32801;
inline constexpr int Find = 32802;
inline constexpr int Cut = 32803;
inline constexpr int Copy = 32804;
inline constexpr int Paste = 32805;
inline constexpr int Undo = 32806;
inline constexpr int Redo = 32807;
inline constexpr int Print = 32808;
inline constexpr int Delete = 32809;
inline constexpr int SelectAll = 32810;
inline constexpr int FontDialog = 32811;
inline constexpr int Bold = 32821;
inline constexpr int Italic = 32825;
inline constexpr int Underline = 32826;
inline constexpr int Center = 32827;
inline constexpr int AlignLeft = 32828;
inline constexpr int AlignRight = 32829;
inline constexpr int BulletList = 32831;
inline constexpr int DecreaseIndent = 32832;
inline constexpr int IncreaseIndent = 32833;
inline constexpr int NumberList = 32834;
inline constexpr int InsertLink = 32836;
inline constexpr int InsertImageEngine = 32838;
inline constexpr int InsertTable = 32841;
inline constexpr int InsertRow = 32846;
inline constexpr int InsertColumn = 32847;
inline constexpr int DeleteRows = 32848;
inline constexpr int DeleteColumns = 32849;
inline constexpr int MergeCells = 32850;
inline constexpr int SplitCell = 32851;
inline constexpr int InsertCell = 32852;
inline constexpr int DeleteCells = 32853;
inline constexpr int MakeAbsolute = 32854;
inline constexpr int LockObject = 32855;
inline constexpr int SendToBack = 32856;
inline constexpr int BringToFront = 32857;
inline constexpr int SendBackward = 32858;
inline constexpr int BringForward = 32859;
inline constexpr int SendBelowText = 32860;
inline constexpr int BringAboveText = 32861;
inline constexpr int Constrain = 32862;
inline constexpr int MoveObject = 32863;
inline constexpr int SetGrid = 32864;
inline constexpr int ReservedFirst = 32866;
inline constexpr int ReservedLast = 32886;

// Popup menus of the view.
inline constexpr int FontColorFirst = 32888; // 17 items: 32888 + 0..16
inline constexpr int FontColorLast = 32904;
inline constexpr int TagMenuBase = 32922; // block formats: 32922 + n
inline constexpr int TagMenuEnd = 32942;
inline constexpr int Style = 32943;
inline constexpr int FontColor = 32945;
inline constexpr int FormatPopup = 32946;

// The view's own commands.
inline constexpr int Options = 32947;
inline constexpr int InsertScript = 32968;
inline constexpr int TextBox = 32970;
inline constexpr int HowTo = 32976;
inline constexpr int Tags = 32977;
inline constexpr int EditorMode = 32980;
inline constexpr int BrowserMode = 32981;
inline constexpr int PasteSpecial = 32982;
inline constexpr int ToolsAddEdit = 32984;
inline constexpr int ToolFirst = 32985; // tool items: 32985 + index
inline constexpr int ToolLast = 33010;
inline constexpr int InsertApplet = 33011;
inline constexpr int HorizontalRule = 33012;
inline constexpr int InsertFlash = 33014;
inline constexpr int InsertShockwave = 33015;
inline constexpr int InsertImage = 33025;
inline constexpr int InsertMedia = 33038;
inline constexpr int NewLine = 33039;
inline constexpr int NewParagraph = 33040;
inline constexpr int InsertTextField = 33043;
inline constexpr int InsertButton = 33044;
inline constexpr int InsertCheckbox = 33045;
inline constexpr int InsertRadio = 33046;
inline constexpr int InsertListMenu = 33047;
inline constexpr int InsertAnchor = 33054;
inline constexpr int RecordSound = 33060;
inline constexpr int InsertForm = 2979;
inline constexpr int ToggleFormatBar = 32786;
inline constexpr int ToggleObjectBar = 32954;

// Gallery panel notifications routed to the active view.
inline constexpr int GalleryActivate = 1124;
inline constexpr int GalleryContextMenu = 1125;

// The gallery's context menu (menu 161): "Image", "Sound" and "Video".
inline constexpr int GalleryImageQuickInsert = 33026;
inline constexpr int GalleryImageBackground = 33027;
inline constexpr int GalleryImageFixedBackground = 33028;
inline constexpr int GalleryImagePreviewInsert = 33029;
inline constexpr int GallerySoundBackground = 33030;
inline constexpr int GallerySoundLoopingBackground = 33031;
inline constexpr int GallerySoundWithOptions = 33032;
inline constexpr int GallerySoundPlay = 33033;
inline constexpr int GallerySoundStop = 33034;
inline constexpr int GalleryVideoQuickInsert = 33035;
inline constexpr int GalleryVideoPreviewInsert = 33036;
inline constexpr int GallerySoundQuickInsert = 33037;

} // namespace cmd
