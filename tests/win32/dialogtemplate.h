#pragma once
// In-memory dialog templates: real "#32770" dialogs without a resource file.
#include <string>
#include <vector>

#include <windows.h>

class DialogTemplate {
 public:
  static constexpr WORD kStatic = 0x0082;

  explicit DialogTemplate(const std::wstring& title) {
    Dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME | DS_SETFONT);
    Dword(0);  // extended style
    count_ = words_.size();
    Words({0, 10, 10, 200, 80});  // controls, x, y, cx, cy
    Words({0, 0});                // no menu, the standard dialog class
    String(title);
    Words({8});
    String(L"MS Shell Dlg");
  }

  DialogTemplate& Control(WORD kind, WORD id, DWORD style, const std::wstring& text, short x) {
    if (words_.size() % 2) words_.push_back(0);  // items start on a DWORD
    Dword(style | WS_CHILD | WS_VISIBLE);
    Dword(0);
    Words({static_cast<WORD>(x), 50, 50, 14, id, 0xFFFF, kind});
    String(text);
    Words({0});  // no creation data
    ++words_[count_];
    return *this;
  }

  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void Dword(DWORD v) { Words({LOWORD(v), HIWORD(v)}); }
  void Words(std::initializer_list<WORD> ws) {
    for (WORD w : ws) words_.push_back(w);  // not insert(): GCC 12 warns falsely on it
  }
  void String(const std::wstring& s) {
    for (wchar_t c : s) words_.push_back(static_cast<WORD>(c));
    words_.push_back(0);
  }

  std::vector<WORD> words_;
  size_t count_ = 0;
};
