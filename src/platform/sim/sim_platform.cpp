#include "platform/sim/sim_platform.h"

#include <filesystem>

#include "catalogue/bmp_picture.h"
#include <utility>

namespace tolvar {

namespace fs = std::filesystem;

SimPlatform::SimPlatform(std::string realDirectory, std::string exeDirectory)
    : realDirectory_(std::move(realDirectory)), exeDirectory_(std::move(exeDirectory)) {
  SimWindow bar;
  bar.kind = SimWindow::Kind::bar;
  // The design size, centred on the screen; start-up moves and sizes it.
  bar.rect = {(screen.width - 406) / 2, (screen.height - 133) / 2, 406, 133};
  bar.topmost = true;
  windows[barId_] = bar;
}

void SimPlatform::schedule(int64_t at, std::function<void()> action) {
  scheduled_.emplace(at, std::move(action));
}

void SimPlatform::fireDue(int64_t until) {
  // Timer ticks and scheduled events in time order; each runs to completion and may
  // itself wait, which advances the clock further.
  for (;;) {
    const bool tickDue = timerPeriod > 0 && nextTick_ <= until;
    const auto next = scheduled_.begin();
    const bool eventDue = next != scheduled_.end() && next->first <= until;
    if (!tickDue && !eventDue) break;
    if (eventDue && (!tickDue || next->first <= nextTick_)) {
      if (next->first > now) now = next->first;
      auto action = std::move(next->second);
      scheduled_.erase(next);
      action();
    } else {
      if (nextTick_ > now) now = nextTick_;
      nextTick_ = now + timerPeriod;
      ++timerTicks;
      if (sink_) sink_->onTimer();
    }
  }
  if (until > now) now = until;
}

void SimPlatform::advance(int64_t milliseconds) { fireDue(now + milliseconds); }

bool SimPlatform::openNamedEvent(const std::string& name) {
  calls.push_back("openNamedEvent " + name);
  return otherInstanceRunning || eventCreated_;
}

void SimPlatform::createNamedEvent(const std::string& name) {
  calls.push_back("createNamedEvent " + name);
  eventCreated_ = true;
}

void SimPlatform::messageBox(const std::string& text, const std::string& caption, unsigned style) {
  calls.push_back("messageBox " + caption);
  messageBoxes.push_back({text, caption, style});
}

void SimPlatform::exitProcess(int code) {
  calls.push_back("exitProcess " + std::to_string(code));
  throw SimProcessExit{code};
}

void SimPlatform::setTopmost(WindowId id) {
  calls.push_back("setTopmost");
  windows.at(id).topmost = true;
}

void SimPlatform::setOpacity(WindowId id, int alpha) {
  calls.push_back("setOpacity " + std::to_string(alpha));
  windows.at(id).alpha = alpha;
}

void SimPlatform::setTimerPeriod(int milliseconds) {
  calls.push_back("setTimerPeriod " + std::to_string(milliseconds));
  if (milliseconds == timerPeriod) return;
  timerPeriod = milliseconds;
  if (milliseconds > 0) nextTick_ = now + milliseconds;
}

void SimPlatform::waitWithEvents(int milliseconds) {
  calls.push_back("waitWithEvents " + std::to_string(milliseconds));
  advance(milliseconds);
}

WindowId SimPlatform::windowFromPoint(Point p) {
  auto contains = [](const Rect& r, Point q) {
    return q.x >= r.left && q.x < r.left + r.width && q.y >= r.top && q.y < r.top + r.height;
  };
  const SimWindow& barWindow = windows.at(barId_);
  if (!barWindow.visible || !contains(barWindow.rect, p)) return 0;
  for (const auto& [id, w] : windows) {
    if (w.kind != SimWindow::Kind::button || w.destroyed || !w.visible || w.parent != barId_) continue;
    const Rect screenRect{barWindow.rect.left + w.rect.left, barWindow.rect.top + w.rect.top, w.rect.width,
                          w.rect.height};
    if (contains(screenRect, p)) return id;
  }
  return barId_;
}

WindowId SimPlatform::parentOf(WindowId id) {
  auto it = windows.find(id);
  return it == windows.end() ? 0 : it->second.parent;
}

WindowId SimPlatform::copyTemplateButton() {
  if (failCopiesAfter >= 0 && copies_ >= failCopiesAfter) {
    calls.push_back("copyTemplateButton failed");
    return 0;
  }
  ++copies_;
  SimWindow button;
  button.rect = {32, 24, templateSize.width, templateSize.height};
  const WindowId id = nextId_++;
  windows[id] = button;
  return id;
}

void SimPlatform::moveWindow(WindowId id, Point topLeft) {
  SimWindow& w = windows.at(id);
  w.rect.left = topLeft.x;
  w.rect.top = topLeft.y;
}

void SimPlatform::destroyWindow(WindowId id) {
  SimWindow& w = windows.at(id);
  w.destroyed = true;
  w.visible = false;
}

void SimPlatform::setButtonPictures(WindowId id, const Bytes& normal, const Bytes& hot) {
  windows.at(id).normalPicture = normal;
  windows.at(id).hotPicture = hot;
}

void SimPlatform::popupMenu(MenuItem top, PopupPlacement placement) {
  calls.push_back("popupMenu");
  popups.push_back({top, placement});
  if (nextMenuChoice) {
    const MenuItem chosen = *nextMenuChoice;
    nextMenuChoice.reset();
    if (sink_) sink_->onMenuCommand(chosen);
  }
}

long SimPlatform::fileAttributes(const std::string& path) {
  auto it = attributes.find(path);
  if (it != attributes.end()) return it->second;
  return fileExists(path) ? 0x20 /* FILE_ATTRIBUTE_ARCHIVE */ : -1;
}

bool SimPlatform::registerRunEntry(const std::string& name, const std::string& path, int mode) {
  calls.push_back("registerRunEntry " + name + " " + std::to_string(mode));
  if (!fileExists(path)) return false;
  if (mode == userStartupShortcut) {
    if (!startupFolderWritable) return false;
    startupShortcuts.insert(name);
    return true;
  }
  if (!runKeyWritable) return false;
  runValue = path;
  return true;
}

bool SimPlatform::cancelRunEntry(const std::string& name) {
  calls.push_back("cancelRunEntry " + name);
  bool removed = false;
  if (!runValue.empty() && runKeyWritable) {
    runValue.clear();
    removed = true;
  }
  if (startupShortcuts.erase(name)) removed = true;
  return removed;
}

void SimPlatform::shellOpen(const std::string& file, const std::string& directory) {
  calls.push_back("shellOpen " + file);
  shellOpens.push_back({file, directory});
}

std::string SimPlatform::resolveShortcut(const std::string& linkPath) {
  auto it = shortcuts.find(linkPath);
  return it == shortcuts.end() ? std::string() : it->second;
}

Bytes SimPlatform::captureIcon(const std::string& path, uint32_t background) {
  // A 32 x 32 canvas of the background with, for a path that has an icon, a square of
  // the icon's colour in the middle.
  Picture picture;
  picture.width = 32;
  picture.height = 32;
  picture.pixels.assign(32 * 32, background);
  auto it = iconColours.find(path);
  if (it != iconColours.end()) {
    for (int y = 8; y < 24; ++y) {
      for (int x = 8; x < 24; ++x) picture.pixels[static_cast<std::size_t>(y) * 32 + x] = it->second;
    }
  }
  return encodeBmp(picture);
}

void SimPlatform::addTrayIcon(const std::string& tooltip) {
  calls.push_back("addTrayIcon " + tooltip);
  trayIcon_ = true;
}

void SimPlatform::removeTrayIcon() {
  calls.push_back("removeTrayIcon");
  trayIcon_ = false;
}

std::string SimPlatform::readProfileString(const std::string& section, const std::string& key,
                                           const std::string& path) {
  auto file = profiles.find(path);
  if (file == profiles.end()) return {};
  auto sec = file->second.find(section);
  if (sec == file->second.end()) return {};
  auto value = sec->second.find(key);
  return value == sec->second.end() ? std::string() : value->second;
}

bool SimPlatform::writeProfileString(const std::string& section, const std::string& key,
                                     const std::string& value, const std::string& path) {
  profileWrites.push_back({key, value});
  if (readOnlyProfiles.count(path)) return false;
  profiles[path][section][key] = value;
  virtualFiles.insert(path);
  return true;
}

bool SimPlatform::profileValue(const std::string& key, std::string* value) const {
  auto file = profiles.find(settingsFile());
  if (file == profiles.end()) return false;
  for (const auto& [section, keys] : file->second) {
    auto it = keys.find(key);
    if (it != keys.end()) {
      *value = it->second;
      return true;
    }
  }
  return false;
}

bool SimPlatform::fileExists(const std::string& path) {
  if (virtualFiles.count(path)) return true;
  std::error_code ec;
  return fs::exists(storageFileName(path), ec);
}

bool SimPlatform::renameFile(const std::string& from, const std::string& to) {
  calls.push_back("renameFile");
  std::error_code ec;
  fs::rename(storageFileName(from), storageFileName(to), ec);
  return !ec;
}

std::string SimPlatform::storageFileName(const std::string& path) {
  const std::string prefix = exeDirectory_ + "\\";
  if (path.compare(0, prefix.size(), prefix) == 0) return realDirectory_ + "/" + path.substr(prefix.size());
  return realDirectory_ + "/unmapped/" + path;
}

}  // namespace tolvar
