#pragma once

// The subtitle frame rate assumed for frame-numbered subtitle files, kept as
// a numerator / denominator pair in the settings.

#include <QMap>
#include <QRegExp>
#include <QString>

#include <cstdint>

struct FrameRate {
    enum Kind { NotANumber = 0, Infinite = 1, Zero = 2, Finite = 3 };

    Kind kind = Zero;
    std::uint32_t numerator = 0;
    std::int32_t denominator = 1;

    bool operator==(const FrameRate& other) const
    {
        return kind == other.kind && numerator == other.numerator && denominator == other.denominator;
    }

    // A stored pair: zero when the numerator is 0, finite when the
    // denominator is positive, otherwise not a number.
    static FrameRate fromStored(std::uint32_t numerator, std::int32_t denominator);

    // The exact value of a single-precision number as a fraction of its
    // mantissa over a power of two, reduced by trial division only while the
    // divisor's square stays below both terms (so whole numbers keep a
    // denominator of 4: 25 -> 100/4).
    static FrameRate fromFloat(float value);

    // Usable for storing: finite with both terms non-zero.
    bool isUsable() const { return kind == Finite && numerator != 0 && denominator != 0; }
};

// Labels of the preset rates, keyed by their (translated) item texts.
using FrameRatePresets = QMap<QString, FrameRate>;

// The pattern of the frame-rate editor: a whole number (1 to 4 digits), a
// decimal number with up to six decimals, a fraction "a / b", or a preset
// label of the form "NNp (a/b)".
QString frameRatePatternText();

// Turns typed text into a rate. The text must match `pattern` as a whole;
// "a/b" is taken unreduced, a decimal number through fromFloat(). A text that
// is exactly the label of a preset gives that preset's rate, and a "NNp (a/b)"
// label gives a/b. Returns false when the text gives no rate.
bool parseFrameRateText(const QString& text, const QRegExp& pattern, const FrameRatePresets& presets, FrameRate* rate);
