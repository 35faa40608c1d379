// The lenient UTF-8 / UTF-16 conversions behind every narrow-named operation.

#include "settings/Utf8Conversion.h"

#include <gtest/gtest.h>

#include <string>

using ilsk::Utf16String;

namespace {

Utf16String units(std::initializer_list<unsigned> values)
{
    Utf16String text;
    for (unsigned v : values)
        text.push_back(static_cast<WCHAR>(v));
    return text;
}

TEST(Utf8ToUtf16, WellFormedInputConverts)
{
    EXPECT_EQ(ilsk::utf8ToUtf16(""), Utf16String());
    EXPECT_EQ(ilsk::utf8ToUtf16("Subtitles"), units({'S', 'u', 'b', 't', 'i', 't', 'l', 'e', 's'}));
    // Two-, three- and four-byte forms; U+1F600 becomes a surrogate pair.
    EXPECT_EQ(ilsk::utf8ToUtf16("\xC3\xB6\xE2\x82\xAC\xF0\x9F\x98\x80"), units({0xF6, 0x20AC, 0xD83D, 0xDE00}));
    // The largest code point and the last one below the surrogates.
    EXPECT_EQ(ilsk::utf8ToUtf16("\xF4\x8F\xBF\xBF"), units({0xDBFF, 0xDFFF}));
    EXPECT_EQ(ilsk::utf8ToUtf16("\xED\x9F\xBF"), units({0xD7FF}));
}

TEST(Utf8ToUtf16, IllFormedInputFailsWhole)
{
    const char* illFormed[] = {
        "\xC0\x80",         // overlong NUL
        "\xC1\xBF",         // overlong two-byte
        "\xE0\x80\xAF",     // overlong three-byte
        "\xF0\x80\x80\xAF", // overlong four-byte
        "\xED\xA0\x80",     // encoded high surrogate
        "\xED\xBF\xBF",     // encoded low surrogate
        "\xF4\x90\x80\x80", // above U+10FFFF
        "\xF5\x80\x80\x80", // lead byte out of range
        "\xF8\x88\x80\x80\x80", // five-byte form
        "\x80",             // stray continuation byte
        "a\xE2\x82",        // cut off at the end
        "\xE2\x28\xA1",     // bad continuation
        "ok\xFF",
    };
    for (const char* input : illFormed) {
        Utf16String out = units({'x'});
        EXPECT_FALSE(ilsk::tryUtf8ToUtf16(input, &out)) << "input: " << input;
        EXPECT_EQ(out, units({'x'})) << "output touched on failure";
        EXPECT_EQ(ilsk::utf8ToUtf16(input), Utf16String());
    }
}

TEST(Utf16ToUtf8, PairsAndLoneSurrogates)
{
    EXPECT_EQ(ilsk::utf16ToUtf8(Utf16String()), "");
    EXPECT_EQ(ilsk::utf16ToUtf8(units({0xD83D, 0xDE00})), "\xF0\x9F\x98\x80");
    // A lone low surrogate, and a high one followed by something else, are
    // each encoded on their own.
    EXPECT_EQ(ilsk::utf16ToUtf8(units({'a', 0xDC00, 'b'})), "a\xED\xB0\x80" "b");
    EXPECT_EQ(ilsk::utf16ToUtf8(units({0xD800, 'z'})), "\xED\xA0\x80z");
    EXPECT_EQ(ilsk::utf16ToUtf8(units({0xD800, 0xD800, 0xDC00})), "\xED\xA0\x80\xF0\x90\x80\x80");
    // A high surrogate as the last unit fails.
    std::string out = "kept";
    EXPECT_FALSE(ilsk::tryUtf16ToUtf8(units({'a', 0xD800}), &out));
    EXPECT_EQ(out, "kept");
    EXPECT_EQ(ilsk::utf16ToUtf8(units({'a', 0xD800})), "");
}

TEST(Utf8Utf16, RoundTripOfWellFormedText)
{
    const std::string samples[] = {"Zelk", "Untertitel f\xC3\xBCr \xC3\x96sterreich", "\xE5\xAD\x97\xE5\xB9\x95",
                                   "\xF0\x9D\x84\x9E clef", std::string("nul\0inside", 10)};
    for (const std::string& sample : samples)
        EXPECT_EQ(ilsk::utf16ToUtf8(ilsk::utf8ToUtf16(sample)), sample);
}

} // namespace
