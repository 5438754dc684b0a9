// The Win32 association queries and ShellExecuteW failures, under Wine or Windows.
#include <gtest/gtest.h>

#include "platform/shellopen.h"

using namespace huevox::platform;

TEST(Win32ShellOpen, TellsRegisteredTypesAndWhyAFileWasNotOpened) {
  EXPECT_TRUE(ProgramRegisteredFor("C:\\some folder\\setup.ini"));  // Notepad, also in Wine
  EXPECT_FALSE(ProgramRegisteredFor("C:\\some folder\\font.huevoxnone"));
  EXPECT_FALSE(ProgramRegisteredFor("C:\\some.folder\\font"));
  const OpenResult missing = OpenWithAssociation("C:\\no such folder\\setup.ini");
  EXPECT_FALSE(missing.opened);
  EXPECT_EQ(missing.problem, "the file is not there");
}
