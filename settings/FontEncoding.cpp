// The stored form of fonts: "Family:Size:Weight:Italic:Underline:StrikeOut".

#include "settings/PreferenceAccessors.h"

namespace ZelkNimbo {

namespace {

struct WeightWord {
    int weight;
    const char* word;
};

const WeightWord weightWords[] = {
    {25, "Light"}, {50, "Normal"}, {63, "DemiBold"}, {75, "Bold"}, {87, "Black"},
};

constexpr int normalWeight = 50;
constexpr int defaultPointSize = 14;

} // namespace

QString fontWeightName(int weight)
{
    for (const WeightWord& entry : weightWords) {
        if (entry.weight == weight)
            return QString::fromLatin1(entry.word);
    }
    return QStringLiteral("Normal");
}

int fontWeightFromName(const QString& word)
{
    for (const WeightWord& entry : weightWords) {
        if (word == QLatin1String(entry.word))
            return entry.weight;
    }
    return normalWeight;
}

QStringList fontToStringList(const QFont& font)
{
    return QStringList{
        font.family(),
        QString::number(font.pointSize(), 10),
        fontWeightName(font.weight()),
        font.style() != QFont::StyleNormal ? QStringLiteral("Italic") : QString(),
        font.underline() ? QStringLiteral("Underline") : QString(),
        font.strikeOut() ? QStringLiteral("StrikeOut") : QString(),
    };
}

QFont fontFromStringList(const QStringList& list)
{
    if (list.isEmpty())
        return QFont();
    const bool italic = list.size() >= 4 && list.at(3) == QLatin1String("Italic");
    const int weight = list.size() >= 3 ? fontWeightFromName(list.at(2)) : normalWeight;
    // A size that is not an unsigned decimal number reads as 0.
    const int pointSize = list.size() >= 2 ? static_cast<int>(list.at(1).toUInt(nullptr, 10)) : defaultPointSize;
    QFont font(list.at(0), pointSize, weight, italic);
    font.setUnderline(list.size() >= 5 && list.at(4) == QLatin1String("Underline"));
    font.setStrikeOut(list.size() >= 6 && list.at(5) == QLatin1String("StrikeOut"));
    return font;
}

} // namespace ZelkNimbo
