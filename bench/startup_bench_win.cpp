// A measured run under Wine: time from process start to the bar shown with a full grid
// (220 games on 1366 x 768), beside a minimal program that shows one window. Prints the
// median and the range of several runs; asserts nothing about them.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/texts.h"
#include "catalogue/bmp_picture.h"
#include "catalogue/game_store.h"

namespace {

using namespace tolvar;

std::string folderFor(const char* name) {
  std::string path = std::string(TOLVAR_BENCH_WORK) + "\\" + name;
  CreateDirectoryA(TOLVAR_BENCH_WORK, nullptr);
  CreateDirectoryA(path.c_str(), nullptr);
  return path;
}

std::string picture(uint32_t colour) {
  Picture p;
  p.width = 32;
  p.height = 32;
  p.pixels.assign(32 * 32, colour);
  return encodeBmp(p);
}

void seedFullStore(const std::string& file) {
  DeleteFileA(file.c_str());
  RecordStore::createStore(file, gameFieldSpec());
  RecordStore store{gameFieldSpec()};
  store.openStore(file);
  RecordStore::Transaction fill(store);
  for (int i = 1; i <= 220; ++i) {
    store.appendRecord({FieldValue::ofInteger(i), FieldValue::ofText("game " + std::to_string(i)),
                        FieldValue::ofText("C:\\Games\\game.exe"), FieldValue::ofBytes(picture(rgb(200, 40, 40))),
                        FieldValue::ofBytes(picture(rgb(40, 200, 40)))});
  }
  fill.commit();
}

HWND findVisible(DWORD pid, const char* className) {
  struct Search {
    DWORD pid;
    const char* className;
    HWND found;
  } search{pid, className, nullptr};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        char name[128] = {};
        GetClassNameA(window, name, sizeof name);
        if (owner == s->pid && IsWindowVisible(window) && std::string(name) == s->className) {
          s->found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Milliseconds from CreateProcess to a visible window of the class; -1 on failure.
double timeToWindow(const std::string& exe, const char* className, int buttonsExpected) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::string command = "\"" + exe + "\"";
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    return -1;
  }
  double elapsed = -1;
  for (;;) {
    QueryPerformanceCounter(&now);
    const double ms = double(now.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart);
    if (ms > 30000) break;
    HWND window = findVisible(info.dwProcessId, className);
    if (window) {
      int shown = 0;
      for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child)) ++shown;
      }
      if (shown >= buttonsExpected) {
        elapsed = ms;
        break;
      }
    }
    Sleep(1);
  }
  TerminateProcess(info.hProcess, 0);
  WaitForSingleObject(info.hProcess, 5000);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return elapsed;
}

void report(const char* what, std::vector<double> runs) {
  std::sort(runs.begin(), runs.end());
  std::printf("%-44s median %8.1f ms   min %8.1f ms   max %8.1f ms   (%zu runs)\n", what, runs[runs.size() / 2],
              runs.front(), runs.back(), runs.size());
}

}  // namespace

int main() {
  constexpr int runs = 5;
  const std::string program = folderFor("full_grid");
  CopyFileA(TOLVAR_EXE_PATH, (program + "\\TolvarGM.exe").c_str(), FALSE);
  std::vector<double> bar, reference;
  for (int i = 0; i < runs; ++i) {
    seedFullStore(program + "\\" + texts::storeFileName);
    DeleteFileA((program + "\\config.ini").c_str());
    bar.push_back(timeToWindow(program + "\\TolvarGM.exe", texts::barClassName, 220));
    reference.push_back(timeToWindow(TOLVAR_REFERENCE_EXE, "ReferenceWindow", 0));
  }
  std::printf("Start-up under Wine, process start to window shown:\n");
  report("bar with 220 game buttons", bar);
  report("reference: minimal program, one window", reference);
  return std::any_of(bar.begin(), bar.end(), [](double v) { return v < 0; }) ? 1 : 0;
}
