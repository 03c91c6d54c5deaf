// Every stored value damaged in every way another program could damage it:
// what loading makes of it, and that both windows still open after the
// error box. Against the real registry of the test prefix.

#include "Input.h"
#include "RegistryFixture.h"
#include "Taskbar.h"

#include "forms/ufrmQuorbel.h"
#include "forms/ufrmSettings.h"

#include <climits>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

// The record before loading; every stored value below differs from it.
void SetRecordBeforeLoading() {
    EndDate = 1;
    TextTemplate = "vorher";
    DisplayFont->SetName("Vorher");
    DisplayFont->SetSize(7);
    DisplayFont->SetColor(0x010203);
    BackgroundColor = 0x040506;
    WorkWeek = true;
    DisplayFont->SetStyle(fsBold | fsItalic);
}

// The nine values in the order they are loaded. The style is set once
// both of its flags are read, so the two share a place.
struct Field {
    const char* name;
    int place;
    std::function<void()> store;       // a sound value
    std::function<bool()> holdsStored; // the record holds that value
    std::function<bool()> holdsBefore; // the record holds what it held before
};

const Field Fields[] = {
    {"ende", 0, [] { PutString("ende", "24.12.2030"); },
     [] { return EndDate == EncodeDate(2030, 12, 24); }, [] { return EndDate == 1; }},
    {"text", 1, [] { PutString("text", "geladen"); }, [] { return TextTemplate == "geladen"; },
     [] { return TextTemplate == "vorher"; }},
    {"fontname", 2, [] { PutString("fontname", "Courier New"); },
     [] { return DisplayFont->Name() == "Courier New"; },
     [] { return DisplayFont->Name() == "Vorher"; }},
    {"fontsize", 3, [] { PutDword("fontsize", 20); }, [] { return DisplayFont->Size() == 20; },
     [] { return DisplayFont->Size() == 7; }},
    {"fontcolor", 4, [] { PutDword("fontcolor", 0x00FF00); },
     [] { return DisplayFont->Color() == 0x00FF00; },
     [] { return DisplayFont->Color() == 0x010203; }},
    {"backgroundcolor", 5, [] { PutDword("backgroundcolor", 0x0000FF); },
     [] { return BackgroundColor == 0x0000FF; }, [] { return BackgroundColor == 0x040506; }},
    {"workweek", 6, [] { PutDword("workweek", 0); }, [] { return !WorkWeek; },
     [] { return WorkWeek; }},
    {"fontbold", 7, [] { PutDword("fontbold", 0); }, [] { return DisplayFont->Style() == 0; },
     [] { return DisplayFont->Style() == (fsBold | fsItalic); }},
    {"fontitalic", 7, [] { PutDword("fontitalic", 0); }, [] { return DisplayFont->Style() == 0; },
     [] { return DisplayFont->Style() == (fsBold | fsItalic); }},
};

bool IsStringValue(const std::string& name) {
    return name == "ende" || name == "text" || name == "fontname";
}

// What the string fields make of the text they read.
bool HoldsText(const std::string& name, const std::string& text) {
    if (name == "ende")
        return EndDate == ParseShortDate(text, Today());
    if (name == "text")
        return TextTemplate == text;
    return DisplayFont->Name() == text;
}

enum class Outcome { Read, WrongType, TooLarge };

struct Damage {
    const char* what;
    DWORD type;
    std::string bytes;
    Outcome outcome;
    std::string read = ""; // what a string value reads as
    bool unicode = false;  // written through the wide function, as its bytes
};

std::string Bytes(const char* data, std::size_t size) {
    return std::string(data, size);
}

std::string Wide(const wchar_t* text, std::size_t bytes) {
    return std::string(reinterpret_cast<const char*>(text), bytes);
}

// Every character from 0x80 to 0xFF, as UTF-16 and as the store reads it.
std::u16string HighCharacters() {
    std::u16string text = u"Nächte ";
    for (char16_t c = 0x80; c <= 0xFF; ++c)
        text += c;
    return text;
}

std::string Units(const std::u16string& text) {
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
}

const std::string MiB(1 << 20, 'T');

