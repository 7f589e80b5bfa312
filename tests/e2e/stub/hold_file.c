/* Another program that has a file open: opens it sharing nothing, so that every other open of it
   fails, and holds it until it is ended or the time runs out.

   hold_file FILE SECONDS

   Creates FILE.held once the file is held, so that a test knows when to go on. */
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
  (void)instance;
  (void)previous;
  (void)commandLine;
  (void)show;
  if (__argc < 3) return 2;
  HANDLE file = CreateFileA(__argv[1], GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
  if (file == INVALID_HANDLE_VALUE) return 1;

  char marker[MAX_PATH + 8];
  if (snprintf(marker, sizeof marker, "%s.held", __argv[1]) >= (int)sizeof marker) return 1;
  HANDLE held = CreateFileA(marker, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  if (held == INVALID_HANDLE_VALUE) return 1;
  CloseHandle(held);

  Sleep((DWORD)atoi(__argv[2]) * 1000);
  CloseHandle(file);
  return 0;
}
