#pragma once

// A second, deliberately naive model of UTF-8 and UTF-16 for the conversion
// fuzzers: decode by the bit layout alone, then judge the code point. It
// shares no code (and no table) with the store's converter, so the two agree
// only if both follow the encoding rules.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fuzzref {

// The code points of `bytes` if it is well-formed UTF-8: every sequence
// complete, no overlong form, no surrogate, nothing above U+10FFFF.
inline bool decodeStrictUtf8(const std::string& bytes, std::vector<char32_t>* codePoints)
{
    codePoints->clear();
    std::size_t i = 0;
    while (i < bytes.size()) {
        const unsigned lead = static_cast<unsigned char>(bytes[i]);
        int length = 0;
        while (length < 8 && (lead & (0x80u >> length)))
            ++length;
        if (length == 0)
            length = 1;
        else if (length == 1 || length > 4)
            return false; // a stray continuation byte, or a 5- to 8-byte form
        if (bytes.size() - i < static_cast<std::size_t>(length))
            return false;
        char32_t value = length == 1 ? lead : (lead & (0xFFu >> (length + 1)));
        for (int k = 1; k < length; ++k) {
            const unsigned byte = static_cast<unsigned char>(bytes[i + k]);
            if ((byte >> 6) != 2)
                return false;
            value = (value << 6) | (byte & 0x3F);
        }
        const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (value < smallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
            return false;
        codePoints->push_back(value);
        i += static_cast<std::size_t>(length);
    }
    return true;
}

inline std::u16string encodeUtf16(const std::vector<char32_t>& codePoints)
{
    std::u16string out;
    for (char32_t c : codePoints) {
        if (c < 0x10000) {
            out.push_back(static_cast<char16_t>(c));
        } else {
            out.push_back(static_cast<char16_t>(0xD800 | ((c - 0x10000) >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 | ((c - 0x10000) & 0x3FF)));
        }
    }
    return out;
}

// Lenient reading of UTF-16: pairs join, every other unit stands for itself.
inline std::vector<char32_t> decodeLenientUtf16(const std::u16string& units)
{
    std::vector<char32_t> out;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char32_t unit = units[i];
        const bool high = unit >= 0xD800 && unit < 0xDC00;
        if (high && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000) {
            out.push_back(0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else {
            out.push_back(unit);
        }
    }
    return out;
}

// Any scalar or lone surrogate in the shortest UTF-8 form of its number.
inline std::string encodeUtf8Loosely(const std::vector<char32_t>& codePoints)
{
    std::string out;
    for (char32_t c : codePoints) {
        int length = c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
        if (length == 1) {
            out.push_back(static_cast<char>(c));
            continue;
        }
        const unsigned leadMarks[] = {0, 0, 0xC0, 0xE0, 0xF0};
        out.push_back(static_cast<char>(leadMarks[length] | (c >> (6 * (length - 1)))));
        for (int k = length - 2; k >= 0; --k)
            out.push_back(static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F)));
    }
    return out;
}

inline bool hasLoneSurrogate(const std::vector<char32_t>& codePoints)
{
    for (char32_t c : codePoints) {
        if (c >= 0xD800 && c <= 0xDFFF)
            return true;
    }
    return false;
}

} // namespace fuzzref
