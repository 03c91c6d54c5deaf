#pragma once
// Controls that own a window, bound to it by a window property from
// WM_NCCREATE to WM_NCDESTROY, and those among them that hold controls.
//
// A message travels: Windows -> FrameworkWindowProc (through the one Guard)
// -> the bound control's WndProc; notifications a child sends its parent
// (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*) go on to the child's own object.

#include "framework/Container.h"

#include <windows.h>

#include <memory>
#include <type_traits>

class TWinControl : public TControl {
  public:
    using TControl::TControl;
    ~TWinControl() override;

    HWND Handle() const { return handle_; }
    bool HandleAllocated() const { return handle_ != nullptr; }
    // The control bound to a window of this program, or nullptr.
    static TWinControl* FromHandle(HWND window);

    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    void Invalidate() override;
    void ContainerChanged() override;

    // Makes the window, and those of the controls it holds.
    virtual void CreateHandle();
    void SetFocus();

    // --- The keyboard model asks these ------------------------------------
    // Tab and accelerators may put the focus here.
    virtual bool TakesFocus() const { return false; }
    // A push or picture button: Enter on it clicks it.
    virtual bool IsButton() const { return false; }
    // The form's default button.
    virtual bool IsDefault() const { return false; }
    // Runs before the focus moves elsewhere in the form; an error it raises
    // keeps the focus here, and the key or mouse press goes nowhere.
    virtual void BeforeLeave() {}
    // Enter or Escape that the form has no use for may go to the control.
    virtual bool WantsKey(WORD) const { return false; }
    // The letter or digit after a single "&" in the caption, upper-cased,
    // or 0; only ASCII ones match the keys Alt is pressed with.
    virtual char Accelerator() const;
    // What Alt plus that letter does.
    virtual void Click() {}
    // The focus arrived by Tab.
    virtual void EnteredByTab() {}
    // The top-level window's first look at a message from the loop.
    virtual bool PreTranslateMessage(MSG&) { return false; }
    // The focused window was hidden: a top-level window puts the focus
    // somewhere sensible again.
    virtual void RecoverFocus() { SetFocus(); }
    // Design rows take the parent's colour unless they name one; an input
    // control has the window colour instead.
    virtual bool UsesParentColor() const { return true; }

    // What a screen reader reads for the control where its own text is no
    // name: this, or else the caption of the label beside it.
    std::string AccessibleName;
    const TControl* Label = nullptr;

  protected:
    friend LRESULT CALLBACK FrameworkWindowProc(HWND, UINT, WPARAM, LPARAM);

    virtual DWORD WindowStyle() const { return WS_CHILD | WS_CLIPSIBLINGS; }
    virtual DWORD WindowExStyle() const { return 0; }
    virtual HWND WindowParent() const;
    // A system window class to subclass, or nullptr for the framework's own.
    virtual const wchar_t* SystemClass() const { return nullptr; }
    virtual void HandleCreated() {}
    // What the control's window sent its parent, handed back to it.
    virtual void Notify(WORD) {}
    virtual LRESULT NotifyEx(NMHDR*) { return 0; }
    // The brush for WM_CTLCOLOR*; the control keeps it. nullptr: default.
    virtual HBRUSH CtlColor(HDC) { return nullptr; }
    void CaptionChanged() override;
    void Place(const RECT& bounds, const RECT& pixels) override;
    void FontChanged() override;
    void DestroyHandle();
    // The inside of the window, in pixels.
    RECT PixelClientArea() const;

    // The window's own messages; the default does what Windows does.
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);
    // A window of the framework's own class: the default fills it with the
    // control's colour.
    virtual void Paint(HDC dc);

    HWND handle_ = nullptr;

  private:
    bool Bind(HWND handle);
    bool Subclass(HWND handle);
    void Unbind();
    void CreateOwnWindow();
    // Visible or enabled, and so is every panel around it on its host.
    bool ShownInHost() const;
    bool EnabledInHost() const;
    // The window's place in its parent window's client coordinates.
    RECT RectInHost() const;
    void MoveWindowInHost();
    bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    std::string NameForReaders() const;
    WNDPROC systemProc_ = nullptr;
};

// Holds controls in a window of its own: the form and the group box.
class TWinContainer : public TWinControl, public TContainer {
  public:
    explicit TWinContainer(TComponent* owner)
        : TWinControl(owner), TContainer(static_cast<TControl&>(*this)) {}

    HWND HostHandle() const override { return handle_; }
    RECT ToHost(RECT inside) const override { return inside; }
    // Its own window shows, hides and disables what it holds.
    bool ShowsInside() const override { return true; }
    bool EnablesInside() const override { return true; }
    RECT ClientRect() const override;
    RECT PixelClientRect() const override;

    void CreateHandle() override;
    void DpiChanged() override;

  protected:
    DWORD WindowStyle() const override { return TWinControl::WindowStyle() | WS_CLIPCHILDREN; }
    void Place(const RECT& bounds, const RECT& pixels) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc) override;

  private:
    void MouseMove(WPARAM keys, LPARAM at);
    bool SetPointer(HWND over);
};

// Owns a window that no control object stands for.
struct WindowDestroyer {
    void operator()(HWND window) const { DestroyWindow(window); }
};
using WindowHandle = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

LRESULT CALLBACK FrameworkWindowProc(HWND, UINT, WPARAM, LPARAM);

// The error of a window that Windows would not make, or that could not be
// bound to its control.
inline const char* const WindowRefused = "Fenster kann nicht erstellt werden";

// Registers a window class of the framework once per process. Only a class
// whose windows show an icon without being given one names it: loading an
// icon costs the screen saver's start milliseconds, and forms set theirs in
// the sizes of their scale.
void RegisterClassOnce(const wchar_t* name, WNDPROC proc, const wchar_t* icon = nullptr);
