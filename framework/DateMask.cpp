#include "framework/DateMask.h"

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
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

void Order(int& selStart, int& selEnd) {
    selStart = std::clamp(selStart, 0, TDateMask::Length);
    selEnd = std::clamp(selEnd, 0, TDateMask::Length);
    if (selStart > selEnd)
        std::swap(selStart, selEnd);
}

} // namespace

TDateMask::TDateMask(char separator) {
    std::memset(digits_, ' ', sizeof digits_);
    SetSeparator(separator);
}

void TDateMask::SetSeparator(char separator) {
    if (!IsDigit(separator) && separator != '_' && separator != ' ' && separator != '\0')
        separator_ = separator;
}

char TDateMask::At(int index) const {
    return IsSeparatorPosition(index) ? separator_ : digits_[index];
}

std::string TDateMask::DisplayText() const {
    std::string text(Length, ' ');
    for (int i = 0; i < Length; ++i)
        text[i] = Empty(i) ? '_' : At(i);
    return text;
}

std::string TDateMask::Text() const {
    std::string text(Length, separator_);
    for (const Group& g : Groups) {
        std::string digits;
        for (int i = g.first; i < g.first + g.width; ++i)
            if (!Empty(i))
                digits += digits_[i];
        text.replace(g.first, g.width, std::string(g.width - digits.size(), ' ') + digits);
    }
    return text;
}

void TDateMask::SetText(const std::string& text) {
    std::size_t start = 0;
    for (const Group& g : Groups) {
        std::string part;
        if (start <= text.size()) {
            std::size_t end = text.find(separator_, start);
            if (end == std::string::npos)
                end = text.size();
            part = text.substr(start, end - start);
            start = end + 1;
        }
        if (part.size() > static_cast<std::size_t>(g.width))
            part.erase(0, part.size() - g.width);
        part.insert(0, g.width - part.size(), ' ');
        for (int i = 0; i < g.width; ++i)
            digits_[g.first + i] = IsDigit(part[i]) ? part[i] : ' ';
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

TMaskResult TDateMask::TypeChar(char key, int selStart, int selEnd) {
    Order(selStart, selEnd);
    const int caret = NormalizeCaret(selStart, true);
    // The separator only moves the caret, even over a selection: nothing the
    // user meant to replace is lost to a key that types no digit.
    if (key == separator_)
        return {false, false, SeparatorJump(caret)};
    if (!IsDigit(key) || caret == Length)
        return {false, true, caret};
    const std::string before = DisplayText();
    Clear(selStart, selEnd);
    digits_[caret] = key;
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
    for (char c : text) {
        if (c == separator_) {
            caret = SeparatorJump(caret);
        } else if (IsDigit(c) && caret < Length) {
            digits_[caret] = c;
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
