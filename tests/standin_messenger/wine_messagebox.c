/* The messenger's two dialogs as Wine shows them: plain message boxes, which
   Wine maps as ordinary top-level X windows. Appends the buttons chosen to
   the file named on the command line. Built with mingw-w64 when present. */
#include <stdio.h>
#include <windows.h>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  FILE* record = fopen(argv[1], "ab");
  if (!record) return 1;
  const int first = MessageBoxA(NULL, "Load the buddy list?", "Load Buddy List", MB_OKCANCEL);
  fprintf(record, "Load Buddy List %s\n", first == IDOK ? "OK" : "other");
  fflush(record);
  const int second = MessageBoxA(NULL, "Your buddy list was loaded.", "AOL Instant Messenger", MB_OK);
  fprintf(record, "AOL Instant Messenger %s\n", second == IDOK ? "OK" : "other");
  fclose(record);
  return 0;
}
