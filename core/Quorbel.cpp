// The program's entry: the run mode from the command line, then the one
// main window of that mode and the message loop.

#include "core/uConst.h"
#include "core/uStartup.h"
#include "forms/ufrmQuorbel.h"
#include "forms/ufrmSettings.h"
#include "framework/Application.h"
#include "framework/WideText.h"

#include <windows.h>

// The wide entry, as -municode links it: no ANSI command line is made.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    return Application.Execute([] {
        Application.Title = "Quorbel";
        LoadLocaleDateSettings();
        Application.OnSettingChange = LocaleSettingsChanged;
        switch (RunModeOf(CommandLineArgument(Narrow(GetCommandLineW()).c_str(), 1))) {
        case TRunMode::Display:
            Application.CreateForm(frmQuorbel);
            break;
        case TRunMode::Configuration:
            Application.CreateForm(frmSettings);
            break;
        case TRunMode::None:
            break;
        }
    });
}
