#pragma once
// Handing addresses to the Windows shell.

#include <windows.h>

#include <shellapi.h>

#include <string>

using TShellExecute = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);

// ShellExecuteA, from a shell library loaded at the first call.
HINSTANCE WINAPI ShellExecuteOnDemand(HWND owner, LPCSTR operation, LPCSTR file, LPCSTR parameters,
                                      LPCSTR directory, INT show);

// Opens a web address or "mailto:" link with the program registered for
// it; true when the shell took it. Nothing is reported either way. Tests
// pass a stand-in for the shell.
bool ShellOpen(const std::string& target, TShellExecute shellExecute = ShellExecuteOnDemand);
