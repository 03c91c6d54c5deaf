#pragma once
// What Windows answers when it refuses each function the program reaches,
// and what the program must then do. One row per function, both of a
// function's text variants, so that the table holds whichever the program
// file imports:
//   REFUSE(library, function, failure value, last error, allowed, rule)
//   COUNT(library, function, reason it is never refused)
// A refused call returns the failure value, with the last error set, as
// Windows' own refusal does. "allowed" is what the user may see then:
//   Quiet     the run goes on as scripted, no box;
//   ErrorBox  the program's error box ("Quorbel") with a message of its own;
//   Store     the program's error box with one of the store's messages;
//   AppError  "Anwendungsfehler", then exit code 1;
//   TimerBox  "Anwendungsfehler" with "Nicht genügend Timer verfügbar", exit 1;
//   Sound     a fallback, or the error box, or the application error box:
//             whatever the program does, it tells or does it right;
//   Any       whatever shows, as long as nothing crashes or hangs.

// The table names functions of every Windows the program runs on, newer
// ones' included.
#undef _WIN32_WINNT
#undef WINVER
#define _WIN32_WINNT 0x0A00
#define WINVER 0x0A00
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <objbase.h>
#include <shellapi.h>

// clang-format off
#define QUORBEL_GDI_CREATION(X, f) \
    X(gdi32, f, 0, ERROR_NOT_ENOUGH_MEMORY, Sound, \
      "the drawing falls back to drawing without it; never a crash")

