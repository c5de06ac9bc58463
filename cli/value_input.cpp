#include "value_input.h"

#include <algorithm>
#include <cassert>

namespace bitscope::cli {

void ValueInput::feed(std::string_view piece, bool encoding) {
    const std::size_t take = std::min(piece.size(), xTextLength - textLength);
    std::copy_n(piece.begin(), take, text.begin() + static_cast<std::ptrdiff_t>(textLength));
    textLength += take;
    if (!encoding) {
        if (take == piece.size()) return;
        if (!longText) {
            longText = true;
            scanner.reset();
            scanner.feed(std::string_view(text.data(), textLength));
        }
        scanner.feed(piece.substr(take));
        return;
    }

    for (const char c : piece) {
        if (c == '0' || c == '1') {
            if (digitCount < maxEncodingDigits) digits[digitCount] = c;
            ++digitCount;
        } else if (c != ' ' && c != '_') {
            strayCharacter = true;
        }
    }
}

std::string_view ValueInput::xText() {
    std::fill(text.begin() + static_cast<std::ptrdiff_t>(textLength), text.end(), ' ');
    return {text.data(), text.size()};
}

std::string_view ValueInput::encoding(std::size_t k) {
    assert(k <= maxEncodingDigits);
    if (strayCharacter || digitCount == 0 || digitCount > k) return {};
    const std::size_t pad = k - digitCount;
    std::fill_n(encoded_.begin(), pad, '0');
    std::copy_n(digits.begin(), digitCount, encoded_.begin() + static_cast<std::ptrdiff_t>(pad));
    return {encoded_.data(), k};
}

} // namespace bitscope::cli
