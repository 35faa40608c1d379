#include "FrameRate.h"

#include <cstring>

FrameRate FrameRate::fromStored(std::uint32_t numerator, std::int32_t denominator)
{
    FrameRate rate;
    rate.numerator = numerator;
    rate.denominator = denominator;
    if (numerator == 0)
        rate.kind = Zero;
    else if (denominator > 0)
        rate.kind = Finite;
    else
        rate.kind = NotANumber;
    return rate;
}

FrameRate FrameRate::fromFloat(float value)
{
    std::uint32_t bits;
    static_assert(sizeof bits == sizeof value, "IEEE 754 single precision");
    std::memcpy(&bits, &value, sizeof bits);
    const bool negative = (bits >> 31) != 0;
    const std::uint32_t exponent = (bits >> 23) & 0xFF;
    const std::uint32_t mantissa = bits & 0x7FFFFF;

    FrameRate rate;
    if (exponent == 0 && mantissa == 0) {
        rate = {Zero, 0, 1};
    } else if (exponent == 0) {
        rate = {Finite, mantissa, 0};
    } else if (exponent == 255) {
        rate = mantissa == 0 ? FrameRate{Infinite, 0, 1} : FrameRate{NotANumber, 0, 0};
    } else {
        // value = (mantissa + 2^23) / 2^(150 - exponent). Values of 2^24 and
        // more are whole numbers: the numerator takes the factor while it
        // fits in 32 bits; beyond that there is no fraction to give.
        std::uint64_t numerator = mantissa + (1u << 23);
        std::uint64_t denominator = 1;
        if (exponent <= 150) {
            denominator = std::uint64_t(1) << (150 - exponent);
        } else if (exponent - 150 <= 8) {
            numerator <<= (exponent - 150);
        } else {
            FrameRate tooLarge{NotANumber, 0, 0};
            return tooLarge;
        }

        // Partial reduction by trial division.
        if (numerator > 4) {
            std::uint64_t divisor = 2;
            while (divisor * divisor < denominator) {
                if (numerator % divisor == 0 && denominator % divisor == 0) {
                    numerator /= divisor;
                    denominator /= divisor;
                } else {
                    divisor = divisor == 2 ? 3 : divisor + 2;
                }
                if (divisor * divisor >= numerator)
                    break;
            }
        }
        rate = {Finite, static_cast<std::uint32_t>(numerator), static_cast<std::int32_t>(denominator)};
    }
    if (negative)
        rate.denominator = -rate.denominator;
    return rate;
}

QString frameRatePatternText()
{
    // Not a QStringLiteral: QRegExp keeps compiled patterns in a process-wide
    // cache keyed by the pattern text, which would then point into this
    // module's read-only data after the module is unloaded.
    return QString::fromLatin1("([1-9][0-9]{,3}|[1-9][0-9]{,3}\\.[0-9]{,6}|[1-9][0-9]{,8}\\s*/\\s*[1-9][0-9]{,8}|"
                          "[1-9][0-9]p \\([1-9][0-9]*/[1-9][0-9]*\\))");
}

namespace {

bool parseFraction(const QString& numeratorText, const QString& denominatorText, FrameRate* rate)
{
    bool numeratorOk = false;
    bool denominatorOk = false;
    const uint numerator = numeratorText.toUInt(&numeratorOk, 10);
    const int denominator = denominatorText.toInt(&denominatorOk, 10);
    if (!numeratorOk || !denominatorOk)
        return false;
    *rate = {FrameRate::Finite, numerator, denominator};
    return true;
}

} // namespace

bool parseFrameRateText(const QString& text, const QRegExp& pattern, const FrameRatePresets& presets, FrameRate* rate)
{
    // A preset's own label typed by hand means that preset.
    const auto preset = presets.constFind(text);
    if (preset != presets.constEnd()) {
        if (!preset->isUsable())
            return false;
        *rate = *preset;
        return true;
    }
    if (!pattern.exactMatch(text))
        return false;

    const int slash = text.indexOf(QLatin1Char('/'));
    if (slash >= 0) {
        // "NNp (a/b)": the fraction inside the parentheses.
        const int open = text.indexOf(QLatin1Char('('));
        if (open >= 0 && text.endsWith(QLatin1Char(')')))
            return parseFraction(text.mid(open + 1, slash - open - 1), text.mid(slash + 1, text.size() - slash - 2), rate);
        return parseFraction(text.left(slash), text.mid(slash + 1), rate);
    }

    bool ok = false;
    const float value = text.toFloat(&ok);
    if (!ok)
        return false;
    *rate = FrameRate::fromFloat(value);
    return true;
}
