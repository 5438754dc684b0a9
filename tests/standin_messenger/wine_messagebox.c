// The messenger's two dialogs as Wine shows them: plain message boxes, which
// Wine maps as ordinary top-level X windows. Appends the buttons chosen to
// the file named first on the command line, after the lines of the file named
// second, if any (the font settings file, when it is opened through a .blt
// association). A third argument: seconds it takes to start, as a slow
// messenger does; "page" instead: a browser that records the path it was
// opened with, and no dialogs. With HUEVOX_STANDIN_RECORD set, that file is
// the record and the command line is the messenger's own: the file to open,
// alone. Built with mingw-w64 when present.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

int main(int argc, char** argv) {
  const char* named = getenv("HUEVOX_STANDIN_RECORD");
  const int file = named ? 1 : 2; // where the file to open is
  if (!named && argc < 2) return 2;
  const int page = argc > file + 1 && strcmp(argv[file + 1], "page") == 0;
  if (argc > file + 1 && !page) Sleep(atoi(argv[file + 1]) * 1000);
  FILE* record = fopen(named ? named : argv[1], "ab");
  if (!record) return 1;
  if (page) {
    fprintf(record, "page: %s\n", argv[file]);
    fclose(record);
    return 0;
  }
  FILE* opened = argc > file ? fopen(argv[file], "rb") : NULL;
  char line[1024];
  while (opened && fgets(line, sizeof line, opened)) fprintf(record, "line: %s", line);
  if (opened) fclose(opened);
  fflush(record);
  const int first = MessageBoxA(NULL, "Load the buddy list?", "Load Buddy List", MB_OKCANCEL);
  fprintf(record, "Load Buddy List %s\n", first == IDOK ? "OK" : "other");
  fflush(record);
  const int second = MessageBoxA(NULL, "Your buddy list was loaded.", "AOL Instant Messenger", MB_OK);
  fprintf(record, "AOL Instant Messenger %s\n", second == IDOK ? "OK" : "other");
  fclose(record);
  return 0;
}
