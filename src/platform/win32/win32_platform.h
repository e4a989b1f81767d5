// The platform seam over the real Windows calls (the ANSI forms), for one bar window.
#pragma once

#include <windows.h>

#include <map>
#include <utility>
#include <string>

#include "platform/platform.h"
#include "platform/win32/input.h"
#include "platform/win32/scoped.h"

namespace tolvar::win32 {

class DropTarget;

// The message the tray icon sends to the bar.
inline constexpr UINT trayCallbackMessage = WM_APP + 1;

class Win32Platform final : public Platform {
 public:
  explicit Win32Platform(HINSTANCE instance);
  ~Win32Platform() override;
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  // Registers the window classes and creates the hidden bar with its template button and
  // tooltip, as designed. False when the bar cannot be created.
  bool createBar();

  void setEventSink(EventSink* sink) override { sink_ = sink; }
  bool openNamedEvent(const std::string& name) override;
  void createNamedEvent(const std::string& name) override;
  void messageBox(const std::string& text, const std::string& caption, unsigned style) override;
  [[noreturn]] void exitProcess(int code) override;
  Size screenSize() override;
  WindowId barWindow() override { return id(bar_); }
  void installCloseFilter(WindowId) override;
  void registerDropTarget(WindowId) override;
  Rect windowRect(WindowId) override;
  void setWindowRect(WindowId, const Rect&) override;
  void setVisible(WindowId, bool visible) override;
  void setTopmost(WindowId) override;
  void setOpacity(WindowId, int alpha) override;
  void setTimerPeriod(int milliseconds) override;
  void waitWithEvents(int milliseconds) override;
  void captureMouse(WindowId) override;
  void releaseCapture() override;
  Point cursorPos() override;
  WindowId windowFromPoint(Point) override;
  WindowId parentOf(WindowId) override;
  ForegroundFacts foregroundFacts() override;
  Size templateButtonSize() override;
  WindowId copyTemplateButton() override;
  void setParent(WindowId child, WindowId parent) override;
  void moveWindow(WindowId, Point topLeft) override;
  void destroyWindow(WindowId) override;
  void setButtonTag(WindowId, const std::string& tag) override;
  std::string buttonTag(WindowId) override;
  void setButtonPictures(WindowId, const Bytes& normal, const Bytes& hot) override;
  void setButtonName(WindowId, const std::string& name) override;
  void setMenuCheck(MenuItem item, bool on) override { menuChecks_[item] = on; }
  bool menuCheck(MenuItem item) override { return menuChecks_[item]; }
  void setMenuItemVisible(MenuItem item, bool on) override { menuVisible_[item] = on; }
  void popupMenu(MenuItem top, PopupPlacement placement) override;
  void addTrayIcon(const std::string& tooltip) override;
  void removeTrayIcon() override;
  bool hasTrayIcon() override { return trayIcon_; }
  long fileAttributes(const std::string& path) override;
  std::string readRunEntry() override;
  bool registerRunEntry(const std::string& name, const std::string& path, int mode) override;
  bool cancelRunEntry(const std::string& name) override;
  void shellOpen(const std::string& file, const std::string& directory) override;
  std::string resolveShortcut(const std::string& linkPath) override;
  Bytes captureIcon(const std::string& path, uint32_t background) override;
  std::string readProfileString(const std::string& section, const std::string& key,
                                const std::string& path) override;
  bool writeProfileString(const std::string& section, const std::string& key, const std::string& value,
                          const std::string& path) override;
  bool fileExists(const std::string& path) override;
  bool renameFile(const std::string& from, const std::string& to) override;
  std::string storageFileName(const std::string& path) override;
  std::string exeDirectory() override;
  std::string exeFileName() override;

 private:
  static WindowId id(HWND window) { return reinterpret_cast<WindowId>(window); }
  static HWND hwnd(WindowId window) { return reinterpret_cast<HWND>(window); }
  static LRESULT CALLBACK barProc(HWND, UINT, WPARAM, LPARAM) noexcept;
  static LRESULT CALLBACK barWindowProc(HWND, UINT, WPARAM, LPARAM) noexcept;
  LRESULT handleBarMessage(HWND, UINT, WPARAM, LPARAM);
  template <typename F>
  void notify(F&& call) noexcept {
    callHandlers(sink_, std::forward<F>(call));
  }
  std::string modulePath();
  void onMenuChosen(UINT commandId);
  void onTrayMessage(LPARAM lParam);

  HINSTANCE instance_;
  HWND bar_ = nullptr;
  HWND template_ = nullptr;
  HWND tooltip_ = nullptr;
  HCURSOR cursor_ = nullptr;
  WNDPROC oldWindowProc_ = nullptr;
  GdiObject<HFONT> captionFont_;
  UniqueHandle instanceEvent_;
  DropTarget* dropTarget_ = nullptr;
  EventSink* sink_ = nullptr;
  int timerPeriod_ = 0;
  bool trayIcon_ = false;
  HICON trayPicture_ = nullptr;
  std::string trayTooltip_;
  UINT taskbarCreatedMessage_ = 0;
  std::map<MenuItem, bool> menuChecks_;
  std::map<MenuItem, bool> menuVisible_;
};

}  // namespace tolvar::win32
