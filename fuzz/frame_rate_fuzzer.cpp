// Typed subtitle frame rates. A hand-written recogniser of the four accepted
// forms (whole number, decimal, fraction, "NNp (a/b)" label) stands beside
// the editor's regular expression. Properties:
// - parsing never crashes, and a text is accepted only if it is a preset's
//   label or has one of the four forms;
// - a preset's label gives exactly that preset;
// - a fraction "a / b" gives exactly a and b, unreduced; a label "NNp (a/b)"
//   gives a and b when they fit the stored types, otherwise nothing;
// - a whole or decimal number gives a fraction whose value is exactly the
//   number's single-precision value, with a positive denominator.

#include "FrameRate.h"

#include <QRegExp>
#include <QString>

#include <cstdint>
#include <cstdlib>
#include <limits>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

const FrameRatePresets& presets()
{
    static const FrameRatePresets table{
        {QStringLiteral("24p (24000/1001)"), {FrameRate::Finite, 24000, 1001}},
        {QStringLiteral("25p"), {FrameRate::Finite, 25, 1}},
        {QStringLiteral("30p"), {FrameRate::Finite, 30, 1}},
        {QStringLiteral("50p"), {FrameRate::Finite, 50, 1}},
        {QStringLiteral("60p (60000/1001)"), {FrameRate::Finite, 60000, 1001}},
    };
    return table;
}

bool isAsciiDigit(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '9';
}

// A run of ASCII digits at `pos` not starting with 0; its value saturates.
bool numberAt(const QString& text, int& pos, int* digits, std::uint64_t* value)
{
    if (pos >= text.size() || !isAsciiDigit(text[pos]) || text[pos] == QLatin1Char('0'))
        return false;
    *digits = 0;
    *value = 0;
    while (pos < text.size() && isAsciiDigit(text[pos])) {
        const std::uint64_t digit = text[pos].unicode() - '0';
        *value = *value > (std::uint64_t(1) << 40) ? *value : *value * 10 + digit;
        ++*digits;
        ++pos;
    }
    return true;
}

enum class Form { None, Whole, Decimal, Fraction, Label };

struct Reading {
    Form form = Form::None;
    std::uint64_t first = 0, second = 0; // the fraction's or the label's terms
};

Reading recognise(const QString& text)
{
    Reading reading;
    int pos = 0;
    int digits = 0;
    std::uint64_t value = 0;
    // "NNp (a/b)"
    if (text.size() >= 5 && numberAt(text, pos, &digits, &value) && digits == 2
        && text.mid(pos, 3) == QLatin1String("p (")) {
        pos += 3;
        int d1 = 0, d2 = 0;
        if (numberAt(text, pos, &d1, &reading.first) && pos < text.size() && text[pos] == QLatin1Char('/')) {
            ++pos;
            if (numberAt(text, pos, &d2, &reading.second) && pos + 1 == text.size() && text[pos] == QLatin1Char(')')) {
                reading.form = Form::Label;
                return reading;
            }
        }
        return Reading();
    }
    pos = 0;
    if (!numberAt(text, pos, &digits, &value))
        return reading;
    if (pos == text.size()) {
        reading.form = digits <= 4 ? Form::Whole : Form::None;
        return reading;
    }
    if (text[pos] == QLatin1Char('.')) {
        int decimals = 0;
        for (++pos; pos < text.size() && isAsciiDigit(text[pos]); ++pos)
            ++decimals;
        reading.form = digits <= 4 && decimals <= 6 && pos == text.size() ? Form::Decimal : Form::None;
        return reading;
    }
    if (digits > 9)
        return reading;
    reading.first = value;
    while (pos < text.size() && text[pos].isSpace())
        ++pos;
    if (pos >= text.size() || text[pos] != QLatin1Char('/'))
        return reading;
    ++pos;
    while (pos < text.size() && text[pos].isSpace())
        ++pos;
    if (numberAt(text, pos, &digits, &reading.second) && digits <= 9 && pos == text.size())
        reading.form = Form::Fraction;
    return reading;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QRegExp pattern(frameRatePatternText());
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), int(size));

    FrameRate rate{FrameRate::NotANumber, 7, 7};
    const FrameRate untouched = rate;
    const bool accepted = parseFrameRateText(text, pattern, presets(), &rate);
    const auto preset = presets().constFind(text);
    const Reading reading = recognise(text);

    // The editor's validator and the recogniser agree on every text.
    check(pattern.exactMatch(text) == (reading.form != Form::None));

    if (preset != presets().constEnd()) {
        check(accepted && rate == *preset);
        return 0;
    }
    if (!accepted) {
        check(rate == untouched);
        // Every whole number, decimal and fraction of the accepted forms parses.
        check(reading.form == Form::None || reading.form == Form::Label);
        if (reading.form == Form::Label)
            check(reading.first > std::numeric_limits<std::uint32_t>::max()
                  || reading.second > std::uint64_t(std::numeric_limits<std::int32_t>::max()));
        return 0;
    }
    switch (reading.form) {
    case Form::None:
        std::abort();
    case Form::Fraction:
    case Form::Label:
        check(rate.kind == FrameRate::Finite);
        check(rate.numerator == reading.first && rate.denominator > 0
              && std::uint64_t(rate.denominator) == reading.second);
        break;
    case Form::Whole:
    case Form::Decimal: {
        const float number = static_cast<float>(std::strtod(text.toLatin1().constData(), nullptr));
        check(rate.kind == FrameRate::Finite && rate.denominator > 0 && rate.numerator > 0);
        check(double(rate.numerator) == double(number) * double(rate.denominator));
        break;
    }
    }
    check(rate.isUsable());
    return 0;
}
