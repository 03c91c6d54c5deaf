// The floor the screen saver is measured against: the same visible work and
// the set-up any such program must do, and nothing more. COM, the version 6
// common controls (through the manifest of floor.rc), nine reads of the
// settings key each opening and closing it, the taskbar hidden before the
// window shows (as the saver must: it waits for the shell to hide it), a
// top-most popup over the screen and 50 rows more, one line of 43 px bold
// Arial drawn at a new place every 2 s; any key ends it.

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

namespace {

const char* const Line = "Noch 1096 Tage bis zum 01.01.2030";
const char* const SettingNames[] = {"ende",     "text",      "fontname",
                                    "fontsize", "fontcolor", "backgroundcolor",
                                    "workweek", "fontbold",  "fontitalic"};

HFONT font;
POINT place{};

void ReadSettings() {
    for (const char* name : SettingNames) {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Quorbel\\", 0, KEY_READ, &key) != 0)
            continue;
        char value[256];
        DWORD size = sizeof value;
        RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
        RegCloseKey(key);
    }
}

void ShowTaskbar(int command) {
    if (HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr))
        ShowWindow(taskbar, command);
}

void Paint(HWND window) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    const HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    TextOutA(dc, place.x, place.y, Line, lstrlenA(Line));
    SelectObject(dc, old);
    EndPaint(window, &paint);
}

LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint(window);
        return 0;
    case WM_TIMER:
        place = {static_cast<LONG>(GetTickCount() % 700), static_cast<LONG>(GetTickCount() % 500)};
        InvalidateRect(window, nullptr, TRUE);
        return 0;
    case WM_KEYDOWN:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        ShowTaskbar(SW_SHOW);
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    CoInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);
    ReadSettings();
    font =
        CreateFontA(-43, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    WNDCLASSA wc{};
    wc.lpfnWndProc = FloorProc;
    wc.hInstance = instance;
    wc.hbrBackground = CreateSolidBrush(RGB(0, 0, 128));
    wc.lpszClassName = "Floor";
    RegisterClassA(&wc);
    ShowTaskbar(SW_HIDE);
    const HWND window = CreateWindowExA(
        WS_EX_TOPMOST, "Floor", "Floor", WS_POPUP | WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
        GetSystemMetrics(SM_CYSCREEN) + 50, nullptr, nullptr, instance, nullptr);
    SetTimer(window, 1, 2000, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    CoUninitialize();
    return 0;
}
