// The load / save / Global Reset cycle over the setting declarations.

#include "plugin/ZNBPreferencesPlugin.h"

#include "framework/PluginContext.h"
#include "framework/PluginResult.h"
#include "host/library/ZNBLibrary.h"
#include "settings/PreferenceAccessors.h"
#include "settings/SettingsBatch.h"

#include <QAbstractSlider>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QSpinBox>

#include <algorithm>
#include <climits>
#include <memory>

namespace ZelkNimbo {

namespace {

const QString mediaFolderToken = QStringLiteral("<media folder>");
const QString lastDirectoryToken = QStringLiteral("<last directory>");

void setNumber(QWidget* control, int value)
{
    if (auto* slider = qobject_cast<QAbstractSlider*>(control))
        slider->setValue(value);
    else if (auto* spinBox = qobject_cast<QSpinBox*>(control))
        spinBox->setValue(value);
}

int numberOf(QWidget* control)
{
    if (auto* slider = qobject_cast<QAbstractSlider*>(control))
        return slider->value();
    if (auto* spinBox = qobject_cast<QSpinBox*>(control))
        return spinBox->value();
    return 0;
}

// Selects the item whose data is `value`, else the one whose data is
// `fallbackData`, else `fallbackIndex` (-1 keeps the current item).
void selectByData(QComboBox* list, const QString& value, const QString& fallbackData, int fallbackIndex)
{
    int index = list->findData(value);
    if (index < 0 && !fallbackData.isNull())
        index = list->findData(fallbackData);
    if (index < 0)
        index = fallbackIndex;
    if (index >= 0)
        list->setCurrentIndex(index);
}

QString currentData(const QComboBox* list)
{
    return list->itemData(list->currentIndex()).toString();
}

// The extensions a file-association box stands for: its label as the form
// writes it, never as a translation shows it.
QStringList extensionsOf(const PreferenceBinding& setting)
{
    if (setting.fileTypes == QLatin1String(".mpg/.mpeg"))
        return {QStringLiteral(".mpg"), QStringLiteral(".mpeg")};
    return {setting.fileTypes};
}

} // namespace

void ZNBPreferencesPlugin::load(bool useDefaults)
{
    blockSignals(true);
    for (const PreferenceBinding& setting : bindings_) {
        loadBinding(setting, useDefaults);
        if (setting.afterLoad)
            setting.afterLoad();
    }
    blockSignals(false);
    dirty = false;
    ui.applyButton->setEnabled(false);
}

void ZNBPreferencesPlugin::loadBinding(const PreferenceBinding& setting, bool useDefaults)
{
    const std::string section = setting.key.section;
    const std::string name = setting.key.name;
    const QVariant& fallback = setting.defaultValue;
    auto readBool = [&] { return useDefaults ? fallback.toBool() : readPreferenceBool(section, name, fallback.toBool()); };
    auto readString = [&] {
        return useDefaults ? fallback.toString() : readPreferenceString(section, name, fallback.toString());
    };

    switch (setting.kind) {
    case BindingKind::Text:
        static_cast<QLineEdit*>(setting.control)->setText(readString());
        break;
    case BindingKind::Check:
    case BindingKind::Association:
        static_cast<QCheckBox*>(setting.control)->setChecked(readBool());
        break;
    case BindingKind::NegatedCheck:
        static_cast<QCheckBox*>(setting.control)->setChecked(!readBool());
        break;
    case BindingKind::ComboData:
    case BindingKind::VideoOutput:
        selectByData(static_cast<QComboBox*>(setting.control), readString(), setting.fallbackData, setting.fallbackIndex);
        break;
    case BindingKind::Language:
        loadLanguage(static_cast<QComboBox*>(setting.control), readString());
        break;
    case BindingKind::Slider:
        setNumber(setting.control, useDefaults ? fallback.toInt() : readPreferenceInt(section, name, fallback.toInt()));
        break;
    case BindingKind::UnsignedSlider: {
        const unsigned value = useDefaults ? fallback.toUInt() : readPreferenceUInt(section, name, fallback.toUInt());
        // Out-of-range values show at the nearer end of the range.
        setNumber(setting.control, static_cast<int>(std::min<unsigned>(value, unsigned(INT_MAX))));
        break;
    }
    case BindingKind::OpenLocation:
        loadOpenLocation(readString());
        break;
    case BindingKind::Colour:
        setting.heldColour->setNamedColor(readString());
        break;
    case BindingKind::Font: {
        const QFont defaultFont = fallback.value<QFont>();
        *setting.heldFont = useDefaults ? defaultFont : readPreferenceFont(section, name, defaultFont);
        break;
    }
    case BindingKind::FrameRate: {
        const auto& denominatorKey = SettingKeys::Subtitles::SubtitleFrameRateDenominator;
        std::uint32_t denominator = 0;
        std::uint32_t numerator = 0;
        if (!useDefaults) {
            denominator = readPreferenceUInt(denominatorKey.section, denominatorKey.name, 0);
            numerator = readPreferenceUInt(section, name, 0);
        }
        loadFrameRate(numerator, static_cast<std::int32_t>(denominator));
        break;
    }
    }
}

void ZNBPreferencesPlugin::loadOpenLocation(const QString& stored)
{
    if (stored == mediaFolderToken) {
        ui.openInZelkMoviesRadioButton->setChecked(true);
    } else if (stored == lastDirectoryToken) {
        ui.openInLastDirRadioButton->setChecked(true);
    } else {
        ui.openInCustomDirRadioButton->setChecked(true);
        ui.customDirEdit->setText(stored);
    }
}

void ZNBPreferencesPlugin::loadLanguage(QComboBox* list, QString code)
{
    // An empty choice means the interface language; an unlisted code leaves
    // the list as it was.
    if (code.isEmpty())
        code = OSUtilities::getLanguageCode();
    const int index = list->findData(code);
    if (index >= 0)
        list->setCurrentIndex(index);
}

void ZNBPreferencesPlugin::save()
{
    saveSettings();
}

// One save is one transaction of the user hive: every value or none. The
// restart prompt splits it in two, so that no lock is held while the user
// answers: what comes before the prompt is committed first.
bool ZNBPreferencesPlugin::saveSettings()
{
    SaveProgress progress;
    progress.batch = std::make_unique<ilsk::SettingsBatch>();
    bool stored = progress.batch->status() == 0;
    for (std::size_t i = 0; stored && i < saveOrder_.size(); ++i) {
        const PreferenceBinding& setting = *saveOrder_[i];
        if (setting.kind == BindingKind::VideoOutput) {
            stored = saveVideoOutputMethod(&progress);
            continue;
        }
        stored = saveBinding(setting, &progress.associationChanges);
        const bool lastAssociation = setting.kind == BindingKind::Association
            && (i + 1 == saveOrder_.size() || saveOrder_[i + 1]->kind != BindingKind::Association);
        if (stored && lastAssociation)
            progress.associationsWritten = true;
    }
    if (stored)
        stored = commitSavePart(&progress);
    if (!stored) {
        progress.batch->rollback();
        reportSaveFailure(progress.promptSplitSave);
        return false;
    }
    dirty = false;
    ui.applyButton->setEnabled(false);
    notifySettingsConsumers();
    return true;
}

// Commits the transaction being written. The operating system hears of the
// association changes, on every save, once the transaction holding the last
// file association is stored: never of changes that were taken back.
bool ZNBPreferencesPlugin::commitSavePart(SaveProgress* progress)
{
    if (progress->batch->commit() != 0)
        return false;
    if (progress->associationsWritten) {
        progress->associationsWritten = false;
        OSUtilities::setFileTypeAssociations(progress->associationChanges);
    }
    return true;
}

void ZNBPreferencesPlugin::reportSaveFailure(bool earlierPartStored)
{
    // The edits stay in the controls, so Apply can try again.
    markChanged();
    const QString text = earlierPartStored
        ? tr("Your preferences could not all be saved. The settings before the video output method are saved; "
             "the video output method, hardware decoding and the on-screen display font keep their previous "
             "values. Press Apply to try again.")
        : tr("Your preferences could not be saved. No setting was changed; your edits are still shown. "
             "Press Apply to try again.");
    QMessageBox::warning(this, tr("Preferences not saved"), text);
}

bool ZNBPreferencesPlugin::saveBinding(const PreferenceBinding& setting, QMap<QString, bool>* associationChanges)
{
    const std::string section = setting.key.section;
    const std::string name = setting.key.name;

    switch (setting.kind) {
    case BindingKind::Text:
        return writePreferenceString(section, name, static_cast<QLineEdit*>(setting.control)->text());
    case BindingKind::Check:
        return writePreferenceBool(section, name, static_cast<QCheckBox*>(setting.control)->isChecked());
    case BindingKind::NegatedCheck:
        return writePreferenceBool(section, name, !static_cast<QCheckBox*>(setting.control)->isChecked());
    case BindingKind::Association: {
        auto* box = static_cast<QCheckBox*>(setting.control);
        const bool wanted = box->isChecked();
        if (readPreferenceBool(section, name, setting.defaultValue.toBool()) != wanted) {
            for (const QString& extension : extensionsOf(setting))
                associationChanges->insert(extension, wanted);
        }
        return writePreferenceBool(section, name, wanted);
    }
    case BindingKind::ComboData:
    case BindingKind::Language:
        return writePreferenceString(section, name, currentData(static_cast<QComboBox*>(setting.control)));
    case BindingKind::VideoOutput:
        break; // written by saveVideoOutputMethod, around the restart prompt
    case BindingKind::Slider:
    case BindingKind::UnsignedSlider:
        return writePreferenceInt(section, name, numberOf(setting.control));
    case BindingKind::OpenLocation: {
        QString location = ui.customDirEdit->text();
        if (ui.openInZelkMoviesRadioButton->isChecked())
            location = mediaFolderToken;
        else if (ui.openInLastDirRadioButton->isChecked())
            location = lastDirectoryToken;
        return writePreferenceString(section, name, location);
    }
    case BindingKind::Colour:
        return writePreferenceString(section, name, setting.heldColour->name());
    case BindingKind::Font:
        return writePreferenceFont(section, name, *setting.heldFont);
    case BindingKind::FrameRate: {
        FrameRate rate;
        if (!currentFrameRate(&rate))
            break; // not usable: the stored pair stays as it was
        const auto& denominatorKey = SettingKeys::Subtitles::SubtitleFrameRateDenominator;
        return writePreferenceUInt(section, name, rate.numerator)
            && writePreferenceInt(denominatorKey.section, denominatorKey.name, rate.denominator);
    }
    }
    return true;
}

bool ZNBPreferencesPlugin::saveVideoOutputMethod(SaveProgress* progress)
{
    const PreferenceBinding& setting = binding(SettingKeys::Video::VideoOutputMethod);
    const std::string section = setting.key.section;
    const std::string name = setting.key.name;
    const QString stored = readPreferenceString(section, name, setting.defaultValue.toString());
    const QString shown = currentData(ui.videoOutputMethodComboBox);
    if (stored == shown)
        return true;

    // Nothing stays locked while the user answers: what the save wrote so far
    // is stored now, and the rest of it becomes a second transaction.
    if (!commitSavePart(progress))
        return false;
    progress->promptSplitSave = true;
    progress->batch.reset();

    QMessageBox prompt(QMessageBox::Information, tr("Restart Zelk Player"),
                       tr("You will need to restart Zelk Player in order for your changes to take effect. If you do "
                          "not restart now you will not be able to watch any videos until you restart Zelk Player. "
                          "Would you like to quit now?"),
                       QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, nullptr,
                       Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    const int answer = prompt.exec();
    progress->batch = std::make_unique<ilsk::SettingsBatch>();
    if (progress->batch->status() != 0)
        return false;
    if (answer == QMessageBox::Yes) {
        // Takes effect when control is back in the event loop, after the save.
        QCoreApplication::quit();
        return writePreferenceString(section, name, shown);
    }
    if (answer == QMessageBox::No)
        return writePreferenceString(section, name, shown);
    return true;
}

void ZNBPreferencesPlugin::notifySettingsConsumers()
{
    Okto::PluginContext* host = context();
    if (!host)
        return;
    const Okto::String consumerId(InterfaceId::SettingsConsumer);
    std::vector<Okto::Plugin*> consumers;
    host->getPlugins(&consumers, Okto::PluginContext::PluginInterfaceFilter(consumerId));
    for (Okto::Plugin* consumer : consumers) {
        void* iface = nullptr;
        if (consumer->queryInterface(consumerId, &iface) == Okto::PluginSuccess && iface)
            static_cast<SettingsConsumerInterface*>(iface)->settingsChanged();
        consumer->release();
    }
}

void ZNBPreferencesPlugin::reset()
{
    QMessageBox question(QMessageBox::Warning, tr("Global Reset"),
                         tr("All current preference settings will be reset to default values. Are you really sure?"),
                         QMessageBox::No | QMessageBox::Yes, this);
    question.setDefaultButton(static_cast<QPushButton*>(nullptr));
    question.setEscapeButton(static_cast<QAbstractButton*>(nullptr));
    if (question.exec() != QMessageBox::Yes)
        return;
    load(true);
    markChanged();
}

void ZNBPreferencesPlugin::markChanged()
{
    dirty = true;
    ui.applyButton->setEnabled(true);
}

} // namespace ZelkNimbo
