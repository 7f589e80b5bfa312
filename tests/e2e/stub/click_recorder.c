/* A plain window for the end-to-end tests to click on: it fills itself with one colour and
   appends every left press and release it receives, in client coordinates, to a file.

   click_recorder X Y WIDTH HEIGHT FILE [RRGGBB]

   Lines: "down X Y" and "up X Y". The file is opened and closed for each line, so that a
   reader never waits for a buffer. */
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

static const char* recordFile;

static void Record(const char* what, LPARAM lParam) {
  FILE* file = fopen(recordFile, "ab");
  if (file == NULL) return;
  fprintf(file, "%s %d %d\r\n", what, (int)(short)LOWORD(lParam), (int)(short)HIWORD(lParam));
  fclose(file);
}

static LRESULT CALLBACK RecorderProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN: /* no CS_DBLCLKS: a second press is a press too */
      Record("down", lParam);
      return 0;
    case WM_LBUTTONUP:
      Record("up", lParam);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
  (void)previous;
  (void)commandLine;
  (void)show;
  if (__argc < 6) {
    MessageBoxA(NULL, "click_recorder X Y WIDTH HEIGHT FILE [RRGGBB]", "Click recorder", MB_OK);
    return 2;
  }
  recordFile = __argv[5];
  unsigned long rgb = __argc > 6 ? strtoul(__argv[6], NULL, 16) : 0x3050A0;
  COLORREF colour = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);

  WNDCLASSA windowClass = {0};
  windowClass.lpfnWndProc = RecorderProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
  windowClass.hbrBackground = CreateSolidBrush(colour);
  windowClass.lpszClassName = "ClickRecorder";
  if (!RegisterClassA(&windowClass)) return 1;

  /* A popup has no frame: its client area is its whole X window. */
  HWND hwnd = CreateWindowExA(0, "ClickRecorder", "Click recorder", WS_POPUP | WS_VISIBLE,
                              atoi(__argv[1]), atoi(__argv[2]), atoi(__argv[3]), atoi(__argv[4]),
                              NULL, NULL, instance, NULL);
  if (hwnd == NULL) return 1;

  MSG message;
  while (GetMessageA(&message, NULL, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
