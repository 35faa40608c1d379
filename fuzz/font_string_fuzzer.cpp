// The stored font string "Family:Size:Weight:Italic:Underline:StrikeOut".
// The first four bytes choose a font (point size, weight, flags), the rest
// is text. Properties:
// - a font whose family has no ":" survives fontToStringList, joining with
//   ":", splitting and fontFromStringList with every stored attribute;
// - a family with ":" comes back as the text before its first ":";
// - any stored text reads without crashing, and what it reads as is stable:
//   writing that font and reading it again gives the same six strings.

#include "settings/PreferenceAccessors.h"

#include <QFont>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdlib>

namespace {

const int tableWeights[] = {25, 50, 63, 75, 87};

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void checkRoundTripOfChosenFont(const std::uint8_t* data, const QString& family)
{
    const int pointSize = 1 + ((data[0] | (data[1] << 8)) % 4096);
    const int weight = tableWeights[data[2] % 5];
    QFont font(family, pointSize, weight, (data[3] & 1) != 0);
    font.setUnderline((data[3] & 2) != 0);
    font.setStrikeOut((data[3] & 4) != 0);

    const QString stored = ZelkNimbo::fontToStringList(font).join(QLatin1Char(':'));
    const QFont back = ZelkNimbo::fontFromStringList(stored.split(QLatin1Char(':')));

    const int colon = family.indexOf(QLatin1Char(':'));
    if (colon >= 0) {
        check(back.family() == family.left(colon));
        return;
    }
    check(back.family() == font.family());
    check(back.pointSize() == pointSize);
    check(back.weight() == weight);
    check(back.italic() == font.italic());
    check(back.underline() == font.underline());
    check(back.strikeOut() == font.strikeOut());
}

void checkStoredTextIsStable(const QString& text)
{
    const QFont read = ZelkNimbo::fontFromStringList(text.split(QLatin1Char(':')));
    const QStringList written = ZelkNimbo::fontToStringList(read);
    check(written.size() == 6);
    bool numeric = false;
    written.at(1).toUInt(&numeric, 10);
    check(numeric || written.at(1).startsWith(QLatin1Char('-')));
    check(ZelkNimbo::fontWeightFromName(written.at(2)) != 50 || written.at(2) == QLatin1String("Normal"));
    if (read.family().contains(QLatin1Char(':')))
        return; // the family itself would split on the next read
    const QStringList again = ZelkNimbo::fontToStringList(ZelkNimbo::fontFromStringList(written));
    check(again == written);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return 0;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 4), int(size - 4));
    checkRoundTripOfChosenFont(data, text);
    checkStoredTextIsStable(text);
    return 0;
}
