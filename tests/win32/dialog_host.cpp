// The "other program" for the dialog automation tests. It shows one window and
// exits with what happened to it:
//   dialog_host msgbox TITLE     Yes/No message box, "No" focused and default;
//                                exits with IDYES (6) or IDNO (7)
//   dialog_host nobuttons TITLE  dialog with only a text; WM_CLOSE exits with 2
//   dialog_host window TITLE     a plain top-level window (not a dialog) with a
//                                button; WM_CLOSE exits with 3
// Whatever happens, it gives up after 30 s with exit code 99.
#include <string>
#include <thread>

#include "win32/dialogtemplate.h"

#include <shellapi.h>

namespace {

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message == WM_CLOSE) EndDialog(dialog, IDCANCEL);
  return message == WM_INITDIALOG || message == WM_CLOSE;
}

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(3);
  return DefWindowProcW(window, message, wParam, lParam);
}

int PlainWindow(const std::wstring& title) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = PlainWindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"HuevoxPlainWindow";
  RegisterClassW(&wc);
  HWND window = CreateWindowW(wc.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                              20, 20, 300, 120, nullptr, nullptr, wc.hInstance, nullptr);
  CreateWindowW(L"Button", L"OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 80, 24, window,
                reinterpret_cast<HMENU>(101), wc.hInstance, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc != 3) return 98;
  const std::wstring mode = argv[1];
  const std::wstring title = argv[2];
  std::thread([] {
    Sleep(30000);
    ExitProcess(99);
  }).detach();

  if (mode == L"msgbox")
    return MessageBoxW(nullptr, L"Load this buddy list?", title.c_str(), MB_YESNO | MB_DEFBUTTON2);
  if (mode == L"window") return PlainWindow(title);
  if (mode != L"nobuttons") return 98;
  DialogTemplate dialog(title);
  dialog.Control(DialogTemplate::kStatic, 0xFFFF, SS_LEFT, L"Only text here", 10);
  return static_cast<int>(
      DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.get(), nullptr, DialogProc, 0));
}
