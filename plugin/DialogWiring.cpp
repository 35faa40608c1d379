// Initialisation of the window after the form is built, change tracking,
// incoming preference messages and the close paths.

#include "plugin/ZNBPreferencesPlugin.h"

#include "host/library/ZNBLibrary.h"
#include "host/library/HubMessages.h"
#include "settings/PreferenceAccessors.h"
#include "ui/ChoiceListModel.h"
#include "ui/ComboItems.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QMessageBox>
#include <QRegExpValidator>
#include <QTimer>

#include <algorithm>

namespace ZelkNimbo {

namespace {

// Connects `signal` of each sender to the window's settingChanged().
void trackChanges(QObject* window, std::initializer_list<QObject*> senders, const char* signal)
{
    for (QObject* sender : senders)
        QObject::connect(sender, signal, window, SLOT(settingChanged()));
}

// A host list sorted into choices once, and again only when the host hands
// over a different list (`Source` is QMap or QStringList).
template <typename Source>
class SortedOnce {
public:
    template <typename ToChoices>
    QSharedPointer<const SortedChoices> get(const Source& current, ToChoices toChoices)
    {
        if (!sorted_ || !(current.isSharedWith(source_) || current == source_)) {
            sorted_ = QSharedPointer<const SortedChoices>::create(toChoices(current));
            source_ = current;
        }
        return sorted_;
    }

private:
    Source source_;
    QSharedPointer<const SortedChoices> sorted_;
};

// The languages, sorted by name.
QSharedPointer<const SortedChoices> languageChoices(const QMap<QString, QString>& languages)
{
    static SortedOnce<QMap<QString, QString>> cache;
    return cache.get(languages, [](const QMap<QString, QString>& table) {
        QVector<Choice> unsorted;
        unsorted.reserve(table.size());
        for (auto language = table.constBegin(); language != table.constEnd(); ++language)
            unsorted.append({language.value(), language.key()});
        return unsorted;
    });
}

// The code pages, sorted by name.
QSharedPointer<const SortedChoices> codePageChoices(const QStringList& identifiers)
{
    static SortedOnce<QStringList> cache;
    return cache.get(identifiers, [](const QStringList& list) {
        QVector<Choice> unsorted;
        unsorted.reserve(list.size());
        for (const QString& identifier : list)
            unsorted.append({ZNBStringTools::codePageName(identifier), identifier});
        return unsorted;
    });
}

// Gives `list` its items. The current item is the first one of the host's
// list, wherever sorting put it, as when the items are appended one by one
// and the list sorted afterwards.
void showChoices(QComboBox* list, ChoiceListModel* model, const SortedChoices& choices)
{
    list->setModel(model);
    if (choices.size() > 0)
        list->setCurrentIndex(model->rowOfSorted(choices.rowOfInput(0)));
}

// Appends items of (shown text, stored value).
void appendItems(QComboBox* list, std::initializer_list<std::pair<QString, const char*>> items)
{
    QVector<Choice> choices;
    choices.reserve(int(items.size()));
    for (const auto& [text, value] : items)
        choices.append({text, QString::fromLatin1(value)});
    ZelkNimbo::appendItems(list, choices);
}

// Another window of the application (not a menu or tool tip) is on screen.
bool anotherWindowShown(const QWidget* window)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(), [window](const QWidget* other) {
        const Qt::WindowType type = other->windowType();
        return other != window && type != Qt::Popup && type != Qt::ToolTip && other->isVisible()
               && !other->isMinimized();
    });
}

} // namespace

