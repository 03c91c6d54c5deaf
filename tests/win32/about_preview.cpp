// Shows the About dialog on its own for a while, as a main window, so that
// it can be looked at before the settings dialog exists.

#include "forms/ufrmAbout.h"
#include "framework/Timer.h"

#include <cstdlib>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    const unsigned seconds = static_cast<unsigned>(std::atoi(commandLine));
    TTimer* closer = nullptr;
    const int code = Application.Execute([&] {
        Application.Title = "Quorbel";
        Application.CreateForm(frmAbout);
        frmAbout->Show();
        closer = new TTimer(nullptr);
        closer->SetInterval(seconds ? seconds * 1000 : 5000);
        closer->OnTimer = [](TObject*) { frmAbout->Close(); };
    });
    delete closer;
    return code;
}
