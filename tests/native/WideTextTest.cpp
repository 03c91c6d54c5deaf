// The conversions between the program's UTF-8 (WTF-8) and Windows' UTF-16.
#include "framework/WideText.h"

#include <gtest/gtest.h>

namespace {

using namespace std::literals;

TEST(WideText, RoundTripsUnitForUnit) {
    struct {
        std::u16string_view utf16;
        std::string_view wtf8;
    } const cases[] = {
        {u"", ""},
        {u"Noch 42 Tage bis zum 24.12.2026", "Noch 42 Tage bis zum 24.12.2026"},
        {u"\0\x7F"sv, "\0\x7F"sv},
        {u"\u0080\u07FF\u0800\uD7FF\uE000\uFFFD\uFFFF", "\xC2\x80\xDF\xBF\xE0\xA0\x80\xED\x9F\xBF"
                                                        "\xEE\x80\x80\xEF\xBF\xBD\xEF\xBF\xBF"},
        {u"😀", "\xF0\x9F\x98\x80"},
        {u"\U00010000\U0010FFFF", "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF"},
        {u"\xD800", "\xED\xA0\x80"},                   // a lone high surrogate
        {u"\xDFFF", "\xED\xBF\xBF"},                   // a lone low one
        {u"\xDC00\xD800", "\xED\xB0\x80\xED\xA0\x80"}, // low before high
        {u"\xD83D"
         u"A\xDE00",
         "\xED\xA0\xBD"
         "A\xED\xB8\x80"},                                       // parted by a letter
        {u"\xDBFF\xDBFF\xDFFF", "\xED\xAF\xBF\xF4\x8F\xBF\xBF"}, // the second high pairs
        {u"Zürich – Kraków ≠ Αθήνα · Київ 😀 中文 \xD800",
         u8"Zürich – Kraków ≠ Αθήνα · Київ 😀 中文 \xED\xA0\x80"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FromUtf16(c.utf16), c.wtf8);
        EXPECT_EQ(ToUtf16(c.wtf8), c.utf16);
    }
}

// Ill-formed bytes become one replacement per maximal subpart.
TEST(WideText, DecodesBytesThatNoUtf16Encodes) {
    struct {
        std::string_view bytes;
        std::u16string_view utf16;
    } const cases[] = {
        {"\x80", u"\uFFFD"}, // a stray continuation byte
        {"a\xBF\x80z", u"a\uFFFD\uFFFDz"},
        {"\xC3", u"\uFFFD"},   // cut short at the end
        {"\xC3(", u"\uFFFD("}, // and by the next character
        {"\xE2\x82", u"\uFFFD"},
        {"\xE2\x82\xE2\x82\xAC", u"\uFFFD€"},
        {"\xF0\x9F\x98", u"\uFFFD"},
        {"\xED\xA0", u"\uFFFD"},
        {"\xED\xA0\x80\xED", u"\xD800\uFFFD"},
        {"\xC0\xAF", u"\uFFFD\uFFFD"}, // overlong "/"
        {"\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},
        {"\xF0\x8F\xBF\xBF", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"}, // beyond U+10FFFF
        {"\xF5\x80\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"\xF8\x88\x80\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"\xE4 \xF6", u"\uFFFD \uFFFD"}, // Windows-1252 "ä ö"
        // A lone high and a lone low surrogate one after the other, as
        // joining two texts gives them: the pair.
        {"\xED\xA0\xBD\xED\xB8\x80", u"\xD83D\xDE00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToUtf16(c.bytes), c.utf16);
}

TEST(WideText, FirstBmpCharacter) {
    struct {
        std::string_view text;
        char16_t first;
    } const cases[] = {
        // Taken: one unit of the BMP, the first character only.
        {".", u'.'},
        {u8"·/", u'·'},
        {u8"ㆍ", u'ㆍ'},
        {u8"\uFFFC", u'\uFFFC'},
        // Refused: none, NUL, two units, a lone surrogate, U+FFFD (which
        // stands for bytes that are no text), Windows-1252, a cut-off one.
        {"", 0},
        {"\0."sv, 0},
        {u8"😀", 0},
        {"\xED\xA0\x80", 0},
        {"\xEF\xBF\xBD", 0},
        {"\xB7", 0},
        {"\xE3\x86", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FirstBmpCharacter(c.text), c.first) << c.text;
}

} // namespace
