// What one keystroke in the text field costs the settings dialog: the new
// text, UpdatePreview and the preview panel's repaint, as this process's
// CPU time averaged over many rounds. Prints; never fails.

#include "core/uConst.h"
#include "forms/ufrmSettings.h"

#include <cstdio>

namespace {

double CpuMilliseconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return (ticks(kernel) + ticks(user)) / 10000.0;
}

} // namespace

int main() {
    return Application.Execute([] {
        Application.Title = "Quorbel";
        LoadLocaleDateSettings();
        Application.CreateForm(frmSettings);
        Application.ProcessMessages();
        const int rounds = 2000;
        const double start = CpuMilliseconds();
        for (int i = 0; i < rounds; ++i) {
            frmSettings->edtText.SetText(i % 2 ? "Noch %days% Tage bis zum %date%"
                                               : "Noch %days% Tage bis zum %date%!");
            frmSettings->UpdatePreview();
            UpdateWindow(frmSettings->Handle()); // the preview draws on the dialog's window
        }
        const double perKey = (CpuMilliseconds() - start) / rounds;
        std::printf("preview update with repaint: %.3f ms CPU per keystroke (%d rounds)\n", perKey,
                    rounds);
        frmSettings->Close();
    });
}
