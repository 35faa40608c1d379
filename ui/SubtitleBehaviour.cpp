// The Subtitles page: the live sample, the font and colour choosers and the
// frame-rate list.

#include "plugin/ZNBPreferencesPlugin.h"

#include <QColorDialog>
#include <QComboBox>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>

namespace ZelkNimbo {

void ZNBPreferencesPlugin::renderSubtitleExample()
{
    QLabel* sample = ui.subtitleTextSampleLabel;
    sample->setFont(subtitleFont);
    // The outline colour is shown as the sample's background.
    sample->setStyleSheet(QStringLiteral("*{color:%1;background-color:%2}")
                              .arg(subtitleTextColor.name(), subtitleOutlineColor.name()));
    sample->update();
}

void ZNBPreferencesPlugin::pickSubtitleFont()
{
    bool accepted = false;
    const QFont chosen = QFontDialog::getFont(&accepted, subtitleFont, this, tr("Subtitle Font"));
    if (accepted) {
        subtitleFont = chosen;
        markChanged();
        ui.subtitleTextSampleLabel->setFont(chosen);
        //: <font name> <font size>
        ui.subtitleTextSampleLabel->setText(tr("%1 %2pt").arg(chosen.family()).arg(chosen.pointSize(), 0, 10));
    }
    renderSubtitleExample();
}

void ZNBPreferencesPlugin::pickSubtitleTextColor()
{
    pickSubtitleColor(subtitleTextColor);
}

void ZNBPreferencesPlugin::pickSubtitleOutlineColor()
{
    pickSubtitleColor(subtitleOutlineColor);
}

void ZNBPreferencesPlugin::pickSubtitleColor(QColor& held)
{
    const QColor chosen = QColorDialog::getColor(held, this);
    // A cancelled chooser, or the same colour again, changes nothing.
    if (!chosen.isValid() || chosen == held)
        return;
    held = chosen;
    markChanged();
    renderSubtitleExample();
}

void ZNBPreferencesPlugin::loadFrameRate(std::uint32_t numerator, std::int32_t denominator)
{
    QComboBox* list = ui.subtitleFrameRateComboBox;
    const FrameRate loaded = FrameRate::fromStored(numerator, denominator);
    for (auto preset = frameRatePresets.constBegin(); preset != frameRatePresets.constEnd(); ++preset) {
        if (!(preset.value() == loaded))
            continue;
        const int index = list->findText(preset.key(), Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (index >= 0) {
            list->setCurrentIndex(index);
            return;
        }
    }
    if (loaded.kind == FrameRate::Finite) {
        list->setEditText(QStringLiteral("%1/%2").arg(loaded.numerator).arg(loaded.denominator));
        return;
    }
    list->setCurrentIndex(-1);
}

bool ZNBPreferencesPlugin::currentFrameRate(FrameRate* rate) const
{
    const QComboBox* list = ui.subtitleFrameRateComboBox;
    const int index = list->currentIndex();
    const QString itemText = index >= 0 ? list->itemText(index) : QString();
    const QString shown = list->currentText();
    if (itemText == shown) {
        // A listed item shown unchanged (or nothing at all).
        const FrameRate preset = frameRatePresets.value(itemText, FrameRate());
        if (!preset.isUsable())
            return false;
        *rate = preset;
        return true;
    }
    return parseFrameRateText(shown, frameRatePattern, frameRatePresets, rate);
}

} // namespace ZelkNimbo
