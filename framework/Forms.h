#pragma once
// Top-level forms and the application object that owns them.

#include "framework/Controls.h"

#include <exception>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

enum class TBorderStyle { None, Single, Sizeable };
enum class TFormStyle { Normal, StayOnTop };
enum class TWindowState { Normal, Minimized, Maximized };
enum class TPosition { Designed, ScreenCenter };
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4 };
using TBorderIcons = unsigned;
enum class TCloseAction { None, Hide, Free };

using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState)>;
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;
using TCloseEvent = std::function<void(TObject* sender, TCloseAction&)>;

class TForm : public TWinControl {
  public:
    explicit TForm(const char* name);
    ~TForm() override;

    TBorderStyle BorderStyle = TBorderStyle::Sizeable;
    TBorderIcons BorderIcons = biSystemMenu | biMinimize | biMaximize;
    TFormStyle FormStyle = TFormStyle::Normal;
    TPosition Position = TPosition::Designed;
    bool KeyPreview = false;

    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState state);
    void SetBounds(int left, int top, int width, int height) override;
    // The size inside the border; kept through border changes until the
    // window is made.
    void SetClientSize(int width, int height);

    void Show();
    void Hide();
    // Runs OnClose; the main form then ends the program, any other hides.
    void Close();

    TNotifyEvent OnCreate;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TCloseEvent OnClose;

    // Every control and timer of the form, in the order they were made.
    const std::vector<TObject*>& Components() const { return components_; }
    TObject* FindComponent(const std::string& name) const;

  protected:
    DWORD WindowStyle() const override;
    DWORD WindowExStyle() const override;
    HWND WindowParent() const override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    friend class TControl;
    friend class TTimer;
    friend LRESULT CALLBACK FrameworkWindowProc(HWND, UINT, WPARAM, LPARAM);
    friend class TApplication;

    void Register(TObject* component) { components_.push_back(component); }
    void PlaceOnScreen();
    void ApplyStayOnTop();
    // Key messages of any of the form's windows; true when handled here.
    bool PreviewKey(UINT message, WPARAM wParam);

    TWindowState windowState_ = TWindowState::Normal;
    std::vector<TObject*> components_;
    int clientWidth_ = -1;
    int clientHeight_ = -1;
};

class TApplication {
  public:
    TApplication();
    ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    std::string Title;

    // Start-up and the message loop around startup(); an error that escapes
    // start-up itself is shown as an application error. Returns the exit code.
    int Execute(const std::function<void()>& startup);

    // Makes a form owned by the application; the first becomes the main
    // form. Its design is applied by its constructor, then OnCreate runs and
    // the form is shown if visible, also when OnCreate failed.
    template <class Form> void CreateForm(Form*& reference) {
        auto form = std::make_unique<Form>();
        reference = form.get();
        Adopt(std::move(form));
    }

    TForm* MainForm() const { return mainForm_; }
    HWND Handle() const { return handle_; }
    // The show request of the process start-up information.
    int ShowCommand() const { return showCommand_; }

    // Dispatches window messages until the main form has closed.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Handles every message waiting in the queue, then returns.
    void ProcessMessages();

    // The one error display: a modal box captioned with the title, the error
    // icon and OK.
    void ShowException(const std::exception& error);
    // Every message box of the framework goes through here; tests replace it.
    std::function<void(HWND owner, const std::string& text, const std::string& caption, UINT flags)>
        ShowMessageBox;
    // The system reported changed settings (the locale among them).
    std::function<void()> OnSettingChange;

    // Runs a handler; an error it raises is shown and goes no further. This
    // is the boundary every callback from Windows passes through.
    template <class Handler> void Guard(Handler&& handler) noexcept {
        try {
            handler();
        } catch (const std::exception& error) {
            ShowException(error);
        } catch (...) {
            ShowException(std::runtime_error(""));
        }
    }

    // Releases every form, as at the end of Execute; the application is
    // then as it was before the first form.
    void DestroyForms();

  private:
    void CreateHandle();
    void Adopt(std::unique_ptr<TForm> form);

    HWND handle_ = nullptr;
    int showCommand_ = SW_SHOWDEFAULT;
    TForm* mainForm_ = nullptr;
    bool terminated_ = false;
    std::vector<std::unique_ptr<TForm>> forms_;
};

extern TApplication Application;

// The message shown for an error: its text, with a full stop added when the
// last character comes after "." in character order.
std::string ErrorDisplayText(const std::string& message);