const Damage StringDamages[] = {
    {"an integer", REG_DWORD, Bytes("\7\0\0\0", 4), Outcome::WrongType},
    {"raw bytes", REG_BINARY, "abc", Outcome::WrongType},
    {"a list of strings", REG_MULTI_SZ, Bytes("ab\0cd\0", 7), Outcome::WrongType},
    {"a 64-bit integer", REG_QWORD, Bytes("\7\0\0\0\0\0\0\0", 8), Outcome::WrongType},
    {"bytes of no kind", REG_NONE, Bytes("ab", 3), Outcome::WrongType},
    {"an empty integer", REG_DWORD, "", Outcome::WrongType},
    {"an empty value of no kind", REG_NONE, "", Outcome::WrongType},
    {"an empty string", REG_SZ, "", Outcome::Read, ""},
    {"a string without its NUL", REG_SZ, "24.12.2030", Outcome::Read, "24.12.2030"},
    {"a string with a NUL inside", REG_SZ, Bytes("24.12.2030\0x", 13), Outcome::Read, "24.12.2030"},
    {"a Unicode string of odd byte length", REG_SZ, Wide(L"24.12.2030", 21), Outcome::Read,
     "24.12.2030", true},
    {"a Unicode string with a stray last byte", REG_SZ, Wide(L"24.12.2030", 20) + "X",
     Outcome::Read, "24.12.2030", true},
    {"an environment string, kept unexpanded", REG_EXPAND_SZ, Bytes("%TEMP%", 7), Outcome::Read,
     "%TEMP%"},
    {"a 1 MiB string", REG_SZ, MiB, Outcome::Read, MiB},
    {"characters above 0x7F", REG_SZ, Units(HighCharacters()), Outcome::Read,
     FromUtf16(HighCharacters()), true},
};

// A string is UTF-16: only one character, without its NUL, fits the four
// bytes an integer is read into.
const Damage NumberDamages[] = {
    {"a string of one character", REG_SZ, Units(u"1"), Outcome::WrongType, "", true},
    {"a string of four characters", REG_SZ, Bytes("1234", 5), Outcome::TooLarge},
    {"raw bytes of four", REG_BINARY, Bytes("\1\0\0\0", 4), Outcome::WrongType},
    {"raw bytes of an odd length", REG_BINARY, "abc", Outcome::WrongType},
    {"raw bytes of eight", REG_BINARY, Bytes("\1\0\0\0\0\0\0\0", 8), Outcome::TooLarge},
    {"raw bytes above 0x7F", REG_BINARY, "\xFF\xFE\x80\x81", Outcome::WrongType},
    {"a list of strings", REG_MULTI_SZ, Units(std::u16string(u"\0", 1)), Outcome::WrongType, "",
     true},
    {"a longer list of strings", REG_MULTI_SZ, Bytes("1\0002\0", 5), Outcome::TooLarge},
    {"an environment string", REG_EXPAND_SZ, Units(u"%"), Outcome::WrongType, "", true},
    {"a 64-bit integer", REG_QWORD, Bytes("\1\0\0\0\0\0\0\0", 8), Outcome::TooLarge},
    {"a big-endian integer", REG_DWORD_BIG_ENDIAN, Bytes("\0\0\0\1", 4), Outcome::WrongType},
    {"bytes of no kind", REG_NONE, Bytes("\1\0\0\0", 4), Outcome::WrongType},
    {"an empty integer", REG_DWORD, "", Outcome::WrongType},
    {"a two-byte integer", REG_DWORD, Bytes("\1\0", 2), Outcome::WrongType},
    {"an empty value of no kind", REG_NONE, "", Outcome::WrongType},
    {"an empty string", REG_SZ, "", Outcome::WrongType},
    {"a 1 MiB string", REG_SZ, MiB, Outcome::TooLarge},
};

void PutDamage(const std::string& name, const Damage& damage) {
    PutRaw(name, damage.type, damage.bytes.data(), static_cast<DWORD>(damage.bytes.size()),
           damage.unicode);
}

std::string Message(Outcome outcome, const std::string& name) {
    switch (outcome) {
    case Outcome::WrongType:
        return "Ungültiger Datentyp für '" + name + "'";
    case Outcome::TooLarge:
        return "Fehler beim Holen der Daten für '" + name + "'";
    case Outcome::Read:
        break;
    }
    return "";
}

