#pragma once
// Names for screen readers, where a control's own text is none: an edit, a
// check box without a caption, a picture button, the month calendar. The
// control's window answers WM_GETOBJECT for its client area with the object
// Windows would have given, under the name the design gives it. oleacc.dll
// comes with the first such question, so a run that nobody asks (the screen
// saver) never loads it.
//
// Chosen over the two other ways: Dynamic Annotation (IAccPropServices) is
// a stub under Wine, and a hidden label window before the control names
// only edits, on Windows and under Wine alike.

#include <windows.h>

#include <string>

// What a screen reader reads for a caption: every single "&" dropped ("&&"
// is one "&"), and the colon and blanks at its end.
std::string AccessibleText(const std::string& caption);

// The answer to WM_GETOBJECT for OBJID_CLIENT: the object the window's own
// procedure gave (own > 0) or the system's standard one for its class,
// named name. Where it cannot help, own: what the system said.
LRESULT AnswerWithName(HWND window, WPARAM wParam, LRESULT own, const std::string& name);
