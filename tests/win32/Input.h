#pragma once
// Real input for the Windows suites: keys go through SendInput, so they
// reach the focused window through the message loop with the key state
// Windows keeps; the loop runs until they have been handled.

#include "framework/Application.h"

#include <windows.h>

#include <initializer_list>

// Runs the application's message loop for a while.
inline void Pump(DWORD milliseconds = 60) {
    const DWORD start = GetTickCount();
    do {
        Application.ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (GetTickCount() - start < milliseconds);
    Application.ProcessMessages();
}

inline INPUT KeyInput(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

// Presses the keys together (modifiers first) and releases them.
inline void Press(std::initializer_list<WORD> keys) {
    for (WORD key : keys) {
        INPUT down = KeyInput(key, false);
        SendInput(1, &down, sizeof down);
    }
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
        INPUT up = KeyInput(*key, true);
        SendInput(1, &up, sizeof up);
    }
    Pump();
}

inline void Press(WORD key) {
    Press({key});
}

// Each character as the key that types it on a German keyboard layout;
// digits, letters and the full stop are all the date field needs.
inline void Type(const char* text) {
    for (; *text; ++text) {
        const SHORT scan = VkKeyScanA(*text);
        if (HIBYTE(scan) & 1)
            Press({VK_SHIFT, static_cast<WORD>(LOBYTE(scan))});
        else
            Press(static_cast<WORD>(LOBYTE(scan)));
    }
}

// A mouse press and release on a window, through the message loop.
inline void Click(HWND window, int x = 5, int y = 5) {
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    Pump();
}

inline HWND Focus() {
    return GetFocus();
}
