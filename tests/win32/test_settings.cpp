#include "ImportPatch.h"
#include "RegistryFixture.h"

#include "core/uConst.h"

namespace {

class Settings : public RegistryTest {
  protected:
    void SetUp() override {
        RegistryTest::SetUp();
        DisplayFont = &font;
    }
    TFont font;
};

TEST_F(Settings, FirstRunGivesTheDefaultsWithoutCreatingTheKey) {
    LoadSettings();
    EXPECT_EQ(EndDate, EncodeDate(2010, 1, 1));
    EXPECT_EQ(StartDate, Today());
    EXPECT_EQ(TextTemplate, "Noch %days% Tage bis zum %date%");
    EXPECT_EQ(font.Name(), "Arial");
    EXPECT_EQ(font.Size(), 32);
    EXPECT_EQ(font.Color(), clWhite);
    EXPECT_EQ(font.Style(), 0u);
    EXPECT_EQ(BackgroundColor, clNavy);
    EXPECT_FALSE(WorkWeek);
    EXPECT_FALSE(ProgramKeyExists());
}

TEST_F(Settings, TheMissingDateIsTodayWhereTheSeparatorIsNotAFullStop) {
    SetDateFormatSettings("M/d/yyyy", "/");
    LoadSettings();
    EXPECT_EQ(EndDate, Today());
}

TEST_F(Settings, SaveWritesEveryValueWithItsKind) {
    LoadSettings();
    EndDate = EncodeDate(2027, 3, 4);
    font.SetStyle(fsBold | fsUnderline);
    SaveSettings();
    const struct {
        const char* name;
        DWORD type;
    } kinds[] = {{"ende", REG_SZ},        {"text", REG_SZ},         {"fontname", REG_SZ},
                 {"fontsize", REG_DWORD}, {"fontcolor", REG_DWORD}, {"backgroundcolor", REG_DWORD},
                 {"workweek", REG_DWORD}, {"fontbold", REG_DWORD},  {"fontitalic", REG_DWORD}};
    for (const auto& k : kinds)
        EXPECT_EQ(GetRaw(k.name).type, k.type) << k.name;
    EXPECT_EQ(GetRaw("ende").bytes, std::string("04.03.2027", 11));
    EXPECT_EQ(GetDword("fontsize"), 32u);
    EXPECT_EQ(GetDword("backgroundcolor"), 0x800000u);
    EXPECT_EQ(GetDword("fontbold"), 1u);
    EXPECT_EQ(GetDword("fontitalic"), 0u);
    EXPECT_EQ(GetRaw("underline").type, static_cast<DWORD>(REG_NONE));
}

TEST_F(Settings, SaveAndLoadReproduceEveryStoredField) {
    EndDate = EncodeDate(2031, 12, 24);
    TextTemplate = "Nur noch %DAYS% Tage & Nächte";
    font.SetName("Times New Roman");
    font.SetSize(48);
    font.SetColor(0x123456);
    font.SetStyle(fsBold | fsItalic | fsUnderline | fsStrikeOut);
    BackgroundColor = clPurple;
    WorkWeek = true;
    SaveSettings();

    TFont loaded; // a window whose design font is plain
    DisplayFont = &loaded;
    EndDate = 0;
    TextTemplate.clear();
    BackgroundColor = 0;
    WorkWeek = false;
    LoadSettings();
    EXPECT_EQ(EndDate, EncodeDate(2031, 12, 24));
    EXPECT_EQ(TextTemplate, "Nur noch %DAYS% Tage & Nächte");
    EXPECT_EQ(loaded.Name(), "Times New Roman");
    EXPECT_EQ(loaded.Size(), 48);
    EXPECT_EQ(loaded.Color(), 0x123456);
    EXPECT_EQ(loaded.Style(), fsBold | fsItalic); // underline and strike-out are not kept
    EXPECT_EQ(BackgroundColor, clPurple);
    EXPECT_TRUE(WorkWeek);
}

TEST_F(Settings, APlainSavedFontMakesABoldItalicDesignFontPlain) {
    LoadSettings();
    SaveSettings();
    font.SetStyle(fsBold | fsItalic);
    LoadSettings();
    EXPECT_EQ(font.Style(), 0u);
}

TEST_F(Settings, AnInvalidStoredDateIsTodayAndIsSavedAsToday) {
    for (const char* stored : {"31.02.2026", "", "morgen"}) {
        PutString("ende", stored);
        LoadSettings();
        EXPECT_EQ(EndDate, Today()) << stored;
        SaveSettings();
        EXPECT_EQ(GetRaw("ende").bytes, FormatShortDate(Today()) + std::string(1, 0));
    }
}

TEST_F(Settings, LoadStopsAtAValueOfTheWrongKind) {
    PutString("ende", "01.02.2003");
    PutString("text", "geladen");
    PutString("fontname", "Courier New");
    PutString("fontsize", "x"); // four bytes of UTF-16, as an integer: the wrong kind
    PutDword("fontcolor", 0x00FF00);
    PutDword("backgroundcolor", 0x0000FF);
    font.SetColor(clBlack);
    BackgroundColor = clNavy;

    EXPECT_EQ(ErrorOf(LoadSettings), "Ungültiger Datentyp für 'fontsize'");
    EXPECT_EQ(EndDate, EncodeDate(2003, 2, 1));
    EXPECT_EQ(TextTemplate, "geladen");
    EXPECT_EQ(font.Name(), "Courier New");
    EXPECT_EQ(font.Color(), clBlack);
    EXPECT_EQ(BackgroundColor, clNavy);
}

// Lets everybody read the key and nobody write it, as an administrator's
// policy might.
void MakeProgramKeyReadOnly(bool readOnly) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, ProgramKey, 0, nullptr, 0,
                              READ_CONTROL | WRITE_DAC, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
    alignas(DWORD) BYTE aclBuffer[256];
    PACL acl = reinterpret_cast<PACL>(aclBuffer);
    InitializeAcl(acl, sizeof aclBuffer, ACL_REVISION);
    AddAccessAllowedAce(acl, ACL_REVISION, readOnly ? KEY_READ : KEY_ALL_ACCESS, everyone);
    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE);
    EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor), ERROR_SUCCESS);
    FreeSid(everyone);
    RegCloseKey(key);
}

