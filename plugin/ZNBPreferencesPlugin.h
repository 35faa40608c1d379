#pragma once

#include "framework/Plugin.h"
#include "plugin/HostInterfaces.h"
#include "plugin/WindowAccessibility.h"
#include "ui/FrameRate.h"
#include "ui/PreferenceBinding.h"
#include "ui/PreferencesForm.h"

#include <QColor>
#include <QFont>
#include <QMap>
#include <QRegExp>
#include <QWidget>

#include <memory>
#include <vector>

namespace ilsk {
class SettingsBatch;
}

class QButtonGroup;
class QComboBox;
class QCloseEvent;

namespace ZelkNimbo {

// The preferences plug-in: at once the preferences window, a framework
// plug-in and the player's menu, shutdown and preferences interfaces.
class ZNBPreferencesPlugin : public QWidget,
                             public Okto::Plugin,
                             public ZelkNimbo::MenuInterface,
                             public ZelkNimbo::ShutdownInterface,
                             public ZelkNimbo::ZNBPreferencesPluginInterface {
    Q_OBJECT

public:
    explicit ZNBPreferencesPlugin(Okto::PluginContext* context);
    ~ZNBPreferencesPlugin() override;

    int queryInterface(const Okto::String& id, void** out) override;

    QObject* menuObject() override;
    void shutdown() override;
    void showPlaybackPreferences() override;

    // Copies every setting into its control: from the store, or with
    // `useDefaults` the defaults a fresh store would give.
    void load(bool useDefaults);

    // The declaration order of these slots is the meta-object's slot order.
public slots:
    void reset();
    void save();
    void closeSave();
    void closeDiscard();
    void showPreferences();
    void settingChanged();
    void preferenceUpdated(const QString& message, const QVariant& prefId);
    void pickMediaFolder();
    void pickDefaultOpenLocation();
    void defaultOpenLocationChanged();
    void postProcessingModeChanged(int index);
    void resetBrightness();
    void resetContrast();
    void resetSaturation();
    void pickSubtitleFont();
    void pickSubtitleTextColor();
    void pickSubtitleOutlineColor();
    void renderSubtitleExample();
    void releaseLater();

protected:
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Initialisation after the form is built: connections, list items,
    // the frame-rate validator, the hub subscription, then load(false).
    void initialise();
    void connectChangeSignals();
    void connectCommands();
    void fillDefaultViewList();
    void fillLanguageLists();
    void fillCodePages();
    void setUpFrameRateEditor();
    void fillVideoOutputMethods();

    // One place for every setting: control, value, kind and default.
    void declareBindings();
    const PreferenceBinding& binding(const SettingKey& key) const;
    void loadBinding(const PreferenceBinding& binding, bool useDefaults);
    // The save behind save(): false when it failed (then reported, with the
    // window left changed).
    bool saveSettings();
    struct SaveProgress {
        std::unique_ptr<ilsk::SettingsBatch> batch; // the transaction being written
        bool promptSplitSave = false; // the part before the restart prompt is stored
        QMap<QString, bool> associationChanges;
        bool associationsWritten = false; // handed over at the next commit
    };
    bool commitSavePart(SaveProgress* progress);
    // Each returns false when a write failed.
    bool saveBinding(const PreferenceBinding& binding, QMap<QString, bool>* associationChanges);
    void loadOpenLocation(const QString& stored);
    void loadLanguage(QComboBox* list, QString code);
    void loadFrameRate(std::uint32_t numerator, std::int32_t denominator);
    bool currentFrameRate(FrameRate* rate) const;
    bool saveVideoOutputMethod(SaveProgress* progress);
    void reportSaveFailure(bool earlierPartStored);
    void notifySettingsConsumers();
    void markChanged();
    void pickSubtitleColor(QColor& held);

    // Names, keys and title images for keyboard and screen-reader users
    // (KeysAndNames.cpp).
    void makeAccessible();
    void nameControls();
    void setUpKeys();
    void pressDefaultButton();
    void switchPage(int step);

    // The window keeps one reference of its own while it may be shown; an
    // accepted close gives it back once, through a deferred releaseLater().
    void holdWindowReference();
    void scheduleWindowRelease();

    bool dirty = false;
    Ui::PreferencesDialog ui;
    QButtonGroup* openLocationGroup = nullptr;
    QColor subtitleTextColor;
    QColor subtitleOutlineColor;
    QFont osdFont;
    QFont subtitleFont;
    QRegExp frameRatePattern;
    FrameRatePresets frameRatePresets;

    // Every setting in load order, and the order save writes them in.
    std::vector<PreferenceBinding> bindings_;
    std::vector<const PreferenceBinding*> saveOrder_;
    bool holdsWindowReference_ = false;
    bool windowReleasePending_ = false;
    WindowAccessibility accessibility_;
};

} // namespace ZelkNimbo