void ZNBPreferencesPlugin::initialise()
{
    ui.rememberPreviousMovieCheckBox->hide();
    connectChangeSignals();

    connect(ui.listBox, SIGNAL(currentRowChanged(int)), ui.stackedWidget, SLOT(setCurrentIndex(int)));
    ui.listBox->setCurrentRow(0);

    connectCommands();

    // From here until the end of loading, change signals are not tracked.
    blockSignals(true);
    fillDefaultViewList();
    // Not a literal: the hub outlives this module and may keep the name.
    PubSubHub::listenForMessage(QString::fromLatin1(ZelkNimbo::HubMessages::PreferenceItemChanged), this,
                                SLOT(preferenceUpdated(const QString &, const QVariant &)), Qt::AutoConnection);
    fillLanguageLists();
    appendItems(ui.postProcessingComboBox, {{tr("Off"), "off"},
                                            {tr("Automatic Deblocking"), "automatic"},
                                            {tr("Custom Deblocking"), "custom"},
                                            {tr("Full Deblocking With Sharpening"), "full"}});
    fillCodePages();
    setUpFrameRateEditor();
    appendItems(ui.deinterlacingMethodComboBox, {{tr("None (fastest)"), "none"},
                                                 {tr("Bob (slowest)"), "bob"},
                                                 {tr("Top Field Only (medium)"), "top field only"},
                                                 {tr("Bottom Field Only (medium)"), "bottom field only"}});
    fillVideoOutputMethods();

    load(false);

    if (OSUtilities::getLanguageCode() == QLatin1String("fr"))
        setMinimumWidth(760);
}

void ZNBPreferencesPlugin::connectChangeSignals()
{
    const char* clicked = SIGNAL(clicked());
    const char* indexChanged = SIGNAL(currentIndexChanged(int));
    const char* valueChanged = SIGNAL(valueChanged(int));
    const char* textChanged = SIGNAL(textChanged(const QString &));

    trackChanges(this, {ui.zelkMoviesEdit}, textChanged);
    trackChanges(this, {ui.bannerAdsCheckBox, ui.onTopCheckBox, ui.toolTipsCheckBox, ui.autohideCheckBox}, clicked);
    if (OSUtilities::getPlatform() == 1) {
        ui.onTopCheckBox->hide();
        ui.hardwareDecodingDisabledCheckBox->hide();
    }
    trackChanges(this, {ui.openInZelkMoviesRadioButton, ui.openInLastDirRadioButton, ui.openInCustomDirRadioButton},
                 clicked);
    trackChanges(this, {ui.customDirEdit}, textChanged);
    trackChanges(this, {ui.defaultViewComboBox}, indexChanged);
    trackChanges(this,
                 {ui.aviCheckBox, ui.zelkCheckBox, ui.xvidCheckBox, ui.mkvCheckBox, ui.movCheckBox, ui.mp4CheckBox,
                  ui.wmvCheckBox, ui.vobCheckBox, ui.mpg_mpegCheckBox, ui.asfCheckBox, ui.qtCheckBox},
                 clicked);
    trackChanges(this,
                 {ui.mediaLibClearDownloadsCheckBox, ui.mediaLibAutoCloseImportDialogCheckBox,
                  ui.mediaLibRestartDownloadsCheckBox, ui.addPlayedVideoToLibCheckBox,
                  ui.addVideoInDefFolderToLibCheckBox, ui.deletLibFileAndDiskFileCheckBox,
                  ui.recentWatchedPlaylistCheckBox},
                 clicked);
    trackChanges(this,
                 {ui.resumePlaybackCheckBox, ui.showResumeOfferCheckBox, ui.resizeToVideoCheckBox,
                  ui.screenSaverCheckBox, ui.rememberPreviousMovieCheckBox, ui.pauseIfNoFocusCheckBox,
                  ui.blackoutOnPauseCheckBox},
                 clicked);
    trackChanges(this,
                 {ui.audioTrackComboBox, ui.subtitleTrackComboBox, ui.menuTrackComboBox, ui.postProcessingComboBox},
                 indexChanged);
    trackChanges(this, {ui.deblockingSlider, ui.brightnessSlider}, valueChanged);
    trackChanges(this, {ui.brightnessResetButton}, clicked);
    trackChanges(this, {ui.saturationSlider}, valueChanged);
    trackChanges(this, {ui.saturationResetButton}, clicked);
    trackChanges(this, {ui.contrastSlider}, valueChanged);
    trackChanges(this, {ui.contrastResetButton}, clicked);
    trackChanges(this, {ui.alwaysUseExternalFontCheckBox, ui.srtCheckBox}, clicked);
    trackChanges(this, {ui.subtitleDelaySpinBox}, valueChanged);
    trackChanges(this, {ui.defaultCodePageComboBox, ui.subtitleFrameRateComboBox}, indexChanged);
    trackChanges(this, {ui.subtitleFrameRateComboBox}, SIGNAL(editTextChanged(const QString &)));
    trackChanges(this, {ui.simSubsCheckBox}, clicked);
    trackChanges(this, {ui.deinterlacingMethodComboBox, ui.videoOutputMethodComboBox}, indexChanged);
    trackChanges(this, {ui.hardwareDecodingDisabledCheckBox}, clicked);
}

