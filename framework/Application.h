#pragma once
// The application object: it owns the forms, stands for the program in the
// taskbar, starts it up and runs the message loop.

#include "framework/Dispatch.h"
#include "framework/Form.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TApplication : public TDispatcher {
  public:
    TApplication();
    ~TApplication() override;

    // Start-up and the message loop around startup(); an error that escapes
    // start-up itself is shown as an application error. Returns the exit code.
    int Execute(const std::function<void()>& startup);

    // Makes a form owned by the application; the first becomes the main
    // form. Its constructor applies the design, then its windows are made,
    // OnCreate runs and the form is shown if visible, also when OnCreate
    // failed; the main form as the process's show request says. The windows
    // exist before OnCreate so that what it sets on the controls is what
    // they hold, and reads back at once. The reference is cleared when the
    // form goes.
    template <class Form> void CreateForm(Form*& reference) {
        auto form = std::make_unique<Form>();
        reference = form.get();
        Adopt(std::move(form), {&reference, [](void* r) { *static_cast<Form**>(r) = nullptr; }});
    }

    TForm* MainForm() const { return mainForm_; }
    // Stands for the program in the taskbar and owns every form.
    HWND Handle() const { return handle_.get(); }
    void ShowTaskbarEntry();
    // The show request of the process start-up information.
    int ShowCommand() const { return showCommand_; }

    // Dispatches window messages until the main form has closed.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Handles every message waiting in the queue, then returns.
    void ProcessMessages();
    // One message from the loop: the keyboard model's look, then dispatch.
    void HandleMessage(MSG& message);

    // The system reported changed settings (the locale among them).
    std::function<void()> OnSettingChange;

    // Releases every form, as at the end of Execute; the application is
    // then as it was before the first form, with no request to end pending.
    void DestroyForms();

  private:
    // The program's reference to a form, cleared when the form goes.
    struct TReference {
        void* reference;
        void (*clear)(void* reference);
    };
    struct OwnedForm {
        std::unique_ptr<TForm> form;
        TReference reference;
    };
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    void CreateHandle();
    void Adopt(std::unique_ptr<TForm> form, TReference reference);
    void ShowMainForm();

    WindowHandle handle_;
    int showCommand_ = SW_SHOWDEFAULT;
    TForm* mainForm_ = nullptr;
    bool mainShowPending_ = false; // until the entry of a minimised start is restored
    bool terminated_ = false;
    std::vector<OwnedForm> forms_;
};

extern TApplication Application;
