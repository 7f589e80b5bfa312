/* Stands in for a DLL that someone left beside Glintbox.exe, built as winmm.dll: when a program
   loads it, it leaves NAME-loaded.txt beside itself (NAME: its file name without ".dll"). It
   exports the two calls the program once took from winmm.dll, so that a program that loads it
   runs on as it would with the real one. */
#include <windows.h>

#include <string.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  (void)reserved;
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  char path[MAX_PATH + 16];
  DWORD length = GetModuleFileNameA(instance, path, MAX_PATH);
  char* dot = length > 0 && length < MAX_PATH ? strrchr(path, '.') : NULL;
  if (dot == NULL) return TRUE;
  strcpy(dot, "-loaded.txt");
  HANDLE file =
      CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  return TRUE;
}

__declspec(dllexport) UINT WINAPI timeBeginPeriod(UINT period) {
  (void)period;
  return 0;
}

__declspec(dllexport) UINT WINAPI timeEndPeriod(UINT period) {
  (void)period;
  return 0;
}