class BadValues : public RegistryTest {
  protected:
    void SetUp() override {
        RegistryTest::SetUp();
        DisplayFont = &font;
        Application.Title = "Quorbel";
        Application.ShowMessageBox = [this](HWND, const std::string& text, const std::string&,
                                            UINT) { boxes.push_back(text); };
    }
    void TearDown() override {
        Application.DestroyForms();
        RegistryTest::TearDown();
    }

    // Sound values everywhere, then the one damaged.
    void Store(const Field& damaged, const Damage& damage) {
        SHDeleteKeyA(HKEY_CURRENT_USER, ProgramKey);
        for (const Field& field : Fields)
            field.store();
        PutDamage(damaged.name, damage);
    }

    std::string Load() {
        DisplayFont = &font;
        SetRecordBeforeLoading();
        fontChanges = 0;
        font.OnChange = [this] { ++fontChanges; };
        const std::string error = ErrorOf(LoadSettings);
        font.OnChange = nullptr;
        return error;
    }

    // Each window opens, shows at most the one error box and closes.
    template <class Form> void ExpectOpens(Form*& form, const std::string& error) {
        boxes.clear();
        Application.CreateForm(form);
        Pump(0);
        EXPECT_TRUE(IsWindowVisible(form->Handle()));
        EXPECT_EQ(boxes,
                  error.empty() ? std::vector<std::string>{} : std::vector<std::string>{error});
        SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
        EXPECT_TRUE(Application.Terminated());
        Application.DestroyForms();
    }

    void Check(const Field& field, const Damage& damage) {
        SCOPED_TRACE(std::string(field.name) + ": " + damage.what);
        Store(field, damage);
        const std::string error = Message(damage.outcome, field.name);
        EXPECT_EQ(Load(), error);
        EXPECT_LE(fontChanges, 1) << "the window measures its text at every font value";
        for (const Field& other : Fields) {
            if (&other == &field && damage.outcome == Outcome::Read)
                EXPECT_TRUE(HoldsText(field.name, damage.read));
            else if (damage.outcome == Outcome::Read || other.place < field.place)
                EXPECT_TRUE(other.holdsStored()) << other.name << " is loaded";
            else
                EXPECT_TRUE(other.holdsBefore()) << other.name << " keeps its value";
        }
        // After an error each window holds what loading left and shows the
        // message, the same for every damage with that message, so each
        // message is opened once; every text that is read is opened.
        if (error.empty() || opened.insert(error).second) {
            ExpectOpens(frmQuorbel, error);
            ExpectOpens(frmSettings, error);
        }
    }

    TFont font;
    int fontChanges = 0;
    Taskbar taskbar; // shown again should a window fail to
    std::vector<std::string> boxes;
    std::set<std::string> opened; // the errors both windows were opened with
};

TEST_F(BadValues, StringValues) {
    for (const Field& field : Fields)
        if (IsStringValue(field.name))
            for (const Damage& damage : StringDamages)
                Check(field, damage);
}

TEST_F(BadValues, IntegerAndBooleanValues) {
    for (const Field& field : Fields)
        if (!IsStringValue(field.name))
            for (const Damage& damage : NumberDamages)
                Check(field, damage);
}

// Sound kinds with numbers no dialog would write.
TEST_F(BadValues, ExtremeNumbersOpenBothWindows) {
    const struct {
        const char* name;
        DWORD value;
    } extremes[] = {{"fontsize", INT_MAX},
                    {"fontsize", 0x80000000},
                    {"fontsize", 0xA0000000},
                    {"fontsize", 0},
                    {"fontsize", 100000},
                    {"fontsize", DWORD(-72)},
                    {"fontcolor", 0xFFFFFFFF},
                    {"fontcolor", 0x8000000F},
                    {"backgroundcolor", 0xFF000000},
                    {"backgroundcolor", 0x80FFFFFF},
                    {"workweek", 2},
                    {"fontbold", DWORD(-1)}};
    for (const auto& e : extremes) {
        SCOPED_TRACE(std::string(e.name) + " = " + std::to_string(e.value));
        PutDword(e.name, e.value);
        ExpectOpens(frmQuorbel, "");
        ExpectOpens(frmSettings, "");
        SHDeleteKeyA(HKEY_CURRENT_USER, ProgramKey);
    }
}

} // namespace
