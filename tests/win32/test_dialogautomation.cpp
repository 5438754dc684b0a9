// The Win32 dialog automation against real dialogs of another process
// (dialog_host.exe beside this program), and the association queries and
// ShellExecuteW failures.
#include <gtest/gtest.h>

#include <chrono>
#include <process.h>
#include <optional>
#include <thread>

#include "platform/dialogautomation.h"
#include "platform/shellopen.h"

#include <windows.h>

using namespace huevox::platform;
using namespace std::chrono_literals;

namespace {

constexpr auto kPatience = 15s;  // a first Wine process can take seconds to start

// The other program, dialog_host.exe beside this one, ended with the test.
class Host {
 public:
  Host(const wchar_t* mode, const std::wstring& title) {
    std::wstring exe(MAX_PATH, L'\0');
    exe.resize(GetModuleFileNameW(nullptr, exe.data(), MAX_PATH));
    exe = exe.substr(0, exe.find_last_of(L"\\/") + 1) + L"dialog_host.exe";
    process_ = reinterpret_cast<HANDLE>(_wspawnl(_P_NOWAIT, exe.c_str(), L"dialog_host", mode, (L'"' + title + L'"').c_str(), nullptr));
  }
  ~Host() {
    if (!started()) return;
    TerminateProcess(process_, 1);  // nothing, once it has ended
    WaitForSingleObject(process_, 5000);
    CloseHandle(process_);
  }
  bool started() const { return process_ != INVALID_HANDLE_VALUE; }
  DWORD id() const { return GetProcessId(process_); }
  // Its exit code, or nothing while it still runs after `wait`.
  std::optional<DWORD> ExitCode(std::chrono::milliseconds wait) const {
    DWORD code = 0;
    if (WaitForSingleObject(process_, static_cast<DWORD>(wait.count())) != WAIT_OBJECT_0) return std::nullopt;
    GetExitCodeProcess(process_, &code);
    return code;
  }

 private:
  HANDLE process_;
};

// Polls as ConfirmBuddyListLoad does.
WindowId WaitForDialog(DialogAutomation& automation, const std::string& title) {
  const auto end = std::chrono::steady_clock::now() + kPatience;
  while (std::chrono::steady_clock::now() < end) {
    if (const WindowId id = automation.FindDialog(title)) return id;
    std::this_thread::sleep_for(20ms);
  }
  return 0;
}

DWORD ProcessOf(WindowId id) {
  DWORD process = 0;
  GetWindowThreadProcessId(reinterpret_cast<HWND>(id), &process);
  return process;
}

}  // namespace

// The messenger's dialogs are message boxes: the first button is pressed even
// when another one is focused and default. FindWindowA ignores case and meets
// the look-alikes first (they are newer, so on top): the search must walk on
// past them to the dialog of another program with exactly that title.
TEST(Win32DialogAutomation, PressesTheFirstButtonOfAnotherProgramsDialogWithExactlyThatTitle) {
  auto automation = CreateDialogAutomation();
  Host wanted(L"msgbox", L"Load Buddy List");
  ASSERT_TRUE(wanted.started());
  ASSERT_NE(WaitForDialog(*automation, "Load Buddy List"), 0u);
  Host shouting(L"nobuttons", L"LOAD BUDDY LIST");
  ASSERT_TRUE(shouting.started());
  const WindowId mute = WaitForDialog(*automation, "LOAD BUDDY LIST");
  ASSERT_NE(mute, 0u);
  const HWND own = CreateWindowW(L"#32770", L"Load Buddy List", WS_POPUP | WS_CAPTION | WS_VISIBLE,  // as our own message boxes
                                0, 0, 200, 80, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(own, nullptr);
  // Or this test would not test the walk.
  ASSERT_NE(ProcessOf(reinterpret_cast<WindowId>(FindWindowA("#32770", "Load Buddy List"))),
            wanted.id());
  for (const char* title : {"load buddy list", "Load Buddy", "Load Buddy List ", ""})
    EXPECT_EQ(automation->FindDialog(title), 0u) << title;

  const WindowId dialog = automation->FindDialog("Load Buddy List");
  EXPECT_EQ(ProcessOf(dialog), wanted.id());
  EXPECT_TRUE(automation->PressFirstButton(dialog));
  EXPECT_EQ(wanted.ExitCode(kPatience), std::optional<DWORD>(IDYES));
  // Gone with its process: nothing left to find or press.
  EXPECT_EQ(automation->FindDialog("Load Buddy List"), 0u);
  EXPECT_FALSE(automation->PressFirstButton(dialog));
  // A dialog without buttons is found, but not pressed.
  EXPECT_FALSE(automation->PressFirstButton(mute));
  EXPECT_EQ(shouting.ExitCode(300ms), std::nullopt);
  PostMessageW(reinterpret_cast<HWND>(mute), WM_CLOSE, 0, 0);
  EXPECT_EQ(shouting.ExitCode(kPatience), std::optional<DWORD>(IDCANCEL));
  DestroyWindow(own);
}

// A plain top-level window of another program, with that title and a button.
TEST(Win32DialogAutomation, WindowsThatAreNotDialogsAreNotFound) {
  auto automation = CreateDialogAutomation();
  Host host(L"window", L"Load Buddy List");
  ASSERT_TRUE(host.started());
  HWND plain = nullptr;
  for (auto end = std::chrono::steady_clock::now() + kPatience;
       !plain && std::chrono::steady_clock::now() < end; std::this_thread::sleep_for(20ms))
    plain = FindWindowW(L"HuevoxPlainWindow", L"Load Buddy List");
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(automation->FindDialog("Load Buddy List"), 0u);
}

TEST(Win32ShellOpen, TellsRegisteredTypesAndWhyAFileWasNotOpened) {
  EXPECT_TRUE(ProgramRegisteredFor("C:\\some folder\\setup.ini"));  // Notepad, also in Wine
  EXPECT_FALSE(ProgramRegisteredFor("C:\\some folder\\font.huevoxnone"));
  EXPECT_FALSE(ProgramRegisteredFor("C:\\some.folder\\font"));
  const OpenResult missing = OpenWithAssociation("C:\\no such folder\\setup.ini");
  EXPECT_FALSE(missing.opened);
  EXPECT_EQ(missing.problem, "the file is not there");
}
