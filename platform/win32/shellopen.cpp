// Windows: the shell's own association, through ShellExecuteW and
// AssocQueryStringW. Only windows.h and the standard library, so this builds
// and is tested with the Qt-free core.
#include "platform/shellopen.h"

#include <windows.h>
#include <shellapi.h>
#include <shlwapi.h>

namespace huevox::platform {
namespace {

std::wstring Utf16(const std::string& utf8) {
  const int size = static_cast<int>(utf8.size());
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), n);
  return wide;
}

std::wstring Extension(const std::wstring& path) {
  const size_t dot = path.find_last_of(L".\\/");
  if (dot == std::wstring::npos || path[dot] != L'.') return {};
  return path.substr(dot);
}

}  // namespace

OpenResult OpenWithAssociation(const std::string& path) {
  const std::wstring file = Utf16(path);
  // Results of 32 or less are errors, the rest are not handles to look at.
  const auto code = reinterpret_cast<INT_PTR>(
      ShellExecuteW(GetDesktopWindow(), L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (code > 32) return {true, {}};
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return {false, "the file is not there"};
    case SE_ERR_NOASSOC: return {false, "no program is set to open this type of file"};
    case SE_ERR_ACCESSDENIED: return {false, "access was denied"};
    default: return {false, "the shell refused it (error " + std::to_string(code) + ")"};
  }
}

bool ProgramRegisteredFor(const std::string& path) {
  const std::wstring extension = Extension(Utf16(path));
  if (extension.empty()) return false;
  // Without IGNOREUNKNOWN an unknown type answers with the "Open with" chooser.
  // No buffer: only the length of the program's path is asked for.
  DWORD length = 0;
  return SUCCEEDED(AssocQueryStringW(ASSOCF_INIT_IGNOREUNKNOWN, ASSOCSTR_EXECUTABLE,
                                     extension.c_str(), L"open", nullptr, &length)) &&
         length > 1;
}

std::string WhereToSetTheMessenger() { return {}; }  // "Open with" in Explorer

}  // namespace huevox::platform
