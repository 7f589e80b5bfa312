/* Stands in for another program that Glintbox starts (copied as unins000.exe, explorer.exe):
   writes the command line it was given and its current directory, one per line, to NAME-ran.txt
   beside itself, NAME being its own file name without ".exe", then ends. */
#include <windows.h>

#include <string.h>

static void WriteAll(HANDLE file, const char* text) {
  DWORD written = 0;
  WriteFile(file, text, (DWORD)strlen(text), &written, NULL);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR arguments, int show) {
  (void)instance;
  (void)previous;
  (void)arguments;
  (void)show;
  char done[MAX_PATH + 32];
  DWORD length = GetModuleFileNameA(NULL, done, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 1;
  char* dot = strrchr(done, '.');
  if (dot == NULL || strrchr(done, '\\') > dot) return 1;
  strcpy(dot, "-ran.txt");

  char part[MAX_PATH + 32];
  strcpy(part, done);
  strcat(part, ".part");

  char current[MAX_PATH];
  if (GetCurrentDirectoryA(MAX_PATH, current) == 0) current[0] = '\0';

  HANDLE file =
      CreateFileA(part, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return 1;
  WriteAll(file, GetCommandLineA());
  WriteAll(file, "\r\n");
  WriteAll(file, current);
  WriteAll(file, "\r\n");
  CloseHandle(file);
  /* Renamed once complete, so that a reader never sees half of it. */
  return MoveFileExA(part, done, MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
