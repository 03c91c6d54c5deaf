#include "RegistryFixture.h"

#include "core/uRegistry.h"

#include <functional>

namespace {

using Store = RegistryTest;

TEST_F(Store, ReadingAMissingKeyGivesDefaultsAndCreatesNothing) {
    EXPECT_EQ(RegReadString("", "text", "fallback"), "fallback");
    EXPECT_EQ(RegReadInteger("", "fontsize", -7), -7);
    EXPECT_TRUE(RegReadBool("", "workweek", true));
    EXPECT_FALSE(RegReadBool("", "workweek", false));
    EXPECT_FALSE(ProgramKeyExists());
}

TEST_F(Store, ValuesAreStoredWithTheirKinds) {
    RegWriteString("", "s", "Wert");
    RegWriteInteger("", "i", -2);
    RegWriteBool("", "t", true);
    RegWriteBool("", "f", false);
    EXPECT_EQ(GetRaw("s").type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(GetRaw("s").bytes, std::string("Wert", 5)); // with its NUL
    EXPECT_EQ(GetDword("i"), 0xFFFFFFFEu);
    EXPECT_EQ(GetDword("t"), 1u);
    EXPECT_EQ(GetDword("f"), 0u);
}

TEST_F(Store, WritesReplaceAValueOfAnotherKind) {
    PutDword("text", 12);
    RegWriteString("", "text", "neu");
    EXPECT_EQ(GetRaw("text").type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(RegReadString("", "text", "x"), "neu");
}

TEST_F(Store, AnEmptyStringIsStoredAndReadAsEmpty) {
    RegWriteString("", "text", "");
    EXPECT_EQ(GetRaw("text").bytes, std::string(1, '\0'));
    EXPECT_EQ(RegReadString("", "text", "default"), "");
    PutRaw("zero", REG_SZ, "", 0);
    EXPECT_EQ(RegReadString("", "zero", "default"), "");
}

TEST_F(Store, StringsWithoutTerminatorOrOfAnyLengthReadSafely) {
    PutRaw("bare", REG_SZ, "abc", 3);
    EXPECT_EQ(RegReadString("", "bare", ""), "abc");
    const std::string huge(200000, 'x');
    RegWriteString("", "huge", huge);
    EXPECT_EQ(RegReadString("", "huge", ""), huge);
    PutRaw("inner", REG_SZ, "ab\0cd", 6);
    EXPECT_EQ(RegReadString("", "inner", ""), "ab");
}

TEST_F(Store, BoolsAreTrueOnlyForOne) {
    const struct {
        DWORD stored;
        bool expected;
    } cases[] = {{0, false}, {1, true}, {5, false}, {0xFFFFFFFF, false}, {2, false}};
    for (const auto& c : cases) {
        PutDword("b", c.stored);
        EXPECT_EQ(RegReadBool("", "b", true), c.expected) << c.stored;
    }
}

TEST_F(Store, ReadingTheWrongKindFailsWithTheValueName) {
    const struct {
        const char* what;
        std::function<void()> store;
        std::function<void()> read;
        const char* message;
    } cases[] = {
        {"string from an integer", [] { PutDword("v", 7); }, [] { RegReadString("", "v", ""); },
         "Ungültiger Datentyp für 'v'"},
        {"integer from a long string", [] { PutString("v", "abcd"); },
         [] { RegReadInteger("", "v", 0); }, "Fehler beim Holen der Daten für 'v'"},
        {"integer from a short string", [] { PutString("v", "a"); },
         [] { RegReadInteger("", "v", 0); }, "Ungültiger Datentyp für 'v'"},
        {"integer from long bytes", [] { PutRaw("v", REG_BINARY, "12345678", 8); },
         [] { RegReadInteger("", "v", 0); }, "Fehler beim Holen der Daten für 'v'"},
        {"integer from short bytes", [] { PutRaw("v", REG_BINARY, "12", 2); },
         [] { RegReadInteger("", "v", 0); }, "Ungültiger Datentyp für 'v'"},
        {"bool from a string", [] { PutString("v", "1"); }, [] { RegReadBool("", "v", false); },
         "Ungültiger Datentyp für 'v'"},
    };
    for (const auto& c : cases) {
        c.store();
        EXPECT_EQ(ErrorOf(c.read), c.message) << c.what;
    }
}

TEST_F(Store, AWriteTheRegistryRefusesFails) {
    // A key name part longer than the registry allows cannot be created.
    const std::string badSection(300, 's');
    EXPECT_EQ(ErrorOf([&] { RegWriteString(badSection, "text", "x"); }),
              "Fehler beim Setzen der Daten für 'text'");
    EXPECT_EQ(ErrorOf([&] { RegWriteInteger(badSection, "fontsize", 1); }),
              "Fehler beim Setzen der Daten für 'fontsize'");
    EXPECT_EQ(ErrorOf([&] { RegWriteBool(badSection, "workweek", true); }),
              "Fehler beim Setzen der Daten für 'workweek'");
}

TEST_F(Store, SectionsAreSubkeys) {
    RegWriteInteger("Teil", "n", 3);
    EXPECT_EQ(RegReadInteger("Teil", "n", 0), 3);
    EXPECT_EQ(RegReadInteger("", "n", 9), 9);
}

} // namespace
