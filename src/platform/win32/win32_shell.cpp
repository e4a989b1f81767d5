// The shell side of the Win32 platform: popup menus, the tray icon, start-with-Windows,
// opening files, shortcuts and icons.
#include <windows.h>
// (windows.h first: the shell headers build on it)
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <vector>

#include "app/texts.h"
#include "base/fatal.h"
#include "catalogue/bmp_picture.h"
#include "ids.h"
#include "platform/win32/scoped.h"
#include "platform/win32/win32_platform.h"

namespace tolvar::win32 {

namespace {

constexpr UINT firstMenuCommand = 100;
constexpr UINT trayIconId = 1;
constexpr const char* runKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The two menu trees: level 1 items belong to the nearest top item above them, level 2
// items to the nearest level 1 item above them.
struct MenuEntry {
  MenuItem item;
  const char* text;
  int level;
};
const MenuEntry menuTable[] = {
    {MenuItem::programMenu, texts::menuProgram, 0},
    {MenuItem::addGame, texts::menuAddGame, 1},
    {MenuItem::systemSettings, texts::menuSystemSettings, 1},
    {MenuItem::trayHide, texts::menuTrayHide, 2},
    {MenuItem::alwaysPopUp, texts::menuAlwaysPopUp, 2},
    {MenuItem::runAtStartup, texts::menuRunAtStartup, 2},
    {MenuItem::changeDirection, texts::menuChangeDirection, 1},
    {MenuItem::directionUp, texts::menuUp, 2},
    {MenuItem::directionDown, texts::menuDown, 2},
    {MenuItem::directionLeft, texts::menuLeft, 2},
    {MenuItem::directionRight, texts::menuRight, 2},
    {MenuItem::exitProgram, texts::menuExit, 1},
    {MenuItem::fileMenu, texts::menuFile, 0},
    {MenuItem::changeInfo, texts::menuChangeInfo, 1},
    {MenuItem::openFolder, texts::menuOpenFolder, 1},
    {MenuItem::deleteGame, texts::menuDeleteGame, 1},
};

UINT commandOf(MenuItem item) { return firstMenuCommand + static_cast<UINT>(item); }

std::wstring widen(const std::string& ansi) {
  const int length = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 1), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, wide.data(), length);
  wide.resize(wcslen(wide.c_str()));
  return wide;
}

std::string startupFolder() {
  char folder[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathA(nullptr, folder, CSIDL_STARTUP, FALSE)) return {};
  return folder;
}

}  // namespace

void Win32Platform::popupMenu(MenuItem top, PopupPlacement placement) {
  // The popup is built afresh from the table with the current check marks, leaving
  // hidden items out together with everything below them.
  std::vector<HMENU> menus;
  HMENU root = CreatePopupMenu();
  HMENU level1 = nullptr;
  bool inTree = false;
  bool level1Hidden = false;
  for (const MenuEntry& entry : menuTable) {
    if (entry.level == 0) {
      inTree = entry.item == top;
      continue;
    }
    if (!inTree) continue;
    const bool hidden = menuVisible_.count(entry.item) && !menuVisible_[entry.item];
    const UINT checked = menuChecks_[entry.item] ? MF_CHECKED : MF_UNCHECKED;
    if (entry.level == 1) {
      level1Hidden = hidden;
      level1 = nullptr;
      if (hidden) continue;
      const bool hasChildren = &entry + 1 < std::end(menuTable) && (&entry + 1)->level == 2;
      if (hasChildren) {
        level1 = CreatePopupMenu();
        menus.push_back(level1);
        AppendMenuA(root, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(level1), entry.text);
      } else {
        AppendMenuA(root, MF_STRING | checked, commandOf(entry.item), entry.text);
      }
    } else if (!level1Hidden && !hidden && level1) {
      AppendMenuA(level1, MF_STRING | checked, commandOf(entry.item), entry.text);
    }
  }

  POINT at{};
  GetCursorPos(&at);
  UINT flags = TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_TOPALIGN;
  int x = at.x + 3;
  int y = at.y + 3;
  if (placement == PopupPlacement::trayMenu) {
    SetForegroundWindow(bar_);
    flags |= TPM_RIGHTALIGN;
    x = at.x - 5;
    y = at.y - 5;
  } else {
    // The owner must be in the foreground or the menu does not close when the user
    // clicks elsewhere.
    SetForegroundWindow(bar_);
    flags |= TPM_LEFTALIGN;
  }
  const UINT chosen = static_cast<UINT>(TrackPopupMenu(root, flags, x, y, 0, bar_, nullptr));
  if (placement == PopupPlacement::trayMenu) PostMessageA(bar_, WM_NULL, 0, 0);
  DestroyMenu(root);  // destroys the submenus with it
  if (chosen) onMenuChosen(chosen);
}

