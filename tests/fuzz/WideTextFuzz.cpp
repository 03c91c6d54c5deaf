// The conversions at the Windows boundary. Any UTF-16 comes back unit for
// unit through UTF-8, unpaired surrogates included. Any bytes decode without
// a fault, into at most as many units, each ASCII byte as itself (no
// ill-formed sequence swallows one), and what they decode to encodes and
// decodes again unchanged.
//   input: the bytes, and the same bytes as UTF-16 units, little-endian.
#include "framework/WideText.h"

#include "FuzzInput.h"

#include <string_view>
#include <vector>

namespace {

template <typename Char> std::string Ascii(std::basic_string_view<Char> text) {
    std::string ascii;
    for (Char c : text)
        if (static_cast<std::uint32_t>(c) < 0x80)
            ascii += static_cast<char>(c);
    return ascii;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Both read in place or from a vector of the exact size, so that reading
    // past the end is seen.
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::u16string decoded = ToUtf16(bytes);
    FUZZ_CHECK(decoded.size() <= bytes.size());
    FUZZ_CHECK(Ascii(std::u16string_view(decoded)) == Ascii(bytes));
    const std::string encoded = FromUtf16(decoded);
    FUZZ_CHECK(ToUtf16(encoded) == decoded);
    FUZZ_CHECK(FromUtf16(ToUtf16(encoded)) == encoded);

    std::vector<char16_t> units(size / 2);
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
    const std::u16string_view wide(units.data(), units.size());
    FUZZ_CHECK(ToUtf16(FromUtf16(wide)) == wide);
    return 0;
}
