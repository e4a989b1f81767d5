// The narrow seam between the program and Windows. Start-up, exit and every handler are
// written once against this interface; platform/win32 implements it with the real calls,
// platform/sim with an in-memory screen, pointer and virtual clock for tests.
//
// Texts are byte strings in the ANSI code page. Window references are opaque numbers;
// 0 is "no window". Calls have plain, harmless defaults where a caller can live without
// them, so a new capability is added here with a default and then given to both
// implementations.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/geometry.h"

namespace tolvar {

using WindowId = std::uintptr_t;
using Bytes = std::string;  // byte strings (pictures) travel as std::string

// Items of the two popup menus, in menu order.
enum class MenuItem {
  programMenu,
  addGame,
  systemSettings,
  trayHide,
  alwaysPopUp,
  runAtStartup,
  changeDirection,
  directionUp,
  directionDown,
  directionLeft,
  directionRight,
  exitProgram,
  fileMenu,
  changeInfo,
  openFolder,
  deleteGame,
};

// Facts about the foreground window; all zero / empty when there is none.
struct ForegroundFacts {
  Point clientOrigin;
  int right = 0;
  int bottom = 0;
  std::string title;
  std::string className;
};

enum class MouseButton { left, right };

// Where a popup menu opens: its top-left corner 3 px right of and below the pointer, or
// (from the tray icon) its top-right corner 5 px left of and above the pointer, with the
// bar brought to the foreground first.
enum class PopupPlacement { atPointer, trayMenu };

// Registration forms of start-with-Windows.
enum RunEntryMode : int { machineRunKey = 0, userStartupShortcut = 1 };

// Key state bits of mouse, wheel and key events.
enum : int { keyCtrl = 1, keyShift = 2, keyAlt = 4 };

// Everything that arrives from Windows, turned into plain calls. The platform calls the
// registered sink from its message dispatch (on the GUI thread); the sim from its clock.
class EventSink {
 public:
  virtual ~EventSink() = default;
  virtual void onTimer() {}
  virtual void onBarMouseDown(MouseButton, Point, int /*keyState*/) {}
  virtual void onBarMouseUp(MouseButton, Point, int /*keyState*/) {}
  virtual void onBarWheel(int /*notches*/, int /*keyState*/) {}
  virtual void onBarKey(int /*keyCode*/, int /*keyState*/) {}
  virtual void onButtonMouseDown(WindowId, MouseButton, Point, int /*keyState*/) {}
  virtual void onButtonMouseUp(WindowId, MouseButton, Point, int /*keyState*/) {}
  virtual void onButtonClicked(WindowId) {}
  virtual void onButtonWheel(WindowId, int /*notches*/, int /*keyState*/) {}
  virtual void onButtonKey(WindowId, int /*keyCode*/, int /*keyState*/) {}
  virtual void onMenuCommand(MenuItem) {}
  virtual void onTrayEvent(int /*kind*/) {}
  virtual void onFilesDropped(const std::vector<std::string>& /*paths*/) {}
};

class Platform {
 public:
  virtual ~Platform() = default;

  virtual void setEventSink(EventSink* sink) = 0;

  // Process and single instance.
  // True when a named event of that name already exists (another instance runs).
  virtual bool openNamedEvent(const std::string& name) = 0;
  // Creates the named event; it lives as long as the process.
  virtual void createNamedEvent(const std::string& name) = 0;
  // MessageBoxA with no owner and the given style; returns when dismissed.
  virtual void messageBox(const std::string& text, const std::string& caption, unsigned style) = 0;
  // Ends the process; never returns.
  [[noreturn]] virtual void exitProcess(int code) = 0;

  // Screen and the bar.
  virtual Size screenSize() = 0;
  virtual WindowId barWindow() = 0;
  // Keeps the bar open against the system close command (see closeFilter.h).
  virtual void installCloseFilter(WindowId) {}
  virtual void registerDropTarget(WindowId) {}
  virtual Rect windowRect(WindowId) = 0;
  virtual void setWindowRect(WindowId, const Rect&) = 0;
  virtual void setVisible(WindowId, bool visible) = 0;
  virtual void setTopmost(WindowId) = 0;
  virtual void setOpacity(WindowId, int alpha) = 0;

