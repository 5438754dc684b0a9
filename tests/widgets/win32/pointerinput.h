#pragma once
// Real pointer moves, button presses and keys, as a user's mouse and keyboard
// make them: the same calls as the X11 helper's, for the Windows build.
// SendInput on Windows; under Wine the X server's own input (xdotool), since
// SendInput stays inside Wine and skips what X events make Wine do, such as
// the grab a warp of the pointer takes away.
#include <windows.h>

#include <QDir>
#include <QFile>
#include <QPoint>
#include <QProcess>
#include <QStringList>
#include <QTest>
#include <vector>

namespace fakeinput {

inline bool UnderWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version"); }

// Wine's Unix name of a Windows path; empty on Windows itself.
inline QString UnixName(const QString& path) {
  using Convert = char*(__cdecl*)(const wchar_t*);
  const auto convert = reinterpret_cast<Convert>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  char* name = convert ? convert(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(path).utf16())) : nullptr;
  const QString unixName = QString::fromLocal8Bit(name);
  if (name) HeapFree(GetProcessHeap(), 0, name);
  return unixName;
}

// A shell command beside the X server Wine draws on, waited for; false on
// Windows itself. Wine starts a Unix program but cannot wait for it: it leaves
// a mark, in the test's temporary folder, when done.
inline bool Shell(const QString& command) {
  const QString mark = QDir::temp().filePath(QStringLiteral("huevox-xinput-%1").arg(GetCurrentProcessId()));
  QFile::remove(mark);
  return UnderWine() && QProcess::startDetached("Z:/bin/sh", {"-c", command + " && touch '" + UnixName(mark) + "'"}) &&
         QTest::qWaitFor([&] { return QFile::remove(mark); }, 5000);
}
inline bool Xdotool(const QString& arguments) { return Shell("xdotool " + arguments); }

inline void Send(DWORD flags, LONG dx = 0, LONG dy = 0) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi = {dx, dy, 0, flags, 0, 0};
  SendInput(1, &input, sizeof input);
}
// settleMs: a user's pace, leaving the program under test time to handle the step.
inline void Move(QPoint to, int settleMs = 0) {
  if (UnderWine()) {  // the virtual desktop's corner is the X root's
    Xdotool(QString("mousemove %1 %2").arg(to.x()).arg(to.y()));
  } else {  // absolute positions are in 1/65535 of the virtual desktop
    Send(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK,
         MulDiv(to.x() - GetSystemMetrics(SM_XVIRTUALSCREEN), 65535, GetSystemMetrics(SM_CXVIRTUALSCREEN) - 1),
         MulDiv(to.y() - GetSystemMetrics(SM_YVIRTUALSCREEN), 65535, GetSystemMetrics(SM_CYVIRTUALSCREEN) - 1));
  }
  QTest::qWait(settleMs);
}
// Button numbers as on X11: 1 left, 2 middle, 3 right.
inline void SendButton(int button, bool down) {
  static constexpr DWORD kDown[] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_RIGHTDOWN};
  if (UnderWine()) Xdotool((down ? "mousedown " : "mouseup ") + QString::number(button));
  else Send(down ? kDown[button - 1] : kDown[button - 1] << 1);  // each UP flag is its DOWN flag doubled
}
inline void Button(int button, bool down, int settleMs = 0) {
  SendButton(button, down);
  QTest::qWait(settleMs);
}
// A click quicker than any timer of the program's.
inline void PressAndRelease(int button) {
  if (UnderWine()) return void(Xdotool("click " + QString::number(button)));
  SendButton(button, true);
  SendButton(button, false);
}
// Keys to the active window, as the keyboard sends them: "Right", "shift+Left", "Escape".
inline bool Key(const QString& keys) {
  static const QStringList kNames{"shift", "Left", "Right", "Up", "Down", "Escape"};
  static constexpr WORD kCodes[] = {VK_SHIFT, VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_ESCAPE};
  if (UnderWine()) return Xdotool("key " + keys);
  std::vector<INPUT> inputs;  // each key's press and release round those of the keys after it
  for (const QString& name : keys.split('+')) {
    if (!kNames.contains(name)) return false;
    INPUT down{INPUT_KEYBOARD, {}}, up{INPUT_KEYBOARD, {}};
    down.ki.wVk = up.ki.wVk = kCodes[kNames.indexOf(name)];
    up.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.insert(inputs.begin() + inputs.size() / 2, {down, up});
  }
  return SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

}  // namespace fakeinput
