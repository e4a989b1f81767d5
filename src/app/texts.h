// Every text of the program's own: captions, messages, keys, file and object names.
// Sources are UTF-8; the compiler turns narrow literals into GBK (code page 936) bytes,
// the texts the Windows ANSI calls take.
#pragma once

namespace tolvar::texts {

// Single instance.
inline constexpr const char* instanceEventName = "Game_Menu";
inline constexpr const char* alreadyRunning = "程序已运行!";
inline constexpr const char* alreadyRunningCaption = "Warning";

// The bar's window class.
inline constexpr const char* barClassName = "_Tolvar_Game_Menu_";

// Settings file.
inline constexpr const char* settingsFileName = "config.ini";
inline constexpr const char* settingsSection = "窗口设置";
inline constexpr const char* keyEdge = "当前位置";
inline constexpr const char* keyAlpha = "窗口透明";
inline constexpr const char* keyRunAtStartup = "开机运行";
inline constexpr const char* keyAlwaysPopUp = "总是弹出";

// Game store.
inline constexpr const char* storeFileName = "Gameinfo.edb";
inline constexpr const char* fieldNumber = "游戏序号";
inline constexpr const char* fieldName = "游戏名称";
inline constexpr const char* fieldPath = "游戏路径";
inline constexpr const char* fieldNormalImage = "通常图标";
inline constexpr const char* fieldHotImage = "点燃图标";
// Shown once when an unreadable store was moved aside; the new name follows the first
// part and the second part ends the message.
inline constexpr const char* storeMovedAsideHead = "游戏数据文件无法读取，原文件已改名保存为：\n";
inline constexpr const char* storeMovedAsideTail = "\n已新建空的游戏数据文件。";
inline constexpr const char* storeMovedAsideCaption = "提示";

// Menus.
inline constexpr const char* menuProgram = "程序菜单";
inline constexpr const char* menuAddGame = "添加游戏";
inline constexpr const char* menuSystemSettings = "系统设置";
inline constexpr const char* menuTrayHide = "托盘隐藏";
inline constexpr const char* menuAlwaysPopUp = "总是弹出";
inline constexpr const char* menuRunAtStartup = "开机运行";
inline constexpr const char* menuChangeDirection = "改变方向";
inline constexpr const char* menuUp = "上(↑)";
inline constexpr const char* menuDown = "下(↓)";
inline constexpr const char* menuLeft = "左(←)";
inline constexpr const char* menuRight = "右(→)";
inline constexpr const char* menuExit = "退出程序";
inline constexpr const char* menuFile = "文件菜单";
inline constexpr const char* menuChangeInfo = "更改资料";
inline constexpr const char* menuOpenFolder = "转到目录";
inline constexpr const char* menuDeleteGame = "删除游戏";

// Tray.
inline constexpr const char* trayTooltip = "Tolvar 游戏菜单";

// The template button's design caption.
inline constexpr const char* templateCaption = "超级按钮";

}  // namespace tolvar::texts
