#include "framework/WideText.h"

namespace {

constexpr char32_t Replacement = 0xFFFD;

bool IsHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// How long a sequence is by its first byte, and where its second byte must
// lie: that range alone rules out overlong forms and code points beyond
// U+10FFFF. ED goes on with A0..BF too, the generalized form of surrogates.
struct Lead {
    int length; // 0: the byte starts no sequence
    unsigned char secondLow, secondHigh;
};

Lead LeadOf(unsigned char first) {
    if (first >= 0xC2 && first <= 0xDF)
        return {2, 0x80, 0xBF};
    if (first == 0xE0)
        return {3, 0xA0, 0xBF};
    if (first >= 0xE1 && first <= 0xEF)
        return {3, 0x80, 0xBF};
    if (first == 0xF0)
        return {4, 0x90, 0xBF};
    if (first >= 0xF1 && first <= 0xF3)
        return {4, 0x80, 0xBF};
    if (first == 0xF4)
        return {4, 0x80, 0x8F};
    return {0, 0, 0};
}

// The code point at pos, moving pos past it; an ill-formed sequence gives
// Replacement and moves pos past its maximal subpart, so that the byte which
// broke it starts the next one.
char32_t DecodeAt(std::string_view bytes, std::size_t& pos) {
    const unsigned char first = static_cast<unsigned char>(bytes[pos++]);
    if (first < 0x80)
        return first;
    const Lead lead = LeadOf(first);
    if (lead.length == 0)
        return Replacement;
    char32_t code = first & (0x7F >> lead.length);
    for (int i = 1; i < lead.length; ++i) {
        if (pos == bytes.size())
            return Replacement;
        const unsigned char next = static_cast<unsigned char>(bytes[pos]);
        const unsigned char low = i == 1 ? lead.secondLow : 0x80;
        const unsigned char high = i == 1 ? lead.secondHigh : 0xBF;
        if (next < low || next > high)
            return Replacement;
        code = (code << 6) | (next & 0x3F);
        ++pos;
    }
    return code;
}

void AppendUnits(std::u16string& units, char32_t code) {
    if (code < 0x10000) {
        units += static_cast<char16_t>(code);
        return;
    }
    code -= 0x10000;
    units += static_cast<char16_t>(0xD800 + (code >> 10));
    units += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
}

void AppendBytes(std::string& bytes, char32_t code) {
    const auto byte = [&bytes](char32_t value) { bytes += static_cast<char>(value); };
    if (code < 0x80) {
        byte(code);
    } else if (code < 0x800) {
        byte(0xC0 | (code >> 6));
        byte(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        byte(0xE0 | (code >> 12));
        byte(0x80 | ((code >> 6) & 0x3F));
        byte(0x80 | (code & 0x3F));
    } else {
        byte(0xF0 | (code >> 18));
        byte(0x80 | ((code >> 12) & 0x3F));
        byte(0x80 | ((code >> 6) & 0x3F));
        byte(0x80 | (code & 0x3F));
    }
}

} // namespace

std::string FromUtf16(std::u16string_view units) {
    std::string bytes;
    bytes.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        char32_t code = units[i];
        if (IsHighSurrogate(code) && i + 1 < units.size() && IsLowSurrogate(units[i + 1]))
            code = 0x10000 + ((code - 0xD800) << 10) + (units[++i] - 0xDC00);
        AppendBytes(bytes, code);
    }
    return bytes;
}

std::u16string ToUtf16(std::string_view wtf8) {
    std::u16string units;
    units.reserve(wtf8.size());
    for (std::size_t pos = 0; pos < wtf8.size();)
        AppendUnits(units, DecodeAt(wtf8, pos));
    return units;
}

char16_t FirstBmpCharacter(std::string_view wtf8) {
    if (wtf8.empty())
        return 0;
    std::size_t pos = 0;
    const char32_t code = DecodeAt(wtf8, pos);
    if (code >= 0x10000 || IsHighSurrogate(code) || IsLowSurrogate(code) || code == Replacement)
        return 0;
    return static_cast<char16_t>(code);
}
