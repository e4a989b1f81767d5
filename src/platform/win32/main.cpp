// Process entry of the Windows program.
#include <windows.h>
// (windows.h first: the headers below build on it)
#include <commctrl.h>
#include <ole2.h>

#include "app/bar_events.h"
#include "app/program_state.h"
#include "app/startup.h"
#include "base/fatal.h"
#include "platform/win32/win32_platform.h"

namespace {

// The program lives in a folder its user can write to: load DLLs from the system folder
// only, never from beside the executable or from the working directory.
void restrictDllSearch() {
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  auto setDefault = kernel ? reinterpret_cast<SetDefaultDllDirectoriesFn>(
                                 reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")))
                           : nullptr;
  if (setDefault) setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
  SetDllDirectoryA("");
}

[[noreturn]] void reportProgrammingError(const std::string& what) {
  MessageBoxA(nullptr, what.c_str(), "Tolvar", MB_OK | MB_TASKMODAL);
  ExitProcess(0);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  restrictDllSearch();
  tolvar::setProgrammingErrorHandler(reportProgrammingError);
  const bool oleReady = SUCCEEDED(OleInitialize(nullptr));
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  int exitCode = 0;
  {
    tolvar::win32::Win32Platform platform(instance);
    tolvar::ProgramState state;
    tolvar::BarEvents events(state, platform);
    platform.setEventSink(&events);
    if (platform.createBar()) {
      tolvar::runStartup(state, platform);
      MSG message;
      while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
      }
      exitCode = 0;
    }
    platform.setEventSink(nullptr);
  }
  if (oleReady) OleUninitialize();
  return exitCode;
}