void Win32Platform::onMenuChosen(UINT commandId) {
  for (const MenuEntry& entry : menuTable) {
    if (commandOf(entry.item) == commandId) {
      const MenuItem item = entry.item;
      notify([item](EventSink& sink) { sink.onMenuCommand(item); });
      return;
    }
  }
}

void Win32Platform::onTrayMessage(LPARAM lParam) {
  int kind = 0;
  switch (LOWORD(lParam)) {
    case WM_LBUTTONUP: kind = 1; break;
    case WM_LBUTTONDBLCLK: kind = 2; break;
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU: kind = 3; break;
    default: return;
  }
  notify([kind](EventSink& sink) { sink.onTrayEvent(kind); });
}

void Win32Platform::addTrayIcon(const std::string& tooltip) {
  if (!trayPicture_) {
    trayPicture_ = static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  }
  NOTIFYICONDATAA data{};
  data.cbSize = sizeof data;
  data.hWnd = bar_;
  data.uID = trayIconId;
  data.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
  data.uCallbackMessage = trayCallbackMessage;
  data.hIcon = trayPicture_;
  lstrcpynA(data.szTip, tooltip.c_str(), sizeof data.szTip);
  trayTooltip_ = tooltip;
  Shell_NotifyIconA(NIM_ADD, &data);
  trayIcon_ = true;
}

void Win32Platform::removeTrayIcon() {
  NOTIFYICONDATAA data{};
  data.cbSize = sizeof data;
  data.hWnd = bar_;
  data.uID = trayIconId;
  Shell_NotifyIconA(NIM_DELETE, &data);
  trayIcon_ = false;
}

long Win32Platform::fileAttributes(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes == INVALID_FILE_ATTRIBUTES ? -1 : static_cast<long>(attributes);
}

std::string Win32Platform::readRunEntry() {
  RegistryKey key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", 0, KEY_READ,
                    key.out()) != ERROR_SUCCESS) {
    return {};
  }
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(key.get(), "TolvarGM", nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return {};
  if (type != REG_SZ && type != REG_EXPAND_SZ) return {};
  std::vector<char> data(size + 2, '\0');
  if (RegQueryValueExA(key.get(), "TolvarGM", nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
      ERROR_SUCCESS) {
    return {};
  }
  std::string value(data.data());  // up to the first zero, whether or not one was stored
  if (type == REG_EXPAND_SZ) {
    const DWORD needed = ExpandEnvironmentStringsA(value.c_str(), nullptr, 0);
    std::vector<char> expanded(needed + 1, '\0');
    ExpandEnvironmentStringsA(value.c_str(), expanded.data(), needed);
    value = expanded.data();
  }
  return value;
}

bool Win32Platform::registerRunEntry(const std::string& name, const std::string& path, int mode) {
  if (!fileExists(path)) return false;
  if (mode == userStartupShortcut) {
    const std::string link = startupFolder() + "\\" + name + ".lnk";
    ComPtr<IShellLinkA> shellLink;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, shellLink.out()))) {
      return false;
    }
    ComPtr<IPersistFile> file;
    if (FAILED(shellLink->QueryInterface(IID_IPersistFile, file.out()))) return false;
    shellLink->SetPath(path.c_str());
    file->Save(widen(link).c_str(), TRUE);
    SHChangeNotify(SHCNE_CREATE, SHCNF_PATHA, link.c_str(), nullptr);
    SHChangeNotify(SHCNE_UPDATEDIR, SHCNF_PATHA, startupFolder().c_str(), nullptr);
    return true;
  }
  RegistryKey key;
  if (RegOpenKeyA(HKEY_LOCAL_MACHINE, runKeyPath, key.out()) != ERROR_SUCCESS) return false;
  // The stored text ends with its terminating zero, as REG_SZ data should.
  return RegSetValueExA(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                        static_cast<DWORD>(path.size() + 1)) == ERROR_SUCCESS;
}

