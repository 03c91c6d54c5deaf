#include "framework/DateMask.h"

#include "framework/WideText.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

struct Group {
    int first, width;
};
constexpr Group Groups[] = {{0, 2}, {3, 2}, {6, 4}};
constexpr int YearStart = 6;

// Not isdigit: the locale's digits and negative chars have no business here.
bool IsDigit(char32_t c) {
    return c >= '0' && c <= '9';
}

void Order(int& selStart, int& selEnd) {
    selStart = std::clamp(selStart, 0, TDateMask::Length);
    selEnd = std::clamp(selEnd, 0, TDateMask::Length);
    if (selStart > selEnd)
        std::swap(selStart, selEnd);
}

} // namespace

TDateMask::TDateMask(std::string_view separator) {
    std::memset(digits_, ' ', sizeof digits_);
    SetSeparator(separator);
}

void TDateMask::SetSeparator(std::string_view separator) {
    const char16_t unit = FirstBmpCharacter(separator);
    if (unit == 0 || IsDigit(unit) || unit == '_' || unit == ' ')
        return;
    separatorUnit_ = unit;
    separator_ = FromUtf16(std::u16string_view(&unit, 1));
}

char32_t TDateMask::At(int index) const {
    return IsSeparatorPosition(index) ? separatorUnit_ : static_cast<char32_t>(digits_[index]);
}

std::string TDateMask::DisplayText() const {
    std::string text;
    for (int i = 0; i < Length; ++i) {
        if (IsSeparatorPosition(i))
            text += separator_;
        else
            text += Empty(i) ? '_' : digits_[i];
    }
    return text;
}

std::string TDateMask::Text() const {
    std::string text;
    for (const Group& g : Groups) {
        std::string digits;
        for (int i = g.first; i < g.first + g.width; ++i)
            if (!Empty(i))
                digits += digits_[i];
        if (g.first > 0)
            text += separator_;
        text += std::string(g.width - digits.size(), ' ') + digits;
    }
    return text;
}

void TDateMask::SetText(const std::string& text) {
    const std::u16string units = ToUtf16(text);
    std::size_t start = 0;
    for (const Group& g : Groups) {
        std::u16string part;
        if (start <= units.size()) {
            std::size_t end = units.find(separatorUnit_, start);
            if (end == std::u16string::npos)
                end = units.size();
            part = units.substr(start, end - start);
            start = end + 1;
        }
        if (part.size() > static_cast<std::size_t>(g.width))
            part.erase(0, part.size() - g.width);
        part.insert(0, g.width - part.size(), u' ');
        for (int i = 0; i < g.width; ++i)
            digits_[g.first + i] = IsDigit(part[i]) ? static_cast<char>(part[i]) : ' ';
    }
}

int TDateMask::NormalizeCaret(int caret, bool forward) {
    caret = std::clamp(caret, 0, Length);
    if (IsSeparatorPosition(caret))
        caret += forward ? 1 : -1;
    return caret;
}

void TDateMask::Clear(int start, int end) {
    for (int i = start; i < end; ++i)
        digits_[i] = ' ';
}

// The separator key ends the group the caret is in. Right after a separator
// that follows digits, the caret got there by itself as the group filled up,
// and the separator typed next out of habit must not skip the following group
// ("24.12.2026" typed as written); after an empty group it does skip, so ".."
// reaches the year. In the year group no separator follows: nothing happens.
int TDateMask::SeparatorJump(int caret) const {
    if (IsSeparatorPosition(caret - 1) && (!Empty(caret - 2) || !Empty(caret - 3)))
        return caret;
    for (int i = caret; i < YearStart; ++i)
        if (IsSeparatorPosition(i))
            return i + 1;
    return caret;
}

TMaskResult TDateMask::TypeChar(char32_t key, int selStart, int selEnd) {
    Order(selStart, selEnd);
    const int caret = NormalizeCaret(selStart, true);
    // The separator only moves the caret, even over a selection: nothing the
    // user meant to replace is lost to a key that types no digit.
    if (key == separatorUnit_)
        return {false, false, SeparatorJump(caret)};
    if (!IsDigit(key) || caret == Length)
        return {false, true, caret};
    const std::string before = DisplayText();
    Clear(selStart, selEnd);
    digits_[caret] = static_cast<char>(key);
    return {DisplayText() != before, false, NormalizeCaret(caret + 1, true)};
}

TMaskResult TDateMask::Backspace(int selStart, int selEnd) {
    Order(selStart, selEnd);
    if (selStart != selEnd)
        return Delete(selStart, selEnd);
    if (selStart == 0)
        return {false, false, 0};
    const int index = NormalizeCaret(selStart - 1, false);
    const bool changed = !Empty(index);
    digits_[index] = ' ';
    return {changed, false, index};
}

TMaskResult TDateMask::Delete(int selStart, int selEnd) {
    Order(selStart, selEnd);
    const int caret = NormalizeCaret(selStart, true);
    const std::string before = DisplayText();
    if (selStart == selEnd)
        Clear(caret, std::min(caret + 1, Length));
    else
        Clear(selStart, selEnd);
    return {DisplayText() != before, false, caret};
}

TMaskResult TDateMask::Paste(const std::string& text, int selStart, int selEnd) {
    Order(selStart, selEnd);
    const std::string before = DisplayText();
    Clear(selStart, selEnd);
    int caret = NormalizeCaret(selStart, true);
    bool dropped = false;
    // A character beyond the BMP is two units here, both refused: the same
    // result as refusing it once.
    for (char16_t c : ToUtf16(text)) {
        if (c == separatorUnit_) {
            caret = SeparatorJump(caret);
        } else if (IsDigit(c) && caret < Length) {
            digits_[caret] = static_cast<char>(c);
            caret = NormalizeCaret(caret + 1, true);
        } else {
            dropped = true;
        }
    }
    return {DisplayText() != before, dropped, caret};
}

int TDateMask::FirstMissingRequired() const {
    for (int i = YearStart; i < Length; ++i)
        if (Empty(i))
            return i;
    return -1;
}