void ZNBPreferencesPlugin::connectCommands()
{
    connect(ui.okButton, SIGNAL(clicked()), this, SLOT(closeSave()));
    connect(ui.applyButton, SIGNAL(clicked()), this, SLOT(save()));
    connect(ui.cancelButton, SIGNAL(clicked()), this, SLOT(closeDiscard()));
    connect(ui.zelkMoviesButton, SIGNAL(clicked()), this, SLOT(pickMediaFolder()));
    connect(ui.customDirButton, SIGNAL(clicked()), this, SLOT(pickDefaultOpenLocation()));

    openLocationGroup = new QButtonGroup(this);
    openLocationGroup->addButton(ui.openInZelkMoviesRadioButton);
    openLocationGroup->addButton(ui.openInLastDirRadioButton);
    openLocationGroup->addButton(ui.openInCustomDirRadioButton);
    openLocationGroup->setExclusive(true);
    connect(ui.openInZelkMoviesRadioButton, SIGNAL(toggled(bool)), ui.customDirEdit, SLOT(setDisabled(bool)));
    connect(ui.openInLastDirRadioButton, SIGNAL(toggled(bool)), ui.customDirEdit, SLOT(setDisabled(bool)));
    connect(ui.openInCustomDirRadioButton, SIGNAL(toggled(bool)), ui.customDirEdit, SLOT(setEnabled(bool)));
    connect(openLocationGroup, SIGNAL(buttonClicked(int)), this, SLOT(defaultOpenLocationChanged()));

    connect(ui.postProcessingComboBox, SIGNAL(currentIndexChanged(int)), this, SLOT(postProcessingModeChanged(int)));
    connect(ui.brightnessResetButton, SIGNAL(clicked()), this, SLOT(resetBrightness()));
    connect(ui.contrastResetButton, SIGNAL(clicked()), this, SLOT(resetContrast()));
    connect(ui.saturationResetButton, SIGNAL(clicked()), this, SLOT(resetSaturation()));
    connect(ui.globalResetButton, SIGNAL(clicked()), this, SLOT(reset()));
    connect(ui.subtitleFontButton, SIGNAL(clicked()), this, SLOT(pickSubtitleFont()));
    connect(ui.subtitleTextColorButton, SIGNAL(clicked()), this, SLOT(pickSubtitleTextColor()));
    connect(ui.subtitleOutlineColorButton, SIGNAL(clicked()), this, SLOT(pickSubtitleOutlineColor()));
}

void ZNBPreferencesPlugin::fillDefaultViewList()
{
    appendItems(ui.defaultViewComboBox, {{tr("Playback"), "player"},
                                         {tr("Video Library"), "media library"},
                                         {tr("Download Manager"), "download manager"}});
}

void ZNBPreferencesPlugin::fillLanguageLists()
{
    const auto languages = languageChoices(ZNBStringTools::twoLetterLanguageCodeMap());
    showChoices(ui.audioTrackComboBox, new ChoiceListModel(languages, ui.audioTrackComboBox), *languages);
    showChoices(ui.subtitleTrackComboBox,
                new ChoiceListModel({tr("None"), QVariant()}, languages, ui.subtitleTrackComboBox), *languages);
    showChoices(ui.menuTrackComboBox, new ChoiceListModel(languages, ui.menuTrackComboBox), *languages);
}

