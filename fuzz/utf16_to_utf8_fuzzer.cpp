// UTF-16 -> UTF-8 of the settings store; the input's bytes are read as
// little-endian UTF-16 units (an odd last byte is dropped). Properties:
// - the conversion fails exactly when the last unit is a high surrogate;
// - otherwise the result is the lenient encoding: pairs as one 4-byte
//   sequence, lone surrogates as 3 bytes of their own;
// - text without lone surrogates round-trips through UTF-8; text with them
//   gives bytes the strict UTF-8 direction refuses.

#include "fuzz/unicode_reference.h"
#include "settings/Utf8Conversion.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::u16string units;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        units.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    const ilsk::Utf16String input(units.begin(), units.end());

    const bool endsInHighSurrogate = !units.empty() && units.back() >= 0xD800 && units.back() < 0xDC00;

    std::string converted = "sentinel";
    const bool ok = ilsk::tryUtf16ToUtf8(input, &converted);
    if (ok == endsInHighSurrogate)
        std::abort();
    if (!ok) {
        if (converted != "sentinel" || !ilsk::utf16ToUtf8(input).empty())
            std::abort();
        return 0;
    }

    const std::vector<char32_t> codePoints = fuzzref::decodeLenientUtf16(units);
    if (converted != fuzzref::encodeUtf8Loosely(codePoints))
        std::abort();
    if (converted.size() > 4 * units.size())
        std::abort(); // the converter's buffer bound

    ilsk::Utf16String back;
    const bool backOk = ilsk::tryUtf8ToUtf16(converted, &back);
    if (fuzzref::hasLoneSurrogate(codePoints)) {
        if (backOk)
            std::abort();
    } else if (!backOk || back != input) {
        std::abort();
    }
    return 0;
}
