#pragma once
// Real input for the Windows suites: keys go through SendInput, so they
// reach the focused window through the message loop with the key state
// Windows keeps; the loop runs until they have been handled.

#include "framework/Application.h"

#include <windows.h>

#include <algorithm>
#include <initializer_list>
#include <string>

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

// Each UTF-16 unit as the key a touch keyboard or an input method sends for
// it: a character beyond the BMP is two of them, pressed one after the other.
inline void TypeUnits(const std::u16string& units) {
    for (char16_t unit : units) {
        for (bool up : {false, true}) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = unit;
            input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
            SendInput(1, &input, sizeof input);
        }
        Pump();
    }
}

// The clipboard holds this text, and only as Unicode.
inline void PutClipboardText(HWND owner, const std::u16string& text) {
    const HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t));
    auto* units = static_cast<char16_t*>(GlobalLock(data));
    std::copy(text.begin(), text.end(), units);
    units[text.size()] = 0;
    GlobalUnlock(data);
    OpenClipboard(owner);
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, data);
    CloseClipboard();
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
