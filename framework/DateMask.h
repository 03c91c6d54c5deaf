#pragma once
// The editing rules of the date field: ten fixed positions, "dd.mm.yyyy" with
// the locale's separator, where day and month may stay empty and the year is
// required. The control owns the window and the selection; this class owns
// the characters and decides what every key does to them. Texts are UTF-8;
// positions count characters, each one UTF-16 unit of the edit control.

#include <string>
#include <string_view>

// What one edit did. caret is where the control puts the caret afterwards
// (collapsing its selection) when changed is true or the caret moved; after a
// refusal (beep) or a key without effect it is the selection start, and the
// control may keep its selection.
struct TMaskResult {
    bool changed; // a position changed (so DisplayText() did)
    bool beep;    // something was refused
    int caret;    // 0..Length, never on a separator
};

class TDateMask {
  public:
    static constexpr int Length = 10;

    explicit TDateMask(std::string_view separator = "/");

    // One character, as UTF-8.
    const std::string& Separator() const { return separator_; }
    // Takes the text's first character. A digit, '_', a blank or NUL would
    // make the field unreadable, and one beyond the BMP would take two
    // positions of the edit control (no locale has one): then ignored, as
    // are bytes that are no UTF-8.
    void SetSeparator(std::string_view separator);
    static bool IsSeparatorPosition(int index) { return index == 2 || index == 5; }

    // What the field shows: '_' in empty positions.
    std::string DisplayText() const;
    // The text handed to the date parser: blanks for empty positions and each
    // group right-aligned, so "1_" and "_1" both read " 1".
    std::string Text() const;
    // Each separated part fitted into its group: right-aligned when shorter,
    // its last characters when longer; anything but a digit leaves a position
    // empty; missing parts leave their group empty, parts beyond three are
    // ignored. Characters are counted in UTF-16 units, as the control does.
    // Text() always sets back the same Text().
    void SetText(const std::string& text);

    // index in 0..Length-1.
    bool Empty(int index) const { return At(index) == ' '; }
    // The digit at index, ' ' when empty, the separator at 2 and 5.
    char32_t At(int index) const;

    // Clamps to 0..Length; a caret before a separator (2, 5) moves past it
    // forward, or back before the group's last digit.
    static int NormalizeCaret(int caret, bool forward);

    // selStart and selEnd may come in any order and out of range: they are
    // clamped and ordered first.
    // key is a code point, Paste's text UTF-8.
    TMaskResult TypeChar(char32_t key, int selStart, int selEnd);
    TMaskResult Backspace(int selStart, int selEnd);
    TMaskResult Delete(int selStart, int selEnd);
    TMaskResult Paste(const std::string& text, int selStart, int selEnd);

    // The first empty year position, -1 when the year is complete. Day and
    // month may stay empty.
    int FirstMissingRequired() const;

  private:
    // Clears the digit positions in [start, end).
    void Clear(int start, int end);
    // The caret after the separator key typed at caret, or caret itself.
    int SeparatorJump(int caret) const;

    std::string separator_ = "/";
    char16_t separatorUnit_ = u'/'; // the same character
    char digits_[Length];           // ' ' empty, else '0'..'9'; unused at the separators
};
