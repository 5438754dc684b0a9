// The Win32 dialog automation against real message boxes of another process
// (this program started again as a host), and the association queries and
// ShellExecuteW failures.
#include <gtest/gtest.h>

#include <chrono>
#include <process.h>
#include <optional>
#include <string>
#include <thread>

#include "platform/dialogautomation.h"
#include "platform/shellopen.h"

#include <windows.h>

using namespace huevox::platform;
using namespace std::chrono_literals;

namespace {

constexpr auto kPatience = 15s;  // a first Wine process can take seconds to start
constexpr char kHost[] = "--message-box-host";  // see main

// This program again, showing a Yes/No message box with "No" focused and
// default (see main); ended with the test.
class Host {
 public:
  explicit Host(const std::wstring& title) {
    std::wstring exe(MAX_PATH, L'\0');
    exe.resize(GetModuleFileNameW(nullptr, exe.data(), MAX_PATH));
    const std::wstring host(kHost, kHost + std::size(kHost) - 1);
    process_ = reinterpret_cast<HANDLE>(_wspawnl(_P_NOWAIT, exe.c_str(), L"host", host.c_str(),
                                                 (L'"' + title + L'"').c_str(), nullptr));
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
  Host wanted(L"Load Buddy List");
  ASSERT_TRUE(wanted.started());
  ASSERT_NE(WaitForDialog(*automation, "Load Buddy List"), 0u);
  Host shouting(L"LOAD BUDDY LIST");
  ASSERT_TRUE(shouting.started());
  ASSERT_NE(WaitForDialog(*automation, "LOAD BUDDY LIST"), 0u);
  const HWND own = CreateWindowW(L"#32770", L"Load Buddy List", WS_POPUP | WS_CAPTION | WS_VISIBLE,  // as our own message boxes
                                0, 0, 200, 80, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(own, nullptr);
  // Or this test would not test the walk.
  ASSERT_NE(ProcessOf(reinterpret_cast<WindowId>(FindWindowA("#32770", "Load Buddy List"))), wanted.id());
  for (const char* title : {"load buddy list", "Load Buddy", "Load Buddy List ", ""})
    EXPECT_EQ(automation->FindDialog(title), 0u) << title;

  const WindowId dialog = automation->FindDialog("Load Buddy List");
  EXPECT_EQ(ProcessOf(dialog), wanted.id());
  EXPECT_TRUE(automation->PressFirstButton(dialog));
  EXPECT_EQ(wanted.ExitCode(kPatience), std::optional<DWORD>(IDYES));
  EXPECT_EQ(shouting.ExitCode(0ms), std::nullopt);  // the look-alike is left alone
  // Gone with its process: nothing left to find or press.
  EXPECT_EQ(automation->FindDialog("Load Buddy List"), 0u);
  EXPECT_FALSE(automation->PressFirstButton(dialog));
  DestroyWindow(own);
}

TEST(Win32ShellOpen, TellsRegisteredTypesAndWhyAFileWasNotOpened) {
  EXPECT_TRUE(ProgramRegisteredFor("C:\\some folder\\setup.ini"));  // Notepad, also in Wine
  EXPECT_FALSE(ProgramRegisteredFor("C:\\some folder\\font.huevoxnone"));
  EXPECT_FALSE(ProgramRegisteredFor("C:\\some.folder\\font"));
  const OpenResult missing = OpenWithAssociation("C:\\no such folder\\setup.ini");
  EXPECT_FALSE(missing.opened);
  EXPECT_EQ(missing.problem, "the file is not there");
}

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == kHost) {
    std::thread([] {  // whatever happens, gone after 30 s
      Sleep(30000);
      ExitProcess(99);
    }).detach();
    return MessageBoxA(nullptr, "Load this buddy list?", argv[2], MB_YESNO | MB_DEFBUTTON2);
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
