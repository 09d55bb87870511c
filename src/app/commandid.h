#pragma once
// The desktop program's command identifiers. Every QAction carries its identifier (as data and in
// its objectName, "command32777"); documents and tests name commands by these numbers.

enum CommandId : int {
    // 文件
    CmdImportGB2312 = 32787,
    CmdImportGBK = 32791,
    CmdImportPicture = 32780,
    CmdExportAllGlyphFiles = 32774,
    CmdExit = 57665,
    // 编辑: fixing the glyph by hand
    CmdUndo = 57643,
    CmdRedo = 57644,
    CmdEditMode = 32805,
    CmdRevertGlyph = 32806,
    CmdShiftGlyphUp = 32807,
    CmdShiftGlyphDown = 32808,
    CmdShiftGlyphLeft = 32809,
    CmdShiftGlyphRight = 32810,
    // 设置
    CmdChooseFont = 32772,
    CmdGlyphFormat = 32781,
    CmdToTraditional = 32792,
    CmdToSimplified = 32793,
    // 创建点阵数据
    CmdCreateSingleGlyph = 32777,
    CmdCreateAllGlyphs = 32773,
    CmdCreateAllToDat = 32788,
    CmdCreateAllToBin = 32789,
    CmdCreatePictureData = 32784,
    CmdCreateIndexTable = 32801,
    CmdExportFont = 32802, // a font for a display library (LVGL, BDF, the Unicode-keyed file)
    // 数据通讯
    CmdSendSerial = 32798,
    CmdSendFloppy = 32799,
    CmdSendRemovable = 32800,
    // 查看
    CmdViewToolBar = 59392,
    CmdViewStatusBar = 59393,
    CmdSplit = 57653,
    CmdLanguageChinese = 32803,
    CmdLanguageEnglish = 32804,
    // 帮助
    CmdUserGuide = 32797,
    CmdAbout = 57664,
    // Keyboard commands without a menu item.
    CmdFileNew = 57600,
    CmdFileOpen = 57601,
    CmdFileSave = 57603,
    CmdPrint = 57607,
    CmdNextPane = 57680,
    CmdPreviousPane = 57681,
};

// The character box on the toolbar (its controlId).
inline constexpr int CharBoxControlId = 32771;
