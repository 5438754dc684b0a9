// The "other program" for the dialog automation tests. It shows one window and
// exits with what happened to it:
//   dialog_host msgbox TITLE     Yes/No message box, "No" focused and default;
//                                exits with IDYES (6) or IDNO (7)
//   dialog_host nobuttons TITLE  a window of the dialog class with only a text;
//                                WM_CLOSE exits with IDCANCEL (2)
//   dialog_host window TITLE     a plain top-level window (not a dialog) with a
//                                button; WM_CLOSE exits with 3
// Whatever happens, it gives up after 30 s with exit code 99.
#include <string>
#include <thread>

#include <windows.h>
#include <shellapi.h>

namespace {

INT_PTR CALLBACK DialogProc(HWND, UINT message, WPARAM, LPARAM) {
  if (message == WM_CLOSE) PostQuitMessage(IDCANCEL);
  return message == WM_CLOSE;
}

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(3);
  return DefWindowProcW(window, message, wParam, lParam);
}

// A window of the given class with one child of the given class; runs until it quits.
int Show(const wchar_t* windowClass, const std::wstring& title, const wchar_t* childClass, const wchar_t* text) {
  HWND window = CreateWindowW(windowClass, title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 300, 120,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  CreateWindowW(childClass, text, WS_CHILD | WS_VISIBLE, 10, 10, 120, 24, window, reinterpret_cast<HMENU>(101),
                GetModuleHandleW(nullptr), nullptr);
  if (std::wstring(windowClass) == L"#32770") SetWindowLongPtrW(window, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(DialogProc));
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
  if (mode == L"nobuttons") return Show(L"#32770", title, L"Static", L"Only text here");
  if (mode != L"window") return 98;
  WNDCLASSW wc{};
  wc.lpfnWndProc = PlainWindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"HuevoxPlainWindow";
  RegisterClassW(&wc);
  return Show(wc.lpszClassName, title, L"Button", L"OK");
}
