// Commands of the General, Playback and Advanced pages: folder choosers,
// the open-location choice, the deblocking enable rule and picture resets.

#include "plugin/ZNBPreferencesPlugin.h"

#include "settings/PreferenceAccessors.h"

#include <QAbstractSlider>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace ZelkNimbo {

void ZNBPreferencesPlugin::pickMediaFolder()
{
    const QString folder = QFileDialog::getExistingDirectory(this, tr("Video Folder"), ui.zelkMoviesEdit->text(),
                                                             QFileDialog::Options());
    if (!folder.isEmpty())
        ui.zelkMoviesEdit->setText(folder);
}

void ZNBPreferencesPlugin::pickDefaultOpenLocation()
{
    QString start = ui.zelkMoviesEdit->text();
    if (ui.openInLastDirRadioButton->isChecked()) {
        const SettingKey& last = SettingKeys::PlayerState::LastOpenFileLocation;
        start = readPreferenceString(last.section, last.name, QString());
    } else if (ui.openInCustomDirRadioButton->isChecked()) {
        start = ui.customDirEdit->text();
    }
    const QString folder =
        QFileDialog::getExistingDirectory(this, tr("Open File Default Folder"), start, QFileDialog::Options());
    if (folder.isEmpty())
        return;
    ui.openInCustomDirRadioButton->setChecked(true);
    ui.customDirEdit->setText(folder);
}

void ZNBPreferencesPlugin::defaultOpenLocationChanged()
{
    ui.customDirEdit->setEnabled(ui.openInCustomDirRadioButton->isChecked());
}

void ZNBPreferencesPlugin::postProcessingModeChanged(int index)
{
    const bool custom = ui.postProcessingComboBox->itemData(index).toString() == QLatin1String("custom");
    ui.deblockingSlider->setEnabled(custom);
    ui.dMinLabel->setEnabled(custom);
    ui.dMaxLabel->setEnabled(custom);
}

void ZNBPreferencesPlugin::resetBrightness()
{
    ui.brightnessSlider->setValue(0);
    markChanged();
}

void ZNBPreferencesPlugin::resetContrast()
{
    ui.contrastSlider->setValue(0);
    markChanged();
}

void ZNBPreferencesPlugin::resetSaturation()
{
    ui.saturationSlider->setValue(0);
    markChanged();
}

} // namespace ZelkNimbo
