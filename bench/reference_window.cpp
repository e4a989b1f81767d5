// The reference for the start-up figure: a minimal Windows program that shows one
// top-level window and waits.
#include <windows.h>

namespace {
LRESULT CALLBACK referenceProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = referenceProc;
  wc.hInstance = instance;
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = "ReferenceWindow";
  RegisterClassA(&wc);
  HWND window = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "ReferenceWindow", "", WS_POPUP, 0, 0, 1366, 85,
                                nullptr, nullptr, instance, nullptr);
  ShowWindow(window, SW_SHOWNOACTIVATE);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}
