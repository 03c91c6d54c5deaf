#pragma once
// Handing addresses to the Windows shell.

#include <windows.h>

#include <shellapi.h>

#include <string>

using TShellExecute = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);

// ShellExecuteW, from a shell library loaded at the first call.
HINSTANCE WINAPI ShellExecuteOnDemand(HWND owner, LPCWSTR operation, LPCWSTR file,
                                      LPCWSTR parameters, LPCWSTR directory, INT show);

// Opens a web address or "mailto:" link with the program registered for
// it; true when the shell took it. Nothing is reported either way. Tests
// pass a stand-in for the shell.
bool ShellOpen(const std::string& target, TShellExecute shellExecute = ShellExecuteOnDemand);