// Refuses the n-th registry write of this program from now on, while the
// object lives.
class RefusedWrite {
  public:
    explicit RefusedWrite(int n) {
        refused_ = n;
        writes_ = 0;
        original_ = patch_.Original();
    }

  private:
    using SetValue = LSTATUS(WINAPI*)(HKEY, LPCWSTR, DWORD, DWORD, const BYTE*, DWORD);

    static LSTATUS WINAPI Write(HKEY key, LPCWSTR name, DWORD reserved, DWORD type,
                                const BYTE* data, DWORD size) {
        if (++writes_ == refused_)
            return ERROR_ACCESS_DENIED;
        return original_(key, name, reserved, type, data, size);
    }

    ImportPatch<SetValue> patch_{"RegSetValueExW", &Write};
    static inline SetValue original_ = nullptr;
    static inline int refused_ = 0;
    static inline int writes_ = 0;
};

TEST_F(Settings, ARefusedFourthWriteKeepsTheThreeBeforeAndTheRestAsTheyWere) {
    LoadSettings();
    SaveSettings(); // the defaults stand in the key
    EndDate = EncodeDate(2030, 12, 24);
    TextTemplate = "neu";
    font.SetName("Courier New");
    font.SetSize(20);
    font.SetColor(0x00FF00);
    BackgroundColor = 0x0000FF;
    WorkWeek = true;
    font.SetStyle(fsBold | fsItalic);

    std::string message;
    {
        RefusedWrite refuse(4);
        message = ErrorOf(SaveSettings);
    }
    EXPECT_EQ(message, "Fehler beim Setzen der Daten für 'fontsize'");
    EXPECT_EQ(GetRaw("ende").bytes, std::string("24.12.2030", 11));
    EXPECT_EQ(GetRaw("text").bytes, std::string("neu", 4));
    EXPECT_EQ(GetRaw("fontname").bytes, std::string("Courier New", 12));
    EXPECT_EQ(GetDword("fontsize"), 32u);
    EXPECT_EQ(GetDword("fontcolor"), 0xFFFFFFu);
    EXPECT_EQ(GetDword("backgroundcolor"), 0x800000u);
    EXPECT_EQ(GetDword("workweek"), 0u);
    EXPECT_EQ(GetDword("fontbold"), 0u);
    EXPECT_EQ(GetDword("fontitalic"), 0u);
}

TEST_F(Settings, SaveFailsAtTheFirstRefusedWrite) {
    LoadSettings();
    MakeProgramKeyReadOnly(true);
    const std::string message = ErrorOf(SaveSettings);
    MakeProgramKeyReadOnly(false);
    EXPECT_EQ(message, "Fehler beim Setzen der Daten für 'ende'");
    EXPECT_EQ(GetRaw("ende").type, static_cast<DWORD>(REG_NONE));
}

// A read Windows refuses is no missing value: its default would be taken
// for the stored one, and saved over it.
LSTATUS WINAPI NoKey(HKEY, LPCWSTR, DWORD, REGSAM, PHKEY) {
    return ERROR_ACCESS_DENIED;
}
LSTATUS WINAPI NoValue(HKEY, LPCWSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD) {
    return ERROR_ACCESS_DENIED;
}

TEST_F(Settings, ARefusedReadIsTheStoresErrorNotTheDefault) {
    PutString("ende", "24.12.2030");
    {
        ImportPatch<decltype(&RegOpenKeyExW)> refused("RegOpenKeyExW", &NoKey);
        EXPECT_EQ(ErrorOf(LoadSettings), "Fehler beim Holen der Daten für 'ende'");
    }
    {
        ImportPatch<decltype(&RegQueryValueExW)> refused("RegQueryValueExW", &NoValue);
        EXPECT_EQ(ErrorOf(LoadSettings), "Fehler beim Holen der Daten für 'ende'");
    }
    SHDeleteKeyA(HKEY_CURRENT_USER, ProgramKey); // a missing key is no refusal
    LoadSettings();
    EXPECT_EQ(EndDate, EncodeDate(2010, 1, 1));
}

int WINAPI NoLocale(LCID, LCTYPE, LPWSTR, int) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
}

// The program speaks German: without the locale's date format its dates are
// German, not the portable default's "m/d/yy", which would store another date.
TEST_F(Settings, WithoutTheLocalesDateFormatDatesAreGerman) {
    ImportPatch<decltype(&GetLocaleInfoW)> refused("GetLocaleInfoW", &NoLocale);
    LoadLocaleDateSettings();
    EXPECT_EQ(FormatShortDate(EncodeDate(2030, 12, 24)), "24.12.2030");
}

} // namespace