#define QUORBEL_REFUSALS(REFUSE, COUNT) \
    /* --- user32: windows and classes --- */ \
    REFUSE(user32, CreateWindowExA, 0, ERROR_NOT_ENOUGH_MEMORY, AppError | ErrorBox, \
           "a window not made ends start-up with the application error box, or ends its handler with the error box; never a window half built") \
    REFUSE(user32, CreateWindowExW, 0, ERROR_NOT_ENOUGH_MEMORY, AppError | ErrorBox, \
           "as CreateWindowExA") \
    REFUSE(user32, RegisterClassA, 0, ERROR_NOT_ENOUGH_MEMORY, AppError | ErrorBox, \
           "as a window not made") \
    REFUSE(user32, RegisterClassW, 0, ERROR_NOT_ENOUGH_MEMORY, AppError | ErrorBox, \
           "as a window not made") \
    REFUSE(user32, GetClassInfoA, FALSE, ERROR_CLASS_DOES_NOT_EXIST, Sound, \
           "the class is registered (again): the run goes on") \
    REFUSE(user32, GetClassInfoW, FALSE, ERROR_CLASS_DOES_NOT_EXIST, Sound, "as GetClassInfoA") \
    REFUSE(user32, SetPropA, FALSE, ERROR_NOT_ENOUGH_MEMORY, AppError | ErrorBox, \
           "a window the program cannot find again is a window not made") \
    REFUSE(user32, SetPropW, FALSE, ERROR_NOT_ENOUGH_MEMORY, AppError | ErrorBox, "as SetPropA") \
    REFUSE(user32, RemovePropA, 0, ERROR_INVALID_WINDOW_HANDLE, Sound, "the window goes all the same") \
    REFUSE(user32, RemovePropW, 0, ERROR_INVALID_WINDOW_HANDLE, Sound, "as RemovePropA") \
    REFUSE(user32, SetWindowLongA, 0, ERROR_ACCESS_DENIED, AppError | ErrorBox, \
           "a control whose procedure cannot be taken over is a window not made") \
    REFUSE(user32, SetWindowLongW, 0, ERROR_ACCESS_DENIED, AppError | ErrorBox, "as SetWindowLongA") \
    QUORBEL_REFUSALS_64(REFUSE) \
    REFUSE(user32, GetWindowLongA, 0, ERROR_INVALID_WINDOW_HANDLE, Sound, "styles read as none: the run goes on") \
    REFUSE(user32, GetWindowLongW, 0, ERROR_INVALID_WINDOW_HANDLE, Sound, "as GetWindowLongA") \
    REFUSE(user32, DestroyWindow, FALSE, ERROR_ACCESS_DENIED, Sound, "the program ends all the same") \
    REFUSE(user32, SetWindowPos, FALSE, ERROR_INVALID_WINDOW_HANDLE, Sound, \
           "the window keeps its place and size: the run goes on") \
    REFUSE(user32, AdjustWindowRectEx, FALSE, ERROR_INVALID_PARAMETER, Sound, \
           "the window takes its client size for its outer size") \
    REFUSE(user32, AdjustWindowRectExForDpi, FALSE, ERROR_INVALID_PARAMETER, Sound, \
           "as AdjustWindowRectEx") \
    REFUSE(user32, GetDpiForWindow, 0, ERROR_INVALID_WINDOW_HANDLE, Sound, \
           "the screen's resolution stands in") \
    REFUSE(user32, GetSystemMetricsForDpi, 0, ERROR_INVALID_PARAMETER, Sound, \
           "a metric of 0: the run goes on") \
    REFUSE(user32, GetSystemMetrics, 0, ERROR_INVALID_PARAMETER, Sound, \
           "a metric of 0: the run goes on, nothing divides by it") \
    REFUSE(user32, GetClientRect, FALSE, ERROR_INVALID_WINDOW_HANDLE, Sound, "an empty area: the run goes on") \
    REFUSE(user32, GetWindowRect, FALSE, ERROR_INVALID_WINDOW_HANDLE, Sound, "an empty area: the run goes on") \
    REFUSE(user32, MapWindowPoints, 0, ERROR_INVALID_WINDOW_HANDLE, Sound, "points unmoved: the run goes on") \
    REFUSE(user32, ScreenToClient, FALSE, ERROR_INVALID_WINDOW_HANDLE, Sound, "the point unmoved: the run goes on") \
    REFUSE(user32, InvalidateRect, FALSE, ERROR_INVALID_WINDOW_HANDLE, Sound, "one repaint fewer") \
    REFUSE(user32, SetWindowTextA, FALSE, ERROR_NOT_ENOUGH_MEMORY, Sound, \
           "the window keeps its old text on the screen; what the program holds stays right") \
    REFUSE(user32, SetWindowTextW, FALSE, ERROR_NOT_ENOUGH_MEMORY, Sound, "as SetWindowTextA") \
    REFUSE(user32, GetWindowTextA, 0, ERROR_NOT_ENOUGH_MEMORY, Sound, \
           "a text not read is not taken for an empty one") \
    REFUSE(user32, GetWindowTextW, 0, ERROR_NOT_ENOUGH_MEMORY, Sound, "as GetWindowTextA") \
    REFUSE(user32, GetWindowTextLengthA, 0, ERROR_NOT_ENOUGH_MEMORY, Sound, "as GetWindowTextA") \
    REFUSE(user32, GetWindowTextLengthW, 0, ERROR_NOT_ENOUGH_MEMORY, Sound, "as GetWindowTextA") \
    /* --- user32: activation, focus, input --- */ \
    REFUSE(user32, SetActiveWindow, 0, ERROR_ACCESS_DENIED, Sound, "activation stays where it was") \
    REFUSE(user32, SetForegroundWindow, FALSE, ERROR_ACCESS_DENIED, Sound, \
           "the foreground lock keeps another window in front: the run goes on") \
    REFUSE(user32, SetFocus, 0, ERROR_ACCESS_DENIED, Sound, "the focus stays where it was; keys still work") \
    REFUSE(user32, GetCursorPos, FALSE, ERROR_ACCESS_DENIED, Sound, \
           "as on the secure desktop: the mouse counts as unmoved") \
    REFUSE(user32, TrackMouseEvent, FALSE, ERROR_INVALID_PARAMETER, Sound, "no hover look") \
    REFUSE(user32, ReleaseCapture, FALSE, ERROR_ACCESS_DENIED, Sound, "the run goes on") \
    REFUSE(user32, MessageBeep, FALSE, ERROR_NOT_ENOUGH_MEMORY, Sound, "no beep") \
    REFUSE(user32, FindWindowA, 0, ERROR_FILE_NOT_FOUND, Sound, \
           "no taskbar found: neither hidden nor shown; one hidden is shown again") \
    REFUSE(user32, FindWindowW, 0, ERROR_FILE_NOT_FOUND, Sound, "as FindWindowA") \
    /* --- user32: the message loop and timers --- */ \
    REFUSE(user32, GetMessageA, -1, ERROR_INVALID_WINDOW_HANDLE, AppError, \
           "the main form closes as it would (the taskbar shown again), then the application error box and exit code 1") \
    REFUSE(user32, GetMessageW, -1, ERROR_INVALID_WINDOW_HANDLE, AppError, "as GetMessageA") \
    REFUSE(user32, SetTimer, 0, ERROR_NOT_ENOUGH_MEMORY, TimerBox | Quiet, \
           "the saver's timer: \"Nicht genügend Timer verfügbar\" and exit code 1; another timer is done without") \
    REFUSE(user32, KillTimer, FALSE, ERROR_INVALID_PARAMETER, Sound, "a tick after the stop finds nothing") \
    REFUSE(user32, MessageBoxA, 0, ERROR_NOT_ENOUGH_MEMORY, Any, \
           "the message is lost, the program goes on as after the box") \
    REFUSE(user32, MessageBoxW, 0, ERROR_NOT_ENOUGH_MEMORY, Any, "as MessageBoxA") \
    /* --- user32: painting and resources --- */ \
    REFUSE(user32, GetDC, 0, ERROR_NOT_ENOUGH_MEMORY, Sound, \
           "nothing measured or drawn on it; never a crash") \
    REFUSE(user32, ReleaseDC, 0, ERROR_INVALID_HANDLE, Sound, "the run goes on") \
    REFUSE(user32, BeginPaint, 0, ERROR_NOT_ENOUGH_MEMORY, Sound, "that paint is skipped") \
    REFUSE(user32, FillRect, 0, ERROR_NOT_ENOUGH_MEMORY, Sound, "that area is not filled") \
    REFUSE(user32, DrawEdge, FALSE, ERROR_NOT_ENOUGH_MEMORY, Sound, "that edge is not drawn") \
    REFUSE(user32, DrawTextA, 0, ERROR_NOT_ENOUGH_MEMORY, Sound, "that text is not drawn") \
    REFUSE(user32, DrawTextW, 0, ERROR_NOT_ENOUGH_MEMORY, Sound, "as DrawTextA") \
    REFUSE(user32, LoadIconA, 0, ERROR_RESOURCE_NAME_NOT_FOUND, Quiet, "the window has no icon") \
    REFUSE(user32, LoadIconW, 0, ERROR_RESOURCE_NAME_NOT_FOUND, Quiet, "as LoadIconA") \
    REFUSE(user32, LoadCursorA, 0, ERROR_NOT_ENOUGH_MEMORY, Sound, "the window has no cursor of its own") \
    REFUSE(user32, LoadCursorW, 0, ERROR_NOT_ENOUGH_MEMORY, Sound, "as LoadCursorA") \
    REFUSE(user32, LoadImageA, 0, ERROR_NOT_ENOUGH_MEMORY, Sound, "the button shows no picture") \
    REFUSE(user32, LoadImageW, 0, ERROR_NOT_ENOUGH_MEMORY, Sound, "as LoadImageA") \
    REFUSE(user32, DestroyIcon, FALSE, ERROR_INVALID_CURSOR_HANDLE, Sound, "the run goes on") \
    REFUSE(user32, OpenClipboard, FALSE, ERROR_ACCESS_DENIED, Sound, "another program holds it: nothing pasted") \
    REFUSE(user32, GetClipboardData, 0, ERROR_NOT_ENOUGH_MEMORY, Sound, "nothing pasted") \
    REFUSE(user32, CloseClipboard, FALSE, ERROR_CLIPBOARD_NOT_OPEN, Sound, "the run goes on") \
    /* --- user32: no refusal of their own --- */ \
    COUNT(user32, DefWindowProcA, "its result is the message's") \
    COUNT(user32, DefWindowProcW, "its result is the message's") \
    COUNT(user32, CallWindowProcA, "its result is the window procedure's") \
    COUNT(user32, CallWindowProcW, "its result is the window procedure's") \
    COUNT(user32, SendMessageA, "to the program's own windows: the window procedure's result") \
    COUNT(user32, SendMessageW, "to the program's own windows: the window procedure's result") \
    COUNT(user32, DispatchMessageA, "its result is the window procedure's") \
    COUNT(user32, DispatchMessageW, "its result is the window procedure's") \
    COUNT(user32, TranslateMessage, "its result says whether a key was translated") \
    COUNT(user32, PeekMessageA, "FALSE is the answer that no message waits") \
    COUNT(user32, PeekMessageW, "FALSE is the answer that no message waits") \
    COUNT(user32, PostQuitMessage, "returns nothing") \
    COUNT(user32, ShowWindow, "its result is the window's visibility before") \
    COUNT(user32, EnableWindow, "its result is the window's state before") \
    COUNT(user32, SetCapture, "its result is the window that had the mouse") \
    COUNT(user32, SetCursor, "its result is the cursor before") \
    COUNT(user32, EndPaint, "always succeeds") \
    COUNT(user32, GetActiveWindow, "a query: no window is an answer") \
    COUNT(user32, GetFocus, "a query: no window is an answer") \
    COUNT(user32, GetParent, "a query: no window is an answer") \
    COUNT(user32, GetAncestor, "a query: no window is an answer") \
    COUNT(user32, GetKeyState, "a query with no failure") \
    COUNT(user32, GetSysColor, "a query with no failure") \
    COUNT(user32, GetPropA, "a query: a property set is there") \
    COUNT(user32, GetPropW, "a query: a property set is there") \
    COUNT(user32, IsChild, "a query: FALSE is an answer") \
    COUNT(user32, IsWindowEnabled, "a query: FALSE is an answer") \
    COUNT(user32, IsWindowVisible, "a query: FALSE is an answer") \
    COUNT(user32, CharUpperBuffA, "arithmetic on the program's own text") \
    COUNT(user32, CharUpperBuffW, "arithmetic on the program's own text") \
    COUNT(user32, EqualRect, "arithmetic on rectangles") \
    COUNT(user32, IntersectRect, "arithmetic: FALSE means no overlap") \
    COUNT(user32, OffsetRect, "arithmetic on rectangles") \
    COUNT(user32, PtInRect, "arithmetic on rectangles") \
    /* --- gdi32 --- */ \
    REFUSE(gdi32, CreateFontIndirectA, 0, ERROR_NOT_ENOUGH_MEMORY, Quiet, \
           "the stock GUI font stands in: the text is still drawn") \
    REFUSE(gdi32, CreateFontIndirectW, 0, ERROR_NOT_ENOUGH_MEMORY, Quiet, "as CreateFontIndirectA") \
    REFUSE(gdi32, CreateSolidBrush, 0, ERROR_NOT_ENOUGH_MEMORY, Quiet, \
           "the system colour's brush stands in") \
    QUORBEL_GDI_CREATION(REFUSE, CreateCompatibleDC) \
    QUORBEL_GDI_CREATION(REFUSE, CreateCompatibleBitmap) \
    REFUSE(gdi32, CreateDIBSection, 0, ERROR_NOT_ENOUGH_MEMORY, Sound, \
           "the picture is left out, or its handler ends with the error box") \
    REFUSE(gdi32, SelectObject, 0, ERROR_INVALID_HANDLE, Sound, "drawn with what the DC held") \
    REFUSE(gdi32, DeleteObject, FALSE, ERROR_INVALID_HANDLE, Sound, "the run goes on") \
    REFUSE(gdi32, DeleteDC, FALSE, ERROR_INVALID_HANDLE, Sound, "the run goes on") \
    REFUSE(gdi32, SaveDC, 0, ERROR_NOT_ENOUGH_MEMORY, Sound, "the run goes on") \
    REFUSE(gdi32, RestoreDC, FALSE, ERROR_INVALID_PARAMETER, Sound, "the run goes on") \
    REFUSE(gdi32, GetDeviceCaps, 0, ERROR_INVALID_HANDLE, Sound, \
           "no resolution: the design's 96 ppi stand in, nothing divides by 0") \
    REFUSE(gdi32, GetObjectA, 0, ERROR_INVALID_HANDLE, Sound, "the run goes on") \
    REFUSE(gdi32, GetObjectW, 0, ERROR_INVALID_HANDLE, Sound, "as GetObjectA") \
    REFUSE(gdi32, GetTextExtentPoint32A, FALSE, ERROR_NOT_ENOUGH_MEMORY, Sound, \
           "the text measures as empty: still placed on the screen") \
    REFUSE(gdi32, GetTextExtentPoint32W, FALSE, ERROR_NOT_ENOUGH_MEMORY, Sound, "as GetTextExtentPoint32A") \
    REFUSE(gdi32, GetTextMetricsA, FALSE, ERROR_NOT_ENOUGH_MEMORY, Sound, "the run goes on") \
    REFUSE(gdi32, GetTextMetricsW, FALSE, ERROR_NOT_ENOUGH_MEMORY, Sound, "as GetTextMetricsA") \
    REFUSE(gdi32, GetClipBox, ERROR, ERROR_INVALID_HANDLE, Sound, "the run goes on") \
    REFUSE(gdi32, ExcludeClipRect, ERROR, ERROR_NOT_ENOUGH_MEMORY, Sound, "the run goes on") \
    REFUSE(gdi32, IntersectClipRect, ERROR, ERROR_NOT_ENOUGH_MEMORY, Sound, "the run goes on") \
    REFUSE(gdi32, OffsetViewportOrgEx, FALSE, ERROR_INVALID_HANDLE, Sound, "the run goes on") \
    REFUSE(gdi32, SetBkColor, CLR_INVALID, ERROR_INVALID_HANDLE, Sound, "the run goes on") \
    REFUSE(gdi32, SetBkMode, 0, ERROR_INVALID_HANDLE, Sound, "the run goes on") \
    REFUSE(gdi32, SetTextColor, CLR_INVALID, ERROR_INVALID_HANDLE, Sound, "the run goes on") \
    REFUSE(gdi32, SetBrushOrgEx, FALSE, ERROR_INVALID_HANDLE, Sound, "the run goes on") \
    REFUSE(gdi32, SetStretchBltMode, 0, ERROR_INVALID_HANDLE, Sound, "the run goes on") \
    REFUSE(gdi32, StretchBlt, FALSE, ERROR_NOT_ENOUGH_MEMORY, Sound, "the picture is not drawn") \
    /* --- comctl32 --- */ \
    REFUSE(comctl32, InitCommonControlsEx, FALSE, ERROR_NOT_ENOUGH_MEMORY, Sound, \
           "the controls of the manifest's library are there all the same, or start-up ends with the application error box") \
    REFUSE(comctl32, ImageList_Create, 0, ERROR_NOT_ENOUGH_MEMORY, Sound, "the button shows no picture") \
    REFUSE(comctl32, ImageList_AddMasked, -1, ERROR_NOT_ENOUGH_MEMORY, Sound, "the button shows no picture") \
    REFUSE(comctl32, ImageList_Draw, FALSE, ERROR_NOT_ENOUGH_MEMORY, Sound, "the picture is not drawn") \
    REFUSE(comctl32, ImageList_Destroy, FALSE, ERROR_INVALID_HANDLE, Sound, "the run goes on") \
    /* --- ole32 --- */ \
    REFUSE(ole32, CoInitialize, E_OUTOFMEMORY, ERROR_NOT_ENOUGH_MEMORY, Sound, \
           "the program runs without COM and does not release it") \
    COUNT(ole32, CoUninitialize, "returns nothing") \
    /* --- advapi32: the store --- */ \
    REFUSE(advapi32, RegOpenKeyExA, ERROR_ACCESS_DENIED, ERROR_ACCESS_DENIED, Store, \
           "a key refused (not missing) is \"Fehler beim Holen der Daten\" for the value read, never its default") \
    REFUSE(advapi32, RegOpenKeyExW, ERROR_ACCESS_DENIED, ERROR_ACCESS_DENIED, Store, "as RegOpenKeyExA") \
    REFUSE(advapi32, RegCreateKeyExA, ERROR_ACCESS_DENIED, ERROR_ACCESS_DENIED, Store, \
           "\"Fehler beim Setzen der Daten\" for that value; those written before it stay") \
    REFUSE(advapi32, RegCreateKeyExW, ERROR_ACCESS_DENIED, ERROR_ACCESS_DENIED, Store, "as RegCreateKeyExA") \
    REFUSE(advapi32, RegQueryValueExA, ERROR_ACCESS_DENIED, ERROR_ACCESS_DENIED, Store, \
           "\"Fehler beim Holen der Daten\" for that value, also where it was only asked whether it exists; never its default") \
    REFUSE(advapi32, RegQueryValueExW, ERROR_ACCESS_DENIED, ERROR_ACCESS_DENIED, Store, "as RegQueryValueExA") \
    REFUSE(advapi32, RegSetValueExA, ERROR_ACCESS_DENIED, ERROR_ACCESS_DENIED, Store, \
           "\"Fehler beim Setzen der Daten\" for that value; those written before it stay") \
    REFUSE(advapi32, RegSetValueExW, ERROR_ACCESS_DENIED, ERROR_ACCESS_DENIED, Store, "as RegSetValueExA") \
    REFUSE(advapi32, RegCloseKey, ERROR_INVALID_HANDLE, ERROR_INVALID_HANDLE, Sound, "the run goes on") \
    /* --- comdlg32, shell32: looked up at run time --- */ \
    REFUSE(comdlg32, ChooseFontA, FALSE, ERROR_NOT_ENOUGH_MEMORY, Sound, "as cancelled: the font stays") \
    REFUSE(comdlg32, ChooseFontW, FALSE, ERROR_NOT_ENOUGH_MEMORY, Sound, "as ChooseFontA") \
    REFUSE(comdlg32, ChooseColorA, FALSE, ERROR_NOT_ENOUGH_MEMORY, Sound, "as cancelled: the colour stays") \
    REFUSE(comdlg32, ChooseColorW, FALSE, ERROR_NOT_ENOUGH_MEMORY, Sound, "as ChooseColorA") \
    REFUSE(shell32, ShellExecuteA, SE_ERR_OOM, ERROR_NOT_ENOUGH_MEMORY, Quiet, \
           "not reported: the dialog stays open and unchanged") \
    REFUSE(shell32, ShellExecuteW, SE_ERR_OOM, ERROR_NOT_ENOUGH_MEMORY, Quiet, "as ShellExecuteA") \
    /* --- kernel32: the run-time look-ups, the locale, the resources --- */ \
    REFUSE(kernel32, LoadLibraryA, 0, ERROR_MOD_NOT_FOUND, Sound, \
           "the common dialogs: the error box, the dialog stays open; the shell: not reported") \
    REFUSE(kernel32, LoadLibraryW, 0, ERROR_MOD_NOT_FOUND, Sound, "as LoadLibraryA") \
    REFUSE(kernel32, GetProcAddress, 0, ERROR_PROC_NOT_FOUND, Sound, \
           "an older Windows: the resolution functions fall back; a dialog as for LoadLibraryA") \
    REFUSE(kernel32, GetLocaleInfoA, 0, ERROR_INVALID_PARAMETER, Sound, \
           "the German short date format and separator stand in") \
    REFUSE(kernel32, GetLocaleInfoW, 0, ERROR_INVALID_PARAMETER, Sound, "as GetLocaleInfoA") \
    REFUSE(kernel32, FindResourceA, 0, ERROR_RESOURCE_NAME_NOT_FOUND, Sound, \
           "the About dialog shows without its picture, or its creation ends with the error box") \
    REFUSE(kernel32, FindResourceW, 0, ERROR_RESOURCE_NAME_NOT_FOUND, Sound, "as FindResourceA") \
    REFUSE(kernel32, LoadResource, 0, ERROR_NOT_ENOUGH_MEMORY, Sound, "as FindResourceA") \
    REFUSE(kernel32, LockResource, 0, ERROR_NOT_ENOUGH_MEMORY, Sound, "as FindResourceA") \
    REFUSE(kernel32, SizeofResource, 0, ERROR_RESOURCE_NAME_NOT_FOUND, Sound, "as FindResourceA") \
    REFUSE(kernel32, GlobalLock, 0, ERROR_NOT_LOCKED, Sound, "nothing pasted")

#ifdef _WIN64
#define QUORBEL_REFUSALS_64(REFUSE) \
    REFUSE(user32, SetWindowLongPtrA, 0, ERROR_ACCESS_DENIED, AppError | ErrorBox, "as SetWindowLongA") \
    REFUSE(user32, SetWindowLongPtrW, 0, ERROR_ACCESS_DENIED, AppError | ErrorBox, "as SetWindowLongA") \
    REFUSE(user32, GetWindowLongPtrA, 0, ERROR_INVALID_WINDOW_HANDLE, Sound, "as GetWindowLongA") \
    REFUSE(user32, GetWindowLongPtrW, 0, ERROR_INVALID_WINDOW_HANDLE, Sound, "as GetWindowLongA")
#else // there they are macros for the 32-bit functions above
#define QUORBEL_REFUSALS_64(REFUSE)
#endif
// clang-format on

// What the user may see after a refusal (the "allowed" column).
enum Allowed : unsigned {
    Quiet = 1,
    ErrorBox = 2,
    Store = 4,
    AppError = 8,
    TimerBox = 16,
    Sound = Quiet | ErrorBox | AppError,
    Any = 31,
};
