// The simulated platform: an in-memory screen with windows, a pointer, a virtual clock
// that drives the timer and the waits, an in-memory settings file, and a record of the
// calls the program made. Tests arrange a world, run handlers and read the results.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace tolvar {

// exitProcess on the simulated platform: unwinds to the test that caused it.
struct SimProcessExit {
  int code = 0;
};

struct SimWindow {
  enum class Kind { bar, button } kind = Kind::button;
  Rect rect;
  bool visible = false;
  bool topmost = false;
  bool destroyed = false;
  WindowId parent = 0;
  int alpha = -1;  // -1: never made layered
  std::string tag;
  std::string name;  // caption and tooltip
  Bytes normalPicture;
  Bytes hotPicture;
};

struct SimMessageBox {
  std::string text;
  std::string caption;
  unsigned style = 0;
};

class SimPlatform : public Platform {
 public:
  // `realDirectory` is a real folder that stands for the executable's directory
  // `exeDirectory` (a Windows-style path) for the files SQLite opens.
  SimPlatform(std::string realDirectory, std::string exeDirectory = "C:\\Tolvar");

  // ---- The world, for tests to arrange ----
  Size screen{1366, 768};
  Size templateSize{50, 65};
  Point pointer;
  bool otherInstanceRunning = false;
  int failCopiesAfter = -1;  // copyTemplateButton fails once this many copies were made
  std::set<std::string> virtualFiles;
  // Private-profile files: path -> section -> key -> value.
  std::map<std::string, std::map<std::string, std::map<std::string, std::string>>> profiles;
  std::set<std::string> readOnlyProfiles;
  std::map<std::string, long> attributes;         // fileAttributes; -1 when absent
  std::map<std::string, std::string> shortcuts;   // link path -> resolved text
  std::map<std::string, uint32_t> iconColours;    // path -> colour of its "icon" square
  // The item the user picks from the next popup menu; none closes it without a choice.
  std::optional<MenuItem> nextMenuChoice;
  // Start with Windows.
  std::string runValue;                // the Run value "TolvarGM"; empty when absent
  bool runKeyWritable = true;
  bool startupFolderWritable = true;
  std::set<std::string> startupShortcuts;

  // ---- What the program did ----
  std::vector<std::string> calls;  // one line per recorded call
  struct ProfileWrite {
    std::string key;
    std::string value;
  };
  std::vector<ProfileWrite> profileWrites;
  std::vector<SimMessageBox> messageBoxes;
  struct ShellOpen {
    std::string file;
    std::string directory;
  };
  std::vector<ShellOpen> shellOpens;
  std::vector<std::pair<MenuItem, PopupPlacement>> popups;
  std::map<MenuItem, bool> menuChecks;
  std::map<MenuItem, bool> menuVisible;
  std::map<WindowId, SimWindow> windows;
  int timerPeriod = 0;
  int64_t now = 0;  // virtual milliseconds
  int timerTicks = 0;

  SimWindow& bar() { return windows.at(barId_); }
  SimWindow& window(WindowId id) { return windows.at(id); }
  // Runs `action` at virtual time `at` during a wait (or a later advance).
  void schedule(int64_t at, std::function<void()> action);
  // Advances the virtual clock, firing timer ticks and scheduled events on the way.
  void advance(int64_t milliseconds);
  // Profile value as the file holds it, or nullopt-like empty with `found` false.
  bool profileValue(const std::string& key, std::string* value) const;
  std::string settingsFile() const { return exeDirectory_ + "\\config.ini"; }

  // ---- Platform ----
  void setEventSink(EventSink* sink) override { sink_ = sink; }
  bool openNamedEvent(const std::string& name) override;
  void createNamedEvent(const std::string& name) override;
  void messageBox(const std::string& text, const std::string& caption, unsigned style) override;
  [[noreturn]] void exitProcess(int code) override;
  Size screenSize() override { return screen; }
  WindowId barWindow() override { return barId_; }
  void installCloseFilter(WindowId) override { calls.push_back("installCloseFilter"); }
  void registerDropTarget(WindowId) override { calls.push_back("registerDropTarget"); }
  Rect windowRect(WindowId id) override { return windows.at(id).rect; }
  void setWindowRect(WindowId id, const Rect& rect) override { windows.at(id).rect = rect; }
  void setVisible(WindowId id, bool visible) override { windows.at(id).visible = visible; }
  void setTopmost(WindowId id) override;
  void setOpacity(WindowId id, int alpha) override;
  void setTimerPeriod(int milliseconds) override;
  void waitWithEvents(int milliseconds) override;
  void captureMouse(WindowId) override { calls.push_back("captureMouse"); }
  void releaseCapture() override { calls.push_back("releaseCapture"); }
  Point cursorPos() override { return pointer; }
  WindowId windowFromPoint(Point p) override;
  WindowId parentOf(WindowId id) override;
  Size templateButtonSize() override { return templateSize; }
  WindowId copyTemplateButton() override;
  void setParent(WindowId child, WindowId parent) override { windows.at(child).parent = parent; }
  void moveWindow(WindowId id, Point topLeft) override;
  void destroyWindow(WindowId id) override;
  void setButtonTag(WindowId id, const std::string& tag) override { windows.at(id).tag = tag; }
  std::string buttonTag(WindowId id) override { return windows.at(id).tag; }
  void setButtonPictures(WindowId id, const Bytes& normal, const Bytes& hot) override;
  void setButtonName(WindowId id, const std::string& name) override { windows.at(id).name = name; }
  void setMenuCheck(MenuItem item, bool on) override { menuChecks[item] = on; }
  bool menuCheck(MenuItem item) override { return menuChecks[item]; }
  void setMenuItemVisible(MenuItem item, bool on) override { menuVisible[item] = on; }
  void popupMenu(MenuItem top, PopupPlacement placement) override;
  void addTrayIcon(const std::string& tooltip) override;
  void removeTrayIcon() override;
  bool hasTrayIcon() override { return trayIcon_; }
  std::string readProfileString(const std::string& section, const std::string& key,
                                const std::string& path) override;
  bool writeProfileString(const std::string& section, const std::string& key, const std::string& value,
                          const std::string& path) override;
  bool fileExists(const std::string& path) override;
  bool renameFile(const std::string& from, const std::string& to) override;
  std::string storageFileName(const std::string& path) override;
  long fileAttributes(const std::string& path) override;
  std::string readRunEntry() override { return runValue; }
  bool registerRunEntry(const std::string& name, const std::string& path, int mode) override;
  bool cancelRunEntry(const std::string& name) override;
  void shellOpen(const std::string& file, const std::string& directory) override;
  std::string resolveShortcut(const std::string& linkPath) override;
  Bytes captureIcon(const std::string& path, uint32_t background) override;
  std::string exeDirectory() override { return exeDirectory_; }
  std::string exeFileName() override { return "TolvarGM.exe"; }

 private:
  void fireDue(int64_t until);

  std::string realDirectory_;
  std::string exeDirectory_;
  WindowId barId_ = 1;
  WindowId nextId_ = 100;
  int copies_ = 0;
  bool eventCreated_ = false;
  bool trayIcon_ = false;
  EventSink* sink_ = nullptr;
  int64_t nextTick_ = 0;
  std::multimap<int64_t, std::function<void()>> scheduled_;
};

}  // namespace tolvar
