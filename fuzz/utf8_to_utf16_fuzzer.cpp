// UTF-8 -> UTF-16 of the settings store. Properties:
// - the conversion succeeds exactly on well-formed UTF-8 (judged by an
//   independent decoder) and then gives exactly its UTF-16 encoding;
// - well-formed text round-trips through UTF-16 back to the same bytes;
// - on failure the result is untouched and the empty-result form is empty.

#include "fuzz/unicode_reference.h"
#include "settings/Utf8Conversion.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);

    std::vector<char32_t> codePoints;
    const bool wellFormed = fuzzref::decodeStrictUtf8(input, &codePoints);

    const ilsk::Utf16String sentinel{u'x'};
    ilsk::Utf16String converted = sentinel;
    const bool ok = ilsk::tryUtf8ToUtf16(input, &converted);
    if (ok != wellFormed)
        std::abort();

    if (!ok) {
        if (converted != sentinel || !ilsk::utf8ToUtf16(input).empty())
            std::abort();
        return 0;
    }
    if (converted != fuzzref::encodeUtf16(codePoints))
        std::abort();
    if (ilsk::utf8ToUtf16(input) != converted)
        std::abort();

    std::string back;
    if (!ilsk::tryUtf16ToUtf8(converted, &back) || back != input)
        std::abort();
    return 0;
}
