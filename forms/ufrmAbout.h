#pragma once
// The About dialog: product name, version, author and a picture, with
// links to the maker's e-mail address and home page.

#include "core/uTools.h"
#include "framework/Application.h"
#include "framework/Buttons.h"
#include "framework/Pictures.h"
#include "framework/StdControls.h"

class TfrmAbout : public TForm {
  public:
    TfrmAbout();

    TButton btnClose{this};
    TPanel Panel1{this};
    TImage Image1{this};
    TBevel Bevel1{this};
    TLabel Name{this};
    TLabel Version{this};
    TLabel labAuthor{this};
    TLinkButton btnEmail{this};
    TLinkButton btnWebsite{this};

    void FormCreate(TObject* sender);
    void btnEmailClick(TObject* sender);
    void btnWebsiteClick(TObject* sender);
    void btnCloseClick(TObject* sender);

    // What hands the links on; tests put a stand-in here.
    TShellExecute Shell = ShellExecuteOnDemand;
};

extern TfrmAbout* frmAbout;

// The maker's addresses, also shown in the program's version information.
extern const char* const MakerEmail;
extern const char* const MakerHomePage;
