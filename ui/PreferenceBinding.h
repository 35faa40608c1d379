#pragma once

// One declaration per setting: which control shows it, how it is stored and
// what it reads as when missing. Load, save and Global Reset all work from
// these declarations, so a default is written once.

#include "settings/SettingKey.h"

#include <QString>
#include <QVariant>

#include <functional>

class QColor;
class QFont;
class QWidget;

namespace ZelkNimbo {

enum class BindingKind {
    Text,           // QLineEdit text <-> string
    Check,          // QCheckBox checked = flag
    NegatedCheck,   // QCheckBox checked = !flag
    Association,    // Check; a save also reports changes against the stored flag
    ComboData,      // QComboBox item data <-> string, with a fallback item
    Language,       // ComboData; empty means the interface language, unlisted leaves the list as it was
    Slider,         // QAbstractSlider / QSpinBox value <-> signed integer
    UnsignedSlider, // as Slider, but read as unsigned (written signed)
    OpenLocation,   // three radio buttons and a folder edit <-> token or path
    Colour,         // a colour held by the window <-> colour name
    Font,           // a font held by the window <-> font string
    FrameRate,      // the frame-rate list <-> numerator and denominator
    VideoOutput,    // ComboData, saved through the restart prompt
};

struct PreferenceBinding {
    SettingKey key;
    BindingKind kind;
    QWidget* control;      // null for values the window holds itself
    // What a missing value reads as, and what Global Reset shows; left
    // invalid, the shared default of the key (settingDefault()).
    QVariant defaultValue = QVariant();
    // Combo boxes: the item data selected when the stored value is not
    // listed, and the index used when that is not listed either.
    QString fallbackData = QString();
    int fallbackIndex = -1;
    QColor* heldColour = nullptr;
    QFont* heldFont = nullptr;
    // Runs after the value is loaded (enable rules, the subtitle sample).
    std::function<void()> afterLoad = nullptr;
    // Association: the box's label as the form writes it (".mpg/.mpeg"),
    // which names the extensions handed to the host library. Kept here, not
    // read from the box, whose text a translation may change.
    QString fileTypes = QString();
};

} // namespace ZelkNimbo
