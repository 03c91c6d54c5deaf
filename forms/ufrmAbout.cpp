#include "forms/ufrmAbout.h"

#include "framework/Design.h"

#include "QuorbelVersion.h"

TfrmAbout* frmAbout = nullptr;

const char* const MakerEmail = "autor@example.com";
const char* const MakerHomePage = "https://www.example.com/quorbel/";

namespace {

using F = TfrmAbout;

const TFontDesign FormFont{"MS Sans Serif", -11, 0, clWindowText, DEFAULT_CHARSET};

void ApplyAboutDesign(TfrmAbout& form) {
    // clang-format off
    ApplyDesign(form,
        TFormDesign<F>{"Info", {385, 201}, FormFont}
            .Border(TBorderStyle::Single, biSystemMenu).Position(TPosition::ScreenCenter)
            .Color(clBtnFace).Hidden().ActiveControl(&F::btnClose).OnCreate(&F::FormCreate),
        //  member          parent      position    size        caption                         font                                               tab
        Row{&F::btnClose,   OnForm,     {0, 176},   {385, 25},  "&Schließen",                   FormFont,                                          0}.Glyph("BTNCLOSE").OnClick(&F::btnCloseClick),
        Row{&F::Panel1,     OnForm,     {0, 0},     {385, 177}, "",                             ParentFont,                                        1}.Bevels(TPanelBevel::Lowered, TPanelBevel::Raised),
        Row{&F::Image1,     &F::Panel1, {16, 16},   {97, 145},  "",                             ParentFont,                                        NoTabStop}.Picture("ABOUT"),
        Row{&F::Bevel1,     &F::Panel1, {16, 16},   {97, 145},  "",                             ParentFont,                                        NoTabStop},
        Row{&F::Name,       &F::Panel1, {128, 16},  {164, 32},  "Quorbel",                      {"Arial", -27, fsBold, clWindowText},              NoTabStop},
        Row{&F::Version,    &F::Panel1, {280, 48},  {85, 19},   "Version 2.0",                  {"Arial", -16, fsBold, clBlack},                   NoTabStop}.Centered(),
        Row{&F::labAuthor,  &F::Panel1, {128, 81},  {99, 22},   "Jonas Brandt",                 {"Copperplate Gothic Light", -19, fsBold, clNavy}, NoTabStop}.Centered(),
        Row{&F::btnEmail,   &F::Panel1, {128, 112}, {193, 22},  "Email an den Autor senden",    ParentFont,                                        NoTabStop}.Glyph("BTNEMAIL").OnClick(&F::btnEmailClick),
        Row{&F::btnWebsite, &F::Panel1, {128, 134}, {193, 22},  "Homepage des Autors besuchen", ParentFont,                                        NoTabStop}.Glyph("BTNWEBSITE").OnClick(&F::btnWebsiteClick));
    // clang-format on
}

} // namespace

TfrmAbout::TfrmAbout() {
    ApplyAboutDesign(*this);
}

void TfrmAbout::FormCreate(TObject*) {
    btnEmail.SetHint(MakerEmail);
    btnWebsite.SetHint(MakerHomePage);
    Name.SetCaption("Quorbel");
    Version.SetCaption("Version " QUORBEL_VERSION);
}

void TfrmAbout::btnEmailClick(TObject*) {
    ShellOpen(std::string("mailto:") + MakerEmail, Shell);
}

void TfrmAbout::btnWebsiteClick(TObject*) {
    ShellOpen(MakerHomePage, Shell);
}

void TfrmAbout::btnCloseClick(TObject*) {
    Close();
}
