// Driving the real program under Wine from a test program: a fresh folder per test with
// a copy of the .exe, starting and ending it, finding its windows, reading its files,
// moving the pointer and reading the screen.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "catalogue/bmp_picture.h"

namespace tolvar::e2e {

// A new, empty folder with a copy of the program in it.
class ProgramFolder {
 public:
  explicit ProgramFolder(const std::string& testName);
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "\\" + name; }
  std::string exe() const { return file("TolvarGM.exe"); }
  bool exists(const std::string& name) const;
  std::string readSetting(const char* key) const;  // empty when missing
  bool hasSetting(const char* key) const;
  void writeSetting(const char* key, const std::string& value) const;
  std::string readFile(const std::string& name) const;
  void writeFile(const std::string& name, const std::string& bytes) const;

 private:
  std::string path_;
};

// One run of the program; ended (if still running) when the object goes.
class RunningProgram {
 public:
  explicit RunningProgram(const ProgramFolder& folder);
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  bool started() const { return process_ != nullptr; }
  DWORD pid() const { return pid_; }
  // The program's bar once it is visible; nullptr after the timeout.
  HWND waitForBar(int timeoutMs = 15000);
  // True when the process ended within the time; the exit code then in *code.
  bool waitForExit(int timeoutMs, DWORD* code);
  bool running() const;
  void kill();

 private:
  HANDLE process_ = nullptr;
  DWORD pid_ = 0;
};

// Polls until the condition holds or the time is up.
template <typename F>
bool eventually(F&& condition, int timeoutMs = 10000) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() > end) return false;
    Sleep(50);
  }
}

RECT windowRect(HWND window);
std::string windowText(HWND window);
// The visible top-level window of a process with the given class, or nullptr.
HWND findProcessWindow(DWORD pid, const char* className, bool visibleOnly = true);
// The child windows of a class, in creation (Z) order.
std::vector<HWND> childWindows(HWND parent, const char* className);

// Moves the pointer to an exact screen pixel with SendInput.
void movePointer(int x, int y);
// The screen's pixels over a rectangle (0x00RRGGBB).
Picture captureScreen(const RECT& area);
// Saves a picture as a BMP file into the artifacts folder; returns its path.
std::string saveArtifact(const std::string& name, const Picture& picture);

// A 24-bit 32 x 32 picture filled with a colour, with a square of another colour.
std::string makePictureBmp(uint32_t background, uint32_t square);

}  // namespace tolvar::e2e