bool Win32Platform::cancelRunEntry(const std::string& name) {
  bool removed = false;
  {
    RegistryKey key;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, runKeyPath, key.out()) == ERROR_SUCCESS) {
      removed = RegDeleteValueA(key.get(), name.c_str()) == ERROR_SUCCESS;
    }
  }
  const std::string folder = startupFolder();
  const std::string link = folder + "\\" + name + ".lnk";
  if (DeleteFileA(link.c_str())) removed = true;
  SHChangeNotify(SHCNE_UPDATEDIR, SHCNF_PATHA, folder.c_str(), nullptr);
  return removed;
}

void Win32Platform::shellOpen(const std::string& file, const std::string& directory) {
  ShellExecuteA(nullptr, nullptr, file.c_str(), nullptr, directory.empty() ? nullptr : directory.c_str(),
                SW_SHOWNORMAL);
}

std::string Win32Platform::resolveShortcut(const std::string& linkPath) {
  ComPtr<IShellLinkA> shellLink;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, shellLink.out()))) {
    return {};
  }
  ComPtr<IPersistFile> file;
  if (FAILED(shellLink->QueryInterface(IID_IPersistFile, file.out()))) return {};
  if (FAILED(file->Load(widen(linkPath).c_str(), STGM_READ))) return {};
  char target[1024] = {};
  char arguments[1024] = {};
  shellLink->GetPath(target, sizeof target, nullptr, 0);
  shellLink->GetArguments(arguments, sizeof arguments);
  std::string result = target;
  if (arguments[0]) result += std::string(" ") + arguments;
  return result;
}

Bytes Win32Platform::captureIcon(const std::string& path, uint32_t background) {
  // Drawn in memory rather than copied from a canvas on screen, so nothing that covers
  // the bar can end up in the picture.
  constexpr int side = 32;
  Picture picture;
  picture.width = side;
  picture.height = side;
  picture.pixels.assign(side * side, background);

  std::vector<char> buffer(path.size() + MAX_PATH + 1, '\0');
  path.copy(buffer.data(), path.size());
  WORD index = 0;
  HICON icon = ExtractAssociatedIconA(instance_, buffer.data(), &index);
  if (icon) {
    HDC screen = GetDC(nullptr);
    MemoryDc memory(screen);
    DibSurface canvas = makeDibSurface(screen, side, side);
    ReleaseDC(nullptr, screen);
    if (canvas.bitmap && canvas.pixels && memory.get()) {
      uint32_t* pixels = canvas.pixels;
      for (int i = 0; i < side * side; ++i) pixels[i] = background;
      {
        ScopedSelect select(memory.get(), canvas.bitmap.get());
        DrawIcon(memory.get(), 0, 0, icon);
        GdiFlush();
      }
      for (int i = 0; i < side * side; ++i) picture.pixels[static_cast<std::size_t>(i)] = pixels[i] & 0x00FFFFFF;
    }
    DestroyIcon(icon);
  }
  return encodeBmp(picture);
}

}  // namespace tolvar::win32
