#include "settings/Utf8Conversion.h"

#include <cstdint>

namespace ilsk {

namespace {

constexpr char32_t highSurrogateFirst = 0xD800;
constexpr char32_t highSurrogateLast = 0xDBFF;
constexpr char32_t lowSurrogateFirst = 0xDC00;
constexpr char32_t lowSurrogateLast = 0xDFFF;

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// Decodes one well-formed sequence starting at `i`; advances `i`.
bool decodeUtf8(const std::string& in, std::size_t& i, char32_t* codePoint)
{
    const auto lead = static_cast<unsigned char>(in[i]);
    if (lead < 0x80) {
        *codePoint = lead;
        ++i;
        return true;
    }
    std::size_t extra;
    char32_t value;
    unsigned char secondMin = 0x80, secondMax = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2;
        value = lead & 0x0F;
        if (lead == 0xE0)
            secondMin = 0xA0; // overlong
        if (lead == 0xED)
            secondMax = 0x9F; // encoded surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3;
        value = lead & 0x07;
        if (lead == 0xF0)
            secondMin = 0x90; // overlong
        if (lead == 0xF4)
            secondMax = 0x8F; // above U+10FFFF
    } else {
        return false; // continuation byte, C0/C1 or F5..FF
    }
    if (in.size() - i - 1 < extra)
        return false; // cut off at the end
    const auto second = static_cast<unsigned char>(in[i + 1]);
    if (second < secondMin || second > secondMax)
        return false;
    for (std::size_t k = 1; k <= extra; ++k) {
        const auto byte = static_cast<unsigned char>(in[i + k]);
        if (!isContinuation(byte))
            return false;
        value = (value << 6) | (byte & 0x3F);
    }
    i += extra + 1;
    *codePoint = value;
    return true;
}

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

} // namespace

bool tryUtf8ToUtf16(const std::string& utf8, Utf16String* out)
{
    Utf16String result;
    result.reserve(utf8.size() + 1);
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t c;
        if (!decodeUtf8(utf8, i, &c))
            return false;
        if (c >= 0x10000) {
            c -= 0x10000;
            result.push_back(static_cast<WCHAR>(highSurrogateFirst + (c >> 10)));
            result.push_back(static_cast<WCHAR>(lowSurrogateFirst + (c & 0x3FF)));
        } else {
            result.push_back(static_cast<WCHAR>(c));
        }
    }
    *out = std::move(result);
    return true;
}

bool tryUtf16ToUtf8(const Utf16String& utf16, std::string* out)
{
    std::string result;
    result.reserve(utf16.size() * 3 + 1);
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t c = static_cast<std::uint16_t>(utf16[i]);
        if (c >= highSurrogateFirst && c <= highSurrogateLast) {
            if (i + 1 == utf16.size())
                return false; // the pair is cut off at the end
            const char32_t next = static_cast<std::uint16_t>(utf16[i + 1]);
            if (next >= lowSurrogateFirst && next <= lowSurrogateLast) {
                c = 0x10000 + ((c - highSurrogateFirst) << 10) + (next - lowSurrogateFirst);
                ++i;
            }
        }
        appendUtf8(result, c);
    }
    *out = std::move(result);
    return true;
}

Utf16String utf8ToUtf16(const std::string& utf8)
{
    Utf16String result;
    return tryUtf8ToUtf16(utf8, &result) ? result : Utf16String();
}

std::string utf16ToUtf8(const Utf16String& utf16)
{
    std::string result;
    return tryUtf16ToUtf8(utf16, &result) ? result : std::string();
}

} // namespace ilsk