  // The auto-hide timer: period 0 stops it, a positive period (re)starts it; setting
  // the period in force changes nothing.
  virtual void setTimerPeriod(int milliseconds) = 0;
  // Returns after the given time, dispatching window events meanwhile.
  virtual void waitWithEvents(int milliseconds) = 0;

  // Pointer and windows.
  virtual void captureMouse(WindowId) {}
  virtual void releaseCapture() {}
  virtual Point cursorPos() { return {}; }
  virtual WindowId windowFromPoint(Point) { return 0; }
  virtual WindowId parentOf(WindowId) { return 0; }
  virtual ForegroundFacts foregroundFacts() { return {}; }

  // Game buttons: copies of the template button, children of the bar.
  virtual Size templateButtonSize() = 0;
  // A hidden copy of the template; 0 when the copy cannot be made.
  virtual WindowId copyTemplateButton() = 0;
  virtual void setParent(WindowId child, WindowId parent) = 0;
  virtual void moveWindow(WindowId, Point topLeft) = 0;
  virtual void destroyWindow(WindowId) = 0;
  virtual void setButtonTag(WindowId, const std::string& tag) = 0;
  virtual std::string buttonTag(WindowId) = 0;
  virtual void setButtonPictures(WindowId, const Bytes& normal, const Bytes& hot) = 0;
  // The game name, as caption and as tooltip at once.
  virtual void setButtonName(WindowId, const std::string& name) = 0;

  // Menus.
  virtual void setMenuCheck(MenuItem, bool) {}
  virtual bool menuCheck(MenuItem) { return false; }
  virtual void setMenuItemVisible(MenuItem, bool) {}
  // Pops up the menu under `top` (programMenu or fileMenu) and returns once it closed; a
  // chosen item arrives as onMenuCommand before that. Hidden items are left out with
  // everything below them.
  virtual void popupMenu(MenuItem /*top*/, PopupPlacement) {}

  // Tray icon.
  virtual void addTrayIcon(const std::string& /*tooltip*/) {}
  virtual void removeTrayIcon() {}
  virtual bool hasTrayIcon() { return false; }

  // Private-profile (INI) files.
  virtual std::string readProfileString(const std::string& section, const std::string& key,
                                        const std::string& path) = 0;
  virtual bool writeProfileString(const std::string& section, const std::string& key,
                                  const std::string& value, const std::string& path) = 0;

  // Files. Paths are ANSI texts with "\" separators.
  virtual bool fileExists(const std::string& path) = 0;  // FindFirstFileA succeeds
  virtual bool renameFile(const std::string& from, const std::string& to) = 0;
  // GetFileAttributesA: -1 when the path cannot be read; bit 16 marks a folder.
  virtual long fileAttributes(const std::string& /*path*/) { return -1; }
  // The path as the SQLite library takes it (UTF-8, native separators).
  virtual std::string storageFileName(const std::string& path) = 0;
  virtual std::string exeDirectory() = 0;  // without a trailing "\"
  virtual std::string exeFileName() = 0;

  // Start with Windows (registry Run value or Startup-folder shortcut).
  virtual std::string readRunEntry() { return {}; }
  virtual bool registerRunEntry(const std::string&, const std::string&, int /*mode*/) { return false; }
  virtual bool cancelRunEntry(const std::string&) { return false; }

  // The shell's default action on a file or folder, with a working directory.
  virtual void shellOpen(const std::string& /*file*/, const std::string& /*directory*/) {}
  // A shortcut's target, then one space and its arguments when it has any; empty when
  // the shortcut cannot be loaded.
  virtual std::string resolveShortcut(const std::string& /*linkPath*/) { return {}; }
  // The path's associated icon drawn on a 32 x 32 canvas of the given colour
  // (0x00RRGGBB), as a BMP file image; the bare canvas when there is no icon.
  virtual Bytes captureIcon(const std::string& /*path*/, uint32_t /*background*/) { return {}; }
};

}  // namespace tolvar
