#include "e2e_support.h"

#include <fstream>
#include <sstream>

#include "app/texts.h"

namespace tolvar::e2e {

namespace {

void removeTree(const std::string& path) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string child = path + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        removeTree(child);
      } else {
        SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(child.c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(path.c_str());
}

}  // namespace

ProgramFolder::ProgramFolder(const std::string& testName) {
  CreateDirectoryA(TOLVAR_E2E_WORK, nullptr);
  path_ = std::string(TOLVAR_E2E_WORK) + "\\" + testName;
  removeTree(path_);
  CreateDirectoryA(path_.c_str(), nullptr);
  CopyFileA(TOLVAR_EXE_PATH, exe().c_str(), FALSE);
}

bool ProgramFolder::exists(const std::string& name) const {
  return GetFileAttributesA(file(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ProgramFolder::readSetting(const char* key) const {
  char buffer[256] = {};
  GetPrivateProfileStringA(texts::settingsSection, key, "", buffer, sizeof buffer,
                           file(texts::settingsFileName).c_str());
  return buffer;
}

bool ProgramFolder::hasSetting(const char* key) const {
  char buffer[256] = {};
  GetPrivateProfileStringA(texts::settingsSection, key, "\x01missing", buffer, sizeof buffer,
                           file(texts::settingsFileName).c_str());
  return std::string(buffer) != "\x01missing";
}

void ProgramFolder::writeSetting(const char* key, const std::string& value) const {
  WritePrivateProfileStringA(texts::settingsSection, key, value.c_str(), file(texts::settingsFileName).c_str());
}

std::string ProgramFolder::readFile(const std::string& name) const {
  std::ifstream in(file(name), std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void ProgramFolder::writeFile(const std::string& name, const std::string& bytes) const {
  std::ofstream(file(name), std::ios::binary) << bytes;
}

RunningProgram::RunningProgram(const ProgramFolder& folder) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::string commandLine = "\"" + folder.exe() + "\"";
  // Started from another working directory: the program must find its files beside
  // itself, not in the current directory.
  if (CreateProcessA(folder.exe().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                     "C:\\windows", &startup, &info)) {
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    pid_ = info.dwProcessId;
  }
}

RunningProgram::~RunningProgram() {
  kill();
  if (process_) CloseHandle(process_);
}

HWND RunningProgram::waitForBar(int timeoutMs) {
  HWND bar = nullptr;
  eventually([&] { return (bar = findProcessWindow(pid_, texts::barClassName)) != nullptr || !running(); },
             timeoutMs);
  return bar;
}

bool RunningProgram::waitForExit(int timeoutMs, DWORD* code) {
  if (!process_ || WaitForSingleObject(process_, static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0) return false;
  GetExitCodeProcess(process_, code);
  return true;
}

bool RunningProgram::running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

void RunningProgram::kill() {
  if (running()) {
    TerminateProcess(process_, 0);
    WaitForSingleObject(process_, 5000);
  }
}

RECT windowRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

std::string windowText(HWND window) {
  char buffer[512] = {};
  GetWindowTextA(window, buffer, sizeof buffer);
  return buffer;
}

namespace {

struct Search {
  DWORD pid;
  const char* className;
  bool visibleOnly;
  HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  if (pid == search->pid && std::string(name) == search->className &&
      (!search->visibleOnly || IsWindowVisible(window))) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

struct Children {
  HWND parent;
  const char* className;
  std::vector<HWND> found;
};

BOOL CALLBACK collectChild(HWND window, LPARAM param) {
  auto* children = reinterpret_cast<Children*>(param);
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  if (GetParent(window) == children->parent && std::string(name) == children->className) {
    children->found.push_back(window);
  }
  return TRUE;
}

}  // namespace

HWND findProcessWindow(DWORD pid, const char* className, bool visibleOnly) {
  Search search{pid, className, visibleOnly, nullptr};
  EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> childWindows(HWND parent, const char* className) {
  Children children{parent, className, {}};
  EnumChildWindows(parent, collectChild, reinterpret_cast<LPARAM>(&children));
  return children.found;
}

void movePointer(int x, int y) {
  const int cx = GetSystemMetrics(SM_CXSCREEN);
  const int cy = GetSystemMetrics(SM_CYSCREEN);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = (x * 65535 + cx / 2) / (cx - 1);
  input.mi.dy = (y * 65535 + cy / 2) / (cy - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
}

Picture captureScreen(const RECT& area) {
  Picture picture;
  picture.width = area.right - area.left;
  picture.height = area.bottom - area.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -picture.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, picture.width, picture.height, screen, area.left, area.top, SRCCOPY);
  GdiFlush();
  const auto* pixels = static_cast<const uint32_t*>(bits);
  picture.pixels.assign(pixels, pixels + static_cast<std::size_t>(picture.width) * picture.height);
  for (uint32_t& p : picture.pixels) p &= 0x00FFFFFF;
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return picture;
}

std::string saveArtifact(const std::string& name, const Picture& picture) {
  CreateDirectoryA(TOLVAR_E2E_ARTIFACTS, nullptr);
  const std::string path = std::string(TOLVAR_E2E_ARTIFACTS) + "\\" + name + ".bmp";
  std::ofstream(path, std::ios::binary) << encodeBmp(picture);
  return path;
}

std::string makePictureBmp(uint32_t background, uint32_t square) {
  Picture p;
  p.width = 32;
  p.height = 32;
  p.pixels.assign(32 * 32, background);
  for (int y = 8; y < 24; ++y) {
    for (int x = 8; x < 24; ++x) p.pixels[static_cast<std::size_t>(y) * 32 + x] = square;
  }
  return encodeBmp(p);
}

}  // namespace tolvar::e2e