void ZNBPreferencesPlugin::fillCodePages()
{
    const auto pages = codePageChoices(ZNBStringTools::codePages());
    showChoices(ui.defaultCodePageComboBox,
                new ChoiceListModel({tr("System Encoding (Default)"), QStringLiteral("system")}, pages,
                                    ui.defaultCodePageComboBox),
                *pages);
}

void ZNBPreferencesPlugin::setUpFrameRateEditor()
{
    frameRatePattern = QRegExp(frameRatePatternText(), Qt::CaseSensitive, QRegExp::RegExp);
    const QString labels[] = {tr("24p (24000/1001)"), tr("25p"), tr("30p"), tr("50p"), tr("60p (60000/1001)")};
    const FrameRate rates[] = {
        {FrameRate::Finite, 24000, 1001}, {FrameRate::Finite, 25, 1}, {FrameRate::Finite, 30, 1},
        {FrameRate::Finite, 50, 1}, {FrameRate::Finite, 60000, 1001},
    };
    for (int i = 0; i < 5; ++i)
        frameRatePresets.insert(labels[i], rates[i]);
    QVector<Choice> presets;
    for (const QString& label : labels)
        presets.append({label, QVariant()});
    appendItems(ui.subtitleFrameRateComboBox, presets);
    ui.subtitleFrameRateComboBox->setValidator(
        new QRegExpValidator(frameRatePattern, ui.subtitleFrameRateComboBox));
}

void ZNBPreferencesPlugin::settingChanged()
{
    if (signalsBlocked())
        return;
    markChanged();
}

void ZNBPreferencesPlugin::preferenceUpdated(const QString& message, const QVariant& prefId)
{
    Q_UNUSED(message);
    using namespace SettingKeys;
    if (prefId == QVariant(QString::fromLatin1(Playback::AlwaysOnTop.name)))
        ui.onTopCheckBox->setChecked(readPreferenceBool(Playback::AlwaysOnTop.section, Playback::AlwaysOnTop.name, false));
    if (prefId == QVariant(QString::fromLatin1(Playback::enableToolTips.name)))
        ui.toolTipsCheckBox->setChecked(
            !readPreferenceBool(Playback::enableToolTips.section, Playback::enableToolTips.name, true));
    if (prefId == QVariant(QString::fromLatin1(Playback::hideInactiveButtons.name)))
        ui.autohideCheckBox->setChecked(
            readPreferenceBool(Playback::hideInactiveButtons.section, Playback::hideInactiveButtons.name, false));
}

void ZNBPreferencesPlugin::closeSave()
{
    // A save that failed keeps the window open (its message said why).
    if (dirty && !saveSettings())
        return;
    close();
}

void ZNBPreferencesPlugin::closeDiscard()
{
    dirty = false;
    ui.applyButton->setEnabled(false);
    close();
}

void ZNBPreferencesPlugin::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (dirty) {
        const auto answer = QMessageBox::question(
            this, tr("Save changes?"), tr("The current settings have not been saved. Would you like to save them?"),
            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
        if (answer == QMessageBox::Save) {
            if (!saveSettings()) {
                event->ignore();
                return;
            }
        } else if (answer != QMessageBox::Discard) {
            event->ignore();
            return;
        }
    }
    scheduleWindowRelease();
    // Closed from the title bar, Qt would also destroy the native window, and
    // the next show would make it again (a new X window, its properties and
    // icon: most of a reopen). Hiding keeps it. A window that is the last one
    // shown closes as usual, so that the host still learns its last window
    // closed.
    if (event->spontaneous() && anotherWindowShown(this)) {
        event->ignore();
        hide();
    }
}

} // namespace ZelkNimbo
