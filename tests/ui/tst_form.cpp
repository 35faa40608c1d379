// The preferences form against the layout tables below.
//
// The form is built on a bare QWidget (as the plug-in does with itself) and
// every row of kTree below is checked: object name (unique in the window),
// class, parent, place (layout item index, grid cell and spans, "layout of",
// stack page, scroll-area contents), size policy, range and text, plus the
// properties named in the last column. A property that a row does not name is
// compared with a default-constructed widget of the same class, so a stray
// setting in the form fails too. Layouts get spacing 6 and margins 11 (layout
// of a widget) or 0 (nested) unless their row says otherwise. The rows are in creation order (the tables' order), which
// the creation-order and tab-order checks rely on.
#include "PreferencesForm.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMetaEnum>
#include <QMetaProperty>
#include <QPushButton>
#include <QRadioButton>
#include <QResource>
#include <QScrollArea>
#include <QSet>
#include <QSlider>
#include <QSpacerItem>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStyle>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTranslator>
#include <QtTest>

#include <functional>
#include <memory>
#include <vector>

namespace {

// One row of the Parts' tables.
//   place:  "L:i"            item i of box layout L
//           "L:i@r,c[,rs,cs]" item i of grid layout L, in cell (r, c) with spans
//           "^W"             the layout installed on widget W
//           "stackedWidget#i" page i of the stack
//           "scroll:S"       the contents widget of scroll area S
//   policy: "H/V" (stretch 0 both); empty: the class's default
//   range:  "min..max" then optional property tokens (pageStep=16 ...)
//   other:  property tokens "name=value" (enums by key, sizes WxH), and
//           s=spacing, hs=/vs= grid spacings, m=l,t,r,b margins (-1: the
//           style's default), stretch=a,b,... for box layouts, hint=WxH for
//           spacers, pixmap=PATH, font=family,pt,weight, rich=shell|lucida
// Class "spacer" rows describe spacer items (which have no name); "@panel"
// rows expand into the seven rows of a page's title panel (kPanels).
struct Row {
    const char *name, *cls, *parent, *place, *policy, *range, *text, *other;
};

const char *const kContentsG = "scrollAreaWidgetContents_General";
const char *const kContentsP = "scrollAreaWidgetContents_Playback";
const char *const kViewport = "qt_scrollarea_viewport";
const char *const kPictureSlider = "-127..128 pageStep=16 singleStep=1 value=0";
const char *const kPictureSliderOther = "orientation=Horizontal tickPosition=TicksBelow";

const Row kTree[] = {
    // window frame.
    {"PreferencesDialog", "QWidget", "", "", "Preferred/Preferred", "", "Preferences", ""},
    {"verticalLayout_10", "QVBoxLayout", "PreferencesDialog", "^PreferencesDialog", "", "", "", "sizeConstraint=SetFixedSize"},
    {"horizontalLayout_Widgets", "QHBoxLayout", "verticalLayout_10", "verticalLayout_10:0", "", "", "", ""},
    {"listBox", "QListWidget", "PreferencesDialog", "horizontalLayout_Widgets:0", "Minimum/Expanding", "", "",
     "count=5 maximumSize=190x16777215 verticalScrollBarPolicy=ScrollBarAlwaysOff horizontalScrollBarPolicy=ScrollBarAlwaysOff"},
    {"stackedWidget", "QStackedWidget", "PreferencesDialog", "horizontalLayout_Widgets:1", "Minimum/Minimum", "", "", "currentIndex=0 count=5"},

    // General page.
    {"GeneralPrefs", "QWidget", "stackedWidget", "stackedWidget#0", "", "", "", ""},
    {"verticalLayout_17", "QVBoxLayout", "GeneralPrefs", "^GeneralPrefs", "", "", "", "stretch=0,1"},
    {"@panel", "General", "", "", "", "", "", ""},
    {"scrollArea_General", "QScrollArea", "GeneralPrefs", "verticalLayout_17:1", "", "", "",
     "minimumSize=0x520 frameShape=NoFrame widgetResizable=true alignment=AlignLeft|AlignTop"},
    {kContentsG, "QWidget", kViewport, "scroll:scrollArea_General", "", "", "", ""},
    {"verticalLayout_8", "QVBoxLayout", kContentsG, "^scrollAreaWidgetContents_General", "", "", "", "m=0,0,0,0"},
    {"folderGroupBox", "QGroupBox", kContentsG, "verticalLayout_8:0", "Minimum/Fixed", "", " Default Video Folder:", ""},
    {"_14", "QGridLayout", "folderGroupBox", "^folderGroupBox", "", "", "", "hs=6 vs=2"},
    {"zelkMoviesEdit", "QLineEdit", "folderGroupBox", "_14:0@1,0", "", "", "", "enabled=false"},
    {"zelkMoviesButton", "QPushButton", "folderGroupBox", "_14:1@1,1", "", "", "Browse...", ""},
    {"productUpdatesGroupBox", "QGroupBox", kContentsG, "verticalLayout_8:1", "Minimum/Fixed", "", "General Preferences:", ""},
    {"_15", "QVBoxLayout", "productUpdatesGroupBox", "^productUpdatesGroupBox", "", "", "", "s=1"},
    {"bannerAdsCheckBox", "QCheckBox", "productUpdatesGroupBox", "_15:0", "", "", "Disable banner ads in player", ""},
    {"onTopCheckBox", "QCheckBox", "productUpdatesGroupBox", "_15:1", "", "", "Always display Zelk Player on top of other applications", ""},
    {"toolTipsCheckBox", "QCheckBox", "productUpdatesGroupBox", "_15:2", "", "", "Disable tooltips", ""},
    {"autohideCheckBox", "QCheckBox", "productUpdatesGroupBox", "_15:3", "", "", "Auto-hide inactive buttons", ""},
    {"startupGroupBox", "QGroupBox", kContentsG, "verticalLayout_8:2", "Minimum/Fixed", "", "Video File Opening:", ""},
    {"verticalLayout", "QVBoxLayout", "startupGroupBox", "^startupGroupBox", "", "", "", "m=-1,-1,5,-1"},
    {"openFileLabel", "QLabel", "startupGroupBox", "verticalLayout:0", "", "", "When showing the \"Open Video\" dialog, default to:", ""},
    {"horizontalLayout", "QHBoxLayout", "verticalLayout", "verticalLayout:1", "", "", "", ""},
    {"", "spacer", "", "horizontalLayout:0", "Fixed/Minimum", "", "", "hint=20x16"},
    {"gridLayout_3", "QGridLayout", "horizontalLayout", "horizontalLayout:1", "", "", "", ""},
    {"openInZelkMoviesRadioButton", "QRadioButton", "startupGroupBox", "gridLayout_3:0@0,0,1,2", "", "", "My default video folder", "checked=true"},
    {"openInLastDirRadioButton", "QRadioButton", "startupGroupBox", "gridLayout_3:1@1,0,1,2", "", "", "The last opened folder", ""},
    {"openInCustomDirRadioButton", "QRadioButton", "startupGroupBox", "gridLayout_3:2@2,0", "", "", "Other:", ""},
    {"customDirEdit", "QLineEdit", "startupGroupBox", "gridLayout_3:3@2,1", "", "", "", "minimumSize=180x0"},
    {"customDirButton", "QPushButton", "startupGroupBox", "gridLayout_3:4@2,2", "", "", "Browse...", ""},
    {"mediaLibDefaultViewGroupBox_2", "QGroupBox", kContentsG, "verticalLayout_8:3", "Minimum/Fixed", "", "Default View:", ""},
    {"_18", "QHBoxLayout", "mediaLibDefaultViewGroupBox_2", "^mediaLibDefaultViewGroupBox_2", "", "", "", ""},
    {"defaultViewComboBox", "QComboBox", "mediaLibDefaultViewGroupBox_2", "_18:0", "Fixed/Fixed", "", "", "count=0"},
    {"textLabel1_2", "QLabel", "mediaLibDefaultViewGroupBox_2", "_18:1", "", "", "is the default view when Zelk Player opens", ""},
    {"FileAssociationGroupBox", "QGroupBox", kContentsG, "verticalLayout_8:4", "", "", "Video File Association:", ""},
    {"verticalLayout_15", "QVBoxLayout", "FileAssociationGroupBox", "^FileAssociationGroupBox", "", "", "", ""},
    {"FileAssocDescLabel", "QLabel", "FileAssociationGroupBox", "verticalLayout_15:0", "", "",
     "Use Zelk Player as the default video player for the following file types:", "wordWrap=true"},
    {"horizontalLayout_2", "QHBoxLayout", "verticalLayout_15", "verticalLayout_15:1", "", "", "", ""},
    {"verticalLayout_14", "QVBoxLayout", "horizontalLayout_2", "horizontalLayout_2:0", "", "", "", ""},
    {"aviCheckBox", "QCheckBox", "FileAssociationGroupBox", "verticalLayout_14:0", "", "", ".avi", ""},
    {"zelkCheckBox", "QCheckBox", "FileAssociationGroupBox", "verticalLayout_14:1", "", "", ".zelk", ""},
    {"xvidCheckBox", "QCheckBox", "FileAssociationGroupBox", "verticalLayout_14:2", "", "", ".xvid", ""},
    {"mkvCheckBox", "QCheckBox", "FileAssociationGroupBox", "verticalLayout_14:3", "", "", ".mkv", ""},
    {"verticalLayout_21", "QVBoxLayout", "horizontalLayout_2", "horizontalLayout_2:1", "", "", "", ""},
    {"movCheckBox", "QCheckBox", "FileAssociationGroupBox", "verticalLayout_21:0", "", "", ".mov", ""},
    {"mp4CheckBox", "QCheckBox", "FileAssociationGroupBox", "verticalLayout_21:1", "", "", ".mp4", ""},
    {"wmvCheckBox", "QCheckBox", "FileAssociationGroupBox", "verticalLayout_21:2", "", "", ".wmv", ""},
    {"vobCheckBox", "QCheckBox", "FileAssociationGroupBox", "verticalLayout_21:3", "", "", ".vob", ""},
    {"verticalLayout_2", "QVBoxLayout", "horizontalLayout_2", "horizontalLayout_2:2", "", "", "", ""},
    {"mpg_mpegCheckBox", "QCheckBox", "FileAssociationGroupBox", "verticalLayout_2:0", "", "", ".mpg/.mpeg", ""},
    {"asfCheckBox", "QCheckBox", "FileAssociationGroupBox", "verticalLayout_2:1", "", "", ".asf", ""},
    {"qtCheckBox", "QCheckBox", "FileAssociationGroupBox", "verticalLayout_2:2", "", "", ".qt", ""},
    {"", "spacer", "", "verticalLayout_2:3", "Minimum/Expanding", "", "", "hint=20x27"},
    {"", "spacer", "", "horizontalLayout_2:3", "Expanding/Minimum", "", "", "hint=218x20"},

    // Video Library page (stack page 1).
    {"VideoLibraryPrefs", "QWidget", "stackedWidget", "stackedWidget#1", "", "", "", ""},
    {"verticalLayout_53", "QVBoxLayout", "VideoLibraryPrefs", "^VideoLibraryPrefs", "", "", "", "stretch=0,1"},
    {"@panel", "Video Library", "", "", "", "", "", ""},
    {"verticalLayout_19", "QVBoxLayout", "verticalLayout_53", "verticalLayout_53:1", "", "", "", ""},
    {"mediaLibSettingsGroupBox", "QGroupBox", "VideoLibraryPrefs", "verticalLayout_19:0", "Minimum/Fixed", "", "Video Library Settings:", ""},
    {"verticalLayout_5", "QVBoxLayout", "mediaLibSettingsGroupBox", "^mediaLibSettingsGroupBox", "", "", "", ""},
    {"mediaLibClearDownloadsCheckBox", "QCheckBox", "mediaLibSettingsGroupBox", "verticalLayout_5:0", "", "",
     "Auto-clear downloads from Download Manager when complete", ""},
    {"mediaLibAutoCloseImportDialogCheckBox", "QCheckBox", "mediaLibSettingsGroupBox", "verticalLayout_5:1", "", "",
     "Automatically close import dialog when complete", ""},
    {"mediaLibRestartDownloadsCheckBox", "QCheckBox", "mediaLibSettingsGroupBox", "verticalLayout_5:2", "Minimum/Fixed", "",
     "Always resume downloads on Zelk Player startup", ""},
    {"addPlayedVideoToLibCheckBox", "QCheckBox", "mediaLibSettingsGroupBox", "verticalLayout_5:3", "", "",
     "Add video files to library when played", ""},
    {"addVideoInDefFolderToLibCheckBox", "QCheckBox", "mediaLibSettingsGroupBox", "verticalLayout_5:4", "", "",
     "Automatically add video files to library that are in the default video folder", ""},
    {"deletLibFileAndDiskFileCheckBox", "QCheckBox", "mediaLibSettingsGroupBox", "verticalLayout_5:5", "", "",
     "Default to delete video files from the hard drive when deleting from the library", ""},
    {"recentWatchedPlaylistCheckBox", "QCheckBox", "mediaLibSettingsGroupBox", "verticalLayout_5:6", "", "",
     "Enable \"Recently Watched\" video tracking", ""},
    {"", "spacer", "", "verticalLayout_19:1", "Minimum/Expanding", "", "", "hint=17x328"},

    // Playback page (stack page 2).
    {"PlaybackPrefs", "QWidget", "stackedWidget", "stackedWidget#2", "", "", "", ""},
    {"verticalLayout_20", "QVBoxLayout", "PlaybackPrefs", "^PlaybackPrefs", "", "", "", "stretch=0,1"},
    {"@panel", "Playback", "", "", "", "", "", ""},
    {"scrollArea_Playback", "QScrollArea", "PlaybackPrefs", "verticalLayout_20:1", "", "", "",
     "minimumSize=0x420 frameShape=NoFrame lineWidth=0 widgetResizable=true alignment=AlignLeft|AlignTop"},
    {kContentsP, "QWidget", kViewport, "scroll:scrollArea_Playback", "", "", "", ""},
    {"verticalLayout_3", "QVBoxLayout", kContentsP, "^scrollAreaWidgetContents_Playback", "", "", "", "m=0,0,0,0 stretch=0,0,0,1"},
    {"playbackGroupBox", "QGroupBox", kContentsP, "verticalLayout_3:0", "Preferred/Preferred", "", " Playback Options: ", ""},
    {"verticalLayout_18", "QVBoxLayout", "playbackGroupBox", "^playbackGroupBox", "", "", "", ""},
    {"resumePlaybackCheckBox", "QCheckBox", "playbackGroupBox", "verticalLayout_18:0", "", "",
     "Resume playback from last position for all videos", "checked=true"},
    {"horizontalLayout_6", "QHBoxLayout", "verticalLayout_18", "verticalLayout_18:1", "", "", "", ""},
    {"", "spacer", "", "horizontalLayout_6:0", "Fixed/Minimum", "", "", "hint=20x20"},
    {"showResumeOfferCheckBox", "QCheckBox", "playbackGroupBox", "horizontalLayout_6:1", "", "",
     "Show 'resume playback' message when video loads", ""},
    {"resizeToVideoCheckBox", "QCheckBox", "playbackGroupBox", "verticalLayout_18:2", "", "", "Resize Player to Fit Video", ""},
    {"screenSaverCheckBox", "QCheckBox", "playbackGroupBox", "verticalLayout_18:3", "", "", "Disable all screen savers while playing videos", ""},
    {"rememberPreviousMovieCheckBox", "QCheckBox", "playbackGroupBox", "verticalLayout_18:4", "", "",
     "Automatically play last video left open on player quit", ""},
    {"pauseIfNoFocusCheckBox", "QCheckBox", "playbackGroupBox", "verticalLayout_18:5", "", "", "Pause video when player loses focus", ""},
    {"blackoutOnPauseCheckBox", "QCheckBox", "playbackGroupBox", "verticalLayout_18:6", "", "", "Blackout videos when paused", ""},
    {"languageOptionGroupBox", "QGroupBox", kContentsP, "verticalLayout_3:1", "", "", "Language Options:", ""},
    {"verticalLayout_7", "QVBoxLayout", "languageOptionGroupBox", "^languageOptionGroupBox", "", "", "", ""},
    {"horizontalLayout_5", "QHBoxLayout", "verticalLayout_7", "verticalLayout_7:0", "", "", "", ""},
    {"verticalLayout_11", "QVBoxLayout", "horizontalLayout_5", "horizontalLayout_5:0", "", "", "", ""},
    {"subtitleTrackLabel_2", "QLabel", "languageOptionGroupBox", "verticalLayout_11:0", "", "", "Subtitle language:", ""},
    {"audioTrackLabel_2", "QLabel", "languageOptionGroupBox", "verticalLayout_11:1", "", "", "Audio language:", ""},
    {"menuLabel_2", "QLabel", "languageOptionGroupBox", "verticalLayout_11:2", "", "", "Menu language:", ""},
    {"verticalLayout_4", "QVBoxLayout", "horizontalLayout_5", "horizontalLayout_5:1", "", "", "", ""},
    {"subtitleTrackComboBox", "QComboBox", "languageOptionGroupBox", "verticalLayout_4:0", "", "", "", "count=0"},
    {"audioTrackComboBox", "QComboBox", "languageOptionGroupBox", "verticalLayout_4:1", "", "", "", "count=0"},
    {"menuTrackComboBox", "QComboBox", "languageOptionGroupBox", "verticalLayout_4:2", "", "", "", "count=0"},
    {"", "spacer", "", "horizontalLayout_5:2", "Expanding/Minimum", "", "", "hint=138x20"},
    {"imageSettingsGroupBox_2", "QGroupBox", kContentsP, "verticalLayout_3:2", "", "", "Video Settings:", ""},
    {"verticalLayout_26", "QVBoxLayout", "imageSettingsGroupBox_2", "^imageSettingsGroupBox_2", "", "", "", ""},
    {"horizontalLayout_19", "QHBoxLayout", "verticalLayout_26", "verticalLayout_26:0", "", "", "", ""},
    {"verticalLayout_23", "QVBoxLayout", "horizontalLayout_19", "horizontalLayout_19:0", "", "", "", ""},
    {"brlabel_2", "QLabel", "imageSettingsGroupBox_2", "verticalLayout_23:0", "", "", "Brightness", ""},
    {"ctLabel_2", "QLabel", "imageSettingsGroupBox_2", "verticalLayout_23:1", "", "", "Contrast", ""},
    {"stLabel_2", "QLabel", "imageSettingsGroupBox_2", "verticalLayout_23:2", "", "", "Saturation", ""},
    {"verticalLayout_24", "QVBoxLayout", "horizontalLayout_19", "horizontalLayout_19:1", "", "", "", ""},
    {"brightnessSlider", "QSlider", "imageSettingsGroupBox_2", "verticalLayout_24:0", "Expanding/Preferred", kPictureSlider, "", kPictureSliderOther},
    {"contrastSlider", "QSlider", "imageSettingsGroupBox_2", "verticalLayout_24:1", "Expanding/Preferred", kPictureSlider, "", kPictureSliderOther},
    {"saturationSlider", "QSlider", "imageSettingsGroupBox_2", "verticalLayout_24:2", "Expanding/Preferred", kPictureSlider, "", kPictureSliderOther},
    {"verticalLayout_25", "QVBoxLayout", "horizontalLayout_19", "horizontalLayout_19:2", "", "", "", ""},
    {"brightnessResetButton", "QPushButton", "imageSettingsGroupBox_2", "verticalLayout_25:0", "", "", "Reset", ""},
    {"contrastResetButton", "QPushButton", "imageSettingsGroupBox_2", "verticalLayout_25:1", "", "", "Reset", ""},
    {"saturationResetButton", "QPushButton", "imageSettingsGroupBox_2", "verticalLayout_25:2", "", "", "Reset", ""},
    {"", "spacer", "", "verticalLayout_3:3", "Minimum/Expanding", "", "", "hint=0x0"},

    // Subtitles page (stack page 3).
    {"SubtitlePrefs", "QWidget", "stackedWidget", "stackedWidget#3", "", "", "", ""},
    {"verticalLayout_6", "QVBoxLayout", "SubtitlePrefs", "^SubtitlePrefs", "", "", "", ""},
    {"@panel", "Subtitles", "", "", "", "", "", ""},
    {"groupBox7", "QGroupBox", "SubtitlePrefs", "verticalLayout_6:1", "Minimum/Fixed", "", "External Subtitles:", ""},
    {"gridLayout_2", "QGridLayout", "groupBox7", "^groupBox7", "", "", "", ""},
    {"simSubsCheckBox", "QCheckBox", "groupBox7", "gridLayout_2:0@0,0,1,2", "Expanding/Fixed", "",
     "Turn simultaneous dual subtitle display off", ""},
    {"srtCheckBox", "QCheckBox", "groupBox7", "gridLayout_2:1@1,0,1,2", "Expanding/Fixed", "",
     "Automatically use corresponding subtitle files", ""},
    {"alwaysUseExternalFontCheckBox", "QCheckBox", "groupBox7", "gridLayout_2:2@2,0", "", "", "Always use my font", ""},
    {"label", "QLabel", "groupBox7", "gridLayout_2:3@3,0", "", "", "Default Encoding:", ""},
    {"defaultCodePageComboBox", "QComboBox", "groupBox7", "gridLayout_2:4@3,1", "MinimumExpanding/Fixed", "", "", "count=0"},
    {"", "spacer", "", "gridLayout_2:5@3,2", "Expanding/Minimum", "", "", "hint=149x20"},
    {"subtitleFontButton", "QPushButton", "groupBox7", "gridLayout_2:6@4,0", "Fixed/Fixed", "", "Subtitle Font", "minimumSize=150x0"},
    {"subtitleTextSampleLabel", "QLabel", "groupBox7", "gridLayout_2:7@4,1,3,2", "Expanding/Preferred", "", "Subtitle Sample",
     "font=Arial,16,75 frameShape=Box alignment=AlignCenter"},
    {"subtitleTextColorButton", "QPushButton", "groupBox7", "gridLayout_2:8@5,0", "Fixed/Fixed", "", "Text Color", "minimumSize=150x0"},
    {"subtitleOutlineColorButton", "QPushButton", "groupBox7", "gridLayout_2:9@6,0", "Fixed/Fixed", "", "Outline Color", "minimumSize=150x0"},
    {"labelDelay", "QLabel", "groupBox7", "gridLayout_2:10@7,0", "", "", "Delay (1/10s):", ""},
    {"subtitleDelaySpinBox", "QSpinBox", "groupBox7", "gridLayout_2:11@7,1", "Fixed/Fixed", "-10000..10000 singleStep=1 value=0", "",
     "minimumSize=60x0 maximumSize=60x32767 accelerated=true"},
    {"", "spacer", "", "gridLayout_2:12@7,2,2,1", "Expanding/Minimum", "", "", "hint=149x38"},
    {"label_2", "QLabel", "groupBox7", "gridLayout_2:13@8,0", "", "", "MicroDVD (SUB) Frame Rate:", ""},
    {"subtitleFrameRateComboBox", "QComboBox", "groupBox7", "gridLayout_2:14@8,1", "", "", "", "editable=true currentIndex=-1 count=0"},
    {"", "spacer", "", "verticalLayout_6:2", "Minimum/Expanding", "", "", "hint=20x264"},

    // Advanced page (stack page 4).
    {"AdvancedPrefs", "QWidget", "stackedWidget", "stackedWidget#4", "", "", "", ""},
    {"verticalLayout_13", "QVBoxLayout", "AdvancedPrefs", "^AdvancedPrefs", "", "", "", ""},
    {"@panel", "Advanced", "", "", "", "", "", ""},
    {"restorePlayerDefaultGroupBox", "QGroupBox", "AdvancedPrefs", "verticalLayout_13:1", "", "", "Restore Player Defaults:", ""},
    {"hboxLayout1", "QHBoxLayout", "restorePlayerDefaultGroupBox", "^restorePlayerDefaultGroupBox", "", "", "", ""},
    {"globalResetButton", "QPushButton", "restorePlayerDefaultGroupBox", "hboxLayout1:0", "Minimum/Preferred", "", "Global Reset",
     "minimumSize=150x24"},
    {"", "spacer", "", "hboxLayout1:1", "Expanding/Minimum", "", "", "hint=40x20"},
    {"videoOutputGroupBox", "QGroupBox", "AdvancedPrefs", "verticalLayout_13:2", "", "", "Video Output", ""},
    {"gridLayout", "QGridLayout", "videoOutputGroupBox", "^videoOutputGroupBox", "", "", "", ""},
    {"videoOutputMethodComboBox", "QComboBox", "videoOutputGroupBox", "gridLayout:0@1,1", "", "", "", "count=0"},
    {"deinterlacingMethodComboBox", "QComboBox", "videoOutputGroupBox", "gridLayout:1@0,1", "", "", "", "count=0"},
    {"videoOutputMethodLabel", "QLabel", "videoOutputGroupBox", "gridLayout:2@1,0", "", "", "Preferred Video Output Method:", ""},
    {"deinterlacingMethodLabel", "QLabel", "videoOutputGroupBox", "gridLayout:3@0,0", "", "", "Deinterlacing Method:", ""},
    {"hardwareDecodingDisabledCheckBox", "QCheckBox", "videoOutputGroupBox", "gridLayout:4@2,0", "", "", "Disable Hardware Decoding", ""},
    {"verticalLayout_12", "QVBoxLayout", "verticalLayout_13", "verticalLayout_13:3", "", "", "", ""},
    {"playbackQualityGroupBox", "QGroupBox", "AdvancedPrefs", "verticalLayout_12:0", "Minimum/Fixed", "", " Playback Quality: ", ""},
    {"verticalLayout_51", "QVBoxLayout", "playbackQualityGroupBox", "^playbackQualityGroupBox", "", "", "", ""},
    {"_53", "QHBoxLayout", "verticalLayout_51", "verticalLayout_51:0", "", "", "", ""},
    {"ppLabel", "QLabel", "playbackQualityGroupBox", "_53:0", "", "", "Post-processing mode:", ""},
    {"postProcessingComboBox", "QComboBox", "playbackQualityGroupBox", "_53:1", "Expanding/Fixed", "", "", "count=0"},
    {"_54", "QVBoxLayout", "verticalLayout_51", "verticalLayout_51:1", "", "", "", ""},
    {"deblockingLabel", "QLabel", "playbackQualityGroupBox", "_54:0", "", "", "Deblocking:", ""},
    {"deblockingSlider", "QSlider", "playbackQualityGroupBox", "_54:1", "Expanding/Preferred", "0..4 singleStep=1 pageStep=1 value=4", "",
     "minimumSize=0x40 orientation=Horizontal tickPosition=TicksBelow"},
    {"_55", "QHBoxLayout", "_54", "_54:2", "", "", "", ""},
    {"dMinLabel", "QLabel", "playbackQualityGroupBox", "_55:0", "", "", "Min", ""},
    {"", "spacer", "", "_55:1", "Expanding/Minimum", "", "", "hint=20x20"},
    {"dMaxLabel", "QLabel", "playbackQualityGroupBox", "_55:2", "", "", "Max", "alignment=AlignRight|AlignVCenter"},
    {"", "spacer", "", "verticalLayout_12:1", "Minimum/Expanding", "", "", "hint=20x170"},

    // button row.
    {"horizontalLayout_Buttons", "QHBoxLayout", "verticalLayout_10", "verticalLayout_10:1", "", "", "", ""},
    {"", "spacer", "", "horizontalLayout_Buttons:0", "Expanding/Minimum", "", "", "hint=368x20"},
    {"okButton", "QPushButton", "PreferencesDialog", "horizontalLayout_Buttons:1", "Minimum/Minimum", "", "OK", "default=true"},
    {"cancelButton", "QPushButton", "PreferencesDialog", "horizontalLayout_Buttons:2", "Minimum/Minimum", "", "Cancel", "autoDefault=false"},
    {"applyButton", "QPushButton", "PreferencesDialog", "horizontalLayout_Buttons:3", "Minimum/Minimum", "", "Apply",
     "enabled=false autoDefault=false"},
};

// the title panels, their object names, texts and images.
struct Panel {
    const char *page, *widget, *layout, *hpolicy;
    const char *panel, *outer, *row, *image, *column, *heading, *description;
    const char *pixmap, *headingText, *descriptionText, *base;
};
const Panel kPanels[] = {
    {"General", "GeneralPrefs", "verticalLayout_17", "Preferred", "generalPrefsTitlePanel", "vboxLayout", "hboxLayout",
     "titlePixmap", "vboxLayout1", "title", "titleHeading", ":/Titles/General", "General Preferences",
     "Manage the global settings for the Zelk Player application.", "shell"},
    {"Video Library", "VideoLibraryPrefs", "verticalLayout_53", "Minimum", "generalPrefsTitlePanel_2", "_8", "_9",
     "titlePixmap_4", "_10", "title_4", "titleHeading_4", ":/Titles/Video", "Video Library Preferences",
     "Manage the library settings for the Zelk Player application.", "shell"},
    {"Playback", "PlaybackPrefs", "verticalLayout_20", "Preferred", "generalPrefsTitlePanel_3", "_11", "_12",
     "titlePixmap_5", "_13", "title_5", "titleHeading_5", ":/Titles/Playback", "Playback Preferences",
     "Manage the playback settings for the Zelk Player application.", "lucida"},
    {"Subtitles", "SubtitlePrefs", "verticalLayout_6", "Preferred", "subtitlePrefsTitlePanel", "_2", "_3",
     "titlePixmap_2", "_4", "title_2", "titleHeading_2", ":/Titles/Subtitle", "External Subtitle Preferences",
     "Manage the external subtitle settings for Zelk Player application", "lucida"},
    {"Advanced", "AdvancedPrefs", "verticalLayout_13", "Preferred", "advancedPrefsTitlePanel", "_5", "_6",
     "titlePixmap_3", "_7", "title_3", "titleHeading_3", ":/Titles/Advanced", "Advanced Preferences",
     "Manage advanced settings for the Zelk Player application.", "lucida"},
};

// list rows and stack pages.
struct Page {
    const char *item, *widget, *image;
};
const Page kPages[] = {
    {"General", "GeneralPrefs", ":/Titles/General"},       {"Video Library", "VideoLibraryPrefs", ":/Titles/Video"},
    {"Playback", "PlaybackPrefs", ":/Titles/Playback"},    {"Subtitles", "SubtitlePrefs", ":/Titles/Subtitle"},
    {"Advanced", "AdvancedPrefs", ":/Titles/Advanced"},
};

struct Expanded {
    QString name, cls, parent, place, policy, range, text, other;
};

std::vector<Expanded> expandedTree()
{
    std::vector<Expanded> rows;
    for (const Row &r : kTree) {
        if (qstrcmp(r.name, "@panel") != 0) {
            rows.push_back({r.name, r.cls, r.parent, r.place, r.policy, r.range, r.text, r.other});
            continue;
        }
        const Panel *p = nullptr;
        for (const Panel &candidate : kPanels)
            if (qstrcmp(candidate.page, r.cls) == 0)
                p = &candidate;
        Q_ASSERT(p);
        const QString panel = p->panel, outer = p->outer, row = p->row, column = p->column;
        rows.push_back({panel, "QFrame", p->widget, QString(p->layout) + ":0", QString(p->hpolicy) + "/Fixed", "", "",
                        "frameShape=Box frameShadow=Sunken"});
        rows.push_back({outer, "QVBoxLayout", panel, "^" + panel, "", "", "", "m=10,10,10,10"});
        rows.push_back({row, "QHBoxLayout", outer, outer + ":0", "", "", "", ""});
        rows.push_back({p->image, "QLabel", panel, row + ":0", "Fixed/Fixed", "", "",
                        QString("minimumSize=48x48 maximumSize=48x48 frameShape=Box frameShadow=Plain scaledContents=true "
                                "pixmap=") + p->pixmap});
        rows.push_back({column, "QVBoxLayout", row, row + ":1", "", "", "", ""});
        rows.push_back({p->heading, "QLabel", panel, column + ":0", "", "", p->headingText, QString("rich=") + p->base});
        rows.push_back({p->description, "QLabel", panel, column + ":1", "Expanding/Expanding", "", p->descriptionText,
                        "alignment=AlignLeft|AlignTop wordWrap=true"});
    }
    return rows;
}

// A default-constructed widget of the same class, for properties a row does
// not name.
std::unique_ptr<QWidget> defaultWidget(const QString &cls)
{
    static const QHash<QString, std::function<QWidget *()>> make = {
        {"QWidget", [] { return new QWidget; }},
        {"QFrame", [] { return new QFrame; }},
        {"QLabel", [] { return new QLabel; }},
        {"QListWidget", [] { return new QListWidget; }},
        {"QStackedWidget", [] { return new QStackedWidget; }},
        {"QScrollArea", [] { return new QScrollArea; }},
        {"QGroupBox", [] { return new QGroupBox; }},
        {"QLineEdit", [] { return new QLineEdit; }},
        {"QPushButton", [] { return new QPushButton; }},
        {"QCheckBox", [] { return new QCheckBox; }},
        {"QRadioButton", [] { return new QRadioButton; }},
        {"QComboBox", [] { return new QComboBox; }},
        {"QSlider", [] { return new QSlider; }},
        {"QSpinBox", [] { return new QSpinBox; }},
    };
    const auto it = make.find(cls);
    return std::unique_ptr<QWidget>(it == make.end() ? nullptr : (*it)());
}

// Properties compared for every widget that has them.
const char *const kCheckedProperties[] = {
    "enabled", "checked", "wordWrap", "alignment", "frameShape", "frameShadow", "lineWidth", "scaledContents",
    "minimumSize", "maximumSize", "editable", "accelerated", "minimum", "maximum", "singleStep", "pageStep",
    "value", "orientation", "tickPosition", "tickInterval", "autoDefault", "default", "flat", "checkable",
    "widgetResizable", "currentIndex", "count", "textFormat", "verticalScrollBarPolicy",
    "horizontalScrollBarPolicy", "sortingEnabled", "readOnly", "sizeConstraint",
};

QSize parseSize(const QString &s)
{
    const QStringList wh = s.split('x');
    return wh.size() == 2 ? QSize(wh[0].toInt(), wh[1].toInt()) : QSize(-2, -2);
}

QMap<QString, QString> parseTokens(const QString &tokens)
{
    QMap<QString, QString> map;
    for (const QString &t : tokens.split(' ', Qt::SkipEmptyParts)) {
        const int eq = t.indexOf('=');
        map.insert(eq < 0 ? t : t.left(eq), eq < 0 ? QString() : t.mid(eq + 1));
    }
    return map;
}

// A property value reduced to something comparable: enums and flags as int.
QVariant comparable(const QObject *o, const QMetaProperty &p)
{
    const QVariant v = p.read(o);
    if (p.isEnumType() || p.isFlagType())
        return QVariant(*static_cast<const int *>(v.constData()));
    return v;
}

QVariant expectedValue(const QMetaProperty &p, const QString &text, bool *ok)
{
    *ok = true;
    if (p.isEnumType() || p.isFlagType()) {
        const QByteArray keys = text.toLatin1();
        const int v = p.isFlagType() ? p.enumerator().keysToValue(keys.constData(), ok)
                                     : p.enumerator().keyToValue(keys.constData(), ok);
        return QVariant(v);
    }
    switch (p.userType()) {
    case QMetaType::Bool:
        *ok = text == "true" || text == "false";
        return QVariant(text == "true");
    case QMetaType::Int:
        return QVariant(text.toInt(ok));
    case QMetaType::QSize:
        return QVariant(parseSize(text));
    default:
        *ok = false;
        return {};
    }
}

QSizePolicy::Policy policyByName(const QString &name)
{
    const QMetaEnum e = QMetaEnum::fromType<QSizePolicy::Policy>();
    bool ok = false;
    const int v = e.keyToValue(name.toLatin1().constData(), &ok);
    return ok ? QSizePolicy::Policy(v) : QSizePolicy::Policy(-1);
}

// Where a layout item sits: its layout, index, and for grids the cell.
struct Place {
    QString layout;
    int index = -1, row = -1, column = -1, rowSpan = 1, columnSpan = 1;
};

bool parsePlace(const QString &s, Place *p)
{
    const int colon = s.lastIndexOf(':');
    if (colon < 0 || s.startsWith("scroll:"))
        return false;
    p->layout = s.left(colon);
    QString rest = s.mid(colon + 1);
    const int at = rest.indexOf('@');
    if (at >= 0) {
        const QStringList cell = rest.mid(at + 1).split(',');
        p->row = cell.value(0).toInt();
        p->column = cell.value(1).toInt();
        if (cell.size() == 4) {
            p->rowSpan = cell[2].toInt();
            p->columnSpan = cell[3].toInt();
        }
        rest = rest.left(at);
    }
    p->index = rest.toInt();
    return true;
}

class RecordingTranslator : public QTranslator
{
public:
    struct Call {
        QString context, source;
        bool disambiguated;
    };
    mutable QVector<Call> calls;
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *source, const char *disambiguation, int) const override
    {
        calls.push_back({QString::fromUtf8(context), QString::fromUtf8(source), disambiguation && *disambiguation});
        return QString();
    }
};

} // namespace

class FormTest : public QObject
{
    Q_OBJECT

    QWidget window;
    Ui::PreferencesDialog ui;
    std::vector<Expanded> rows = expandedTree();

    QObject *object(const QString &name) const
    {
        if (name == window.objectName())
            return const_cast<QWidget *>(&window);
        return window.findChild<QObject *>(name);
    }
    QLayout *layout(const QString &name) const { return qobject_cast<QLayout *>(object(name)); }

    // The item that a "place" names, or null.
    QLayoutItem *placedItem(const Place &p, QString *why) const
    {
        QLayout *l = layout(p.layout);
        if (!l) {
            *why = "no layout " + p.layout;
            return nullptr;
        }
        QLayoutItem *item = l->itemAt(p.index);
        if (!item) {
            *why = QString("%1 has no item %2").arg(p.layout).arg(p.index);
            return nullptr;
        }
        if (p.row >= 0) {
            auto *grid = qobject_cast<QGridLayout *>(l);
            if (!grid) {
                *why = p.layout + " is not a grid";
                return nullptr;
            }
            int r, c, rs, cs;
            grid->getItemPosition(p.index, &r, &c, &rs, &cs);
            if (r != p.row || c != p.column || rs != p.rowSpan || cs != p.columnSpan) {
                *why = QString("item %1 of %2 is at (%3,%4) span %5x%6, expected (%7,%8) span %9x%10")
                           .arg(p.index).arg(p.layout).arg(r).arg(c).arg(rs).arg(cs)
                           .arg(p.row).arg(p.column).arg(p.rowSpan).arg(p.columnSpan);
                return nullptr;
            }
        }
        return item;
    }

    void checkLayout(QLayout *l, const Expanded &r, const QMap<QString, QString> &other)
    {
        const bool ofWidget = r.place.startsWith('^');
        const int defMargin = ofWidget ? 11 : 0;
        QList<int> margins = {defMargin, defMargin, defMargin, defMargin};
        if (other.contains("m")) {
            const QStringList m = other.value("m").split(',');
            QCOMPARE(m.size(), 4);
            const QStyle::PixelMetric metric[4] = {QStyle::PM_LayoutLeftMargin, QStyle::PM_LayoutTopMargin,
                                                   QStyle::PM_LayoutRightMargin, QStyle::PM_LayoutBottomMargin};
            for (int i = 0; i < 4; ++i) {
                margins[i] = m[i].toInt();
                if (margins[i] < 0) // the style's default
                    margins[i] = l->parentWidget()->style()->pixelMetric(metric[i], nullptr, l->parentWidget());
            }
        }
        const QMargins cm = l->contentsMargins();
        QCOMPARE((QList<int>{cm.left(), cm.top(), cm.right(), cm.bottom()}), margins);

        if (auto *grid = qobject_cast<QGridLayout *>(l)) {
            QCOMPARE(grid->horizontalSpacing(), other.value("hs", other.value("s", "6")).toInt());
            QCOMPARE(grid->verticalSpacing(), other.value("vs", other.value("s", "6")).toInt());
        } else {
            QCOMPARE(l->spacing(), other.value("s", "6").toInt());
        }
        if (auto *box = qobject_cast<QBoxLayout *>(l)) {
            QStringList want = other.value("stretch").split(',', Qt::SkipEmptyParts);
            QStringList have;
            for (int i = 0; i < box->count(); ++i) {
                have << QString::number(box->stretch(i));
                if (want.size() <= i)
                    want << "0";
            }
            QCOMPARE(have, want);
        }
        const QString constraint = other.value("sizeConstraint", "SetDefaultConstraint");
        QCOMPARE(int(l->sizeConstraint()),
                 QMetaEnum::fromType<QLayout::SizeConstraint>().keyToValue(constraint.toLatin1().constData()));
        QVERIFY(l->isEnabled());
    }

private slots:
    void initTestCase()
    {
        ui.setupUi(&window);
    }

    void tree_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < int(rows.size()); ++i) {
            const Expanded &r = rows[size_t(i)];
            const QString tag = r.name.isEmpty() ? "spacer in " + r.place : r.name;
            QTest::newRow(qPrintable(tag)) << i;
        }
    }

    void tree()
    {
        QFETCH(int, index);
        const Expanded &r = rows[size_t(index)];
        const QMap<QString, QString> other = parseTokens(r.other);

        if (r.cls == "spacer") {
            Place place;
            QVERIFY(parsePlace(r.place, &place));
            QString why;
            QLayoutItem *item = placedItem(place, &why);
            QVERIFY2(item, qPrintable(why));
            QSpacerItem *spacer = item->spacerItem();
            QVERIFY2(spacer, "not a spacer");
            QCOMPARE(spacer->sizeHint(), parseSize(other.value("hint")));
            const QStringList hv = r.policy.split('/');
            QCOMPARE(int(spacer->sizePolicy().horizontalPolicy()), int(policyByName(hv.value(0))));
            QCOMPARE(int(spacer->sizePolicy().verticalPolicy()), int(policyByName(hv.value(1))));
            return;
        }

        // Name (unique), class, parent.
        const QList<QObject *> named = window.findChildren<QObject *>(r.name);
        QObject *o = object(r.name);
        QVERIFY2(o, "no such object");
        QVERIFY2(named.size() <= 1, "object name not unique");
        QCOMPARE(QString::fromLatin1(o->metaObject()->className()), r.cls);
        QCOMPARE(o->parent() ? o->parent()->objectName() : QString(), r.parent);

        // Place.
        if (r.place.startsWith('^')) {
            auto *w = qobject_cast<QWidget *>(object(r.place.mid(1)));
            QVERIFY(w);
            QCOMPARE(static_cast<QObject *>(w->layout()), o);
        } else if (r.place.startsWith("stackedWidget#")) {
            QCOMPARE(static_cast<QObject *>(ui.stackedWidget->widget(r.place.mid(14).toInt())), o);
        } else if (r.place.startsWith("scroll:")) {
            auto *area = qobject_cast<QScrollArea *>(object(r.place.mid(7)));
            QVERIFY(area);
            QCOMPARE(static_cast<QObject *>(area->widget()), o);
        } else if (!r.place.isEmpty()) {
            Place place;
            QVERIFY(parsePlace(r.place, &place));
            QString why;
            QLayoutItem *item = placedItem(place, &why);
            QVERIFY2(item, qPrintable(why));
            QObject *placed = item->widget() ? static_cast<QObject *>(item->widget()) : item->layout();
            QCOMPARE(placed, o);
        }

        if (auto *l = qobject_cast<QLayout *>(o)) {
            checkLayout(l, r, other);
            return;
        }

        auto *w = qobject_cast<QWidget *>(o);
        QVERIFY(w);

        // Policy (stretch factors 0; height-for-width stays the class's own).
        std::unique_ptr<QWidget> plain = defaultWidget(r.cls);
        QVERIFY2(plain, "no default instance for the class");
        // A label with text and word wrap has height-for-width: the class's
        // own rule, applied when its text is laid out.
        if (other.value("wordWrap") == "true") {
            plain->setProperty("wordWrap", true);
            plain->setProperty("text", w->property("text"));
        }
        QSizePolicy expected = plain->sizePolicy();
        if (!r.policy.isEmpty()) {
            const QStringList hv = r.policy.split('/');
            expected.setHorizontalPolicy(policyByName(hv.value(0)));
            expected.setVerticalPolicy(policyByName(hv.value(1)));
            expected.setHorizontalStretch(0);
            expected.setVerticalStretch(0);
            // uic builds the policy from the two names, so the control type
            // is the default one; height-for-width is copied from the widget.
            expected.setControlType(QSizePolicy::DefaultType);
        }
        const QSizePolicy have = w->sizePolicy();
        QVERIFY2(have == expected,
                 qPrintable(QString("policy %1/%2 type %3 hfw %4, expected %5/%6 type %7 hfw %8")
                                .arg(have.horizontalPolicy()).arg(have.verticalPolicy())
                                .arg(have.controlType()).arg(have.hasHeightForWidth())
                                .arg(expected.horizontalPolicy()).arg(expected.verticalPolicy())
                                .arg(expected.controlType()).arg(expected.hasHeightForWidth())));

        // Range and the other properties, each against the row or the default.
        QMap<QString, QString> props = other;
        QStringList range = r.range.split(' ', Qt::SkipEmptyParts);
        if (!range.isEmpty()) {
            const QStringList bounds = range.takeFirst().split("..");
            QCOMPARE(bounds.size(), 2);
            props.insert("minimum", bounds[0]);
            props.insert("maximum", bounds[1]);
            const QMap<QString, QString> more = parseTokens(range.join(' '));
            for (auto it = more.cbegin(); it != more.cend(); ++it)
                props.insert(it.key(), it.value());
        }
        for (const char *name : kCheckedProperties) {
            const int pi = w->metaObject()->indexOfProperty(name);
            if (pi < 0)
                continue;
            // The window's own limits follow its fixed-size layout once it
            // acts; shown() checks them.
            if (w == &window && (qstrcmp(name, "minimumSize") == 0 || qstrcmp(name, "maximumSize") == 0))
                continue;
            const QMetaProperty p = w->metaObject()->property(pi);
            QVariant want;
            if (props.contains(name)) {
                bool ok = false;
                want = expectedValue(p, props.value(name), &ok);
                QVERIFY2(ok, qPrintable(QString("cannot read %1=%2").arg(name, props.value(name))));
            } else {
                want = comparable(plain.get(), p);
            }
            const QVariant have = comparable(w, p);
            QVERIFY2(have == want, qPrintable(QString("%1 is %2, expected %3")
                                                  .arg(name, have.toString(), want.toString())));
            props.remove(name);
        }

        // Text: a group box's title, the window's title, else the text.
        QString text;
        if (auto *g = qobject_cast<QGroupBox *>(w))
            text = g->title();
        else if (w == &window)
            text = w->windowTitle();
        else if (w->metaObject()->indexOfProperty("text") >= 0)
            text = w->property("text").toString();
        if (props.contains("rich")) {
            QVERIFY(Qt::mightBeRichText(text));
            QTextDocument doc;
            doc.setHtml(text);
            QCOMPARE(doc.toPlainText(), r.text);
            props.remove("rich");
        } else {
            QCOMPARE(text, r.text);
        }

        if (props.contains("pixmap")) {
            auto *label = qobject_cast<QLabel *>(w);
            QVERIFY(label && !label->pixmap(Qt::ReturnByValue).isNull());
            const QImage want(props.value("pixmap"));
            QVERIFY(!want.isNull());
            QCOMPARE(label->pixmap(Qt::ReturnByValue).toImage().convertToFormat(QImage::Format_RGB32),
                     want.convertToFormat(QImage::Format_RGB32));
            props.remove("pixmap");
        }
        if (props.contains("font")) {
            const QStringList f = props.value("font").split(',');
            QCOMPARE(w->font().family(), f.value(0));
            QCOMPARE(w->font().pointSize(), f.value(1).toInt());
            QCOMPARE(w->font().weight(), f.value(2).toInt());
            QVERIFY(w->font().bold());
            props.remove("font");
        } else if (w != &window) {
            QCOMPARE(w->font(), plain->font());
        }
        QVERIFY2(props.isEmpty(), qPrintable("unchecked tokens: " + props.keys().join(' ')));
    }

    // Nothing in the window that the tables do not list: every named widget
    // and layout is a row, and every layout holds exactly its rows' items.
    void nothingUnlisted()
    {
        QSet<QString> listed;
        QHash<QString, int> items;
        for (const Expanded &r : rows) {
            listed.insert(r.name);
            Place p;
            if (parsePlace(r.place, &p))
                ++items[p.layout];
        }
        for (QObject *o : window.findChildren<QObject *>()) {
            if (!qobject_cast<QWidget *>(o) && !qobject_cast<QLayout *>(o))
                continue;
            const QString name = o->objectName();
            // uic names everything it creates; unnamed objects and qt_* names
            // are the inner parts of Qt's own widgets.
            if (name.isEmpty() || name.startsWith("qt_"))
                continue;
            QVERIFY2(listed.contains(name), qPrintable("not in the tables: " + name + " (" +
                                                       o->metaObject()->className() + ")"));
        }
        for (auto it = items.cbegin(); it != items.cend(); ++it) {
            QLayout *l = layout(it.key());
            QVERIFY(l);
            QVERIFY2(l->count() == it.value(), qPrintable(QString("%1 holds %2 items, the tables %3")
                                                              .arg(it.key()).arg(l->count()).arg(it.value())));
        }
    }

    // The rows are in creation order: siblings appear among their parent's
    // children in table order. (Not the stack's pages: the stack raises its
    // current page, which moves it among the children; pages() checks them.)
    void creationOrder()
    {
        QHash<QObject *, int> lastIndex;
        for (const Expanded &r : rows) {
            if (r.cls == "spacer" || r.parent.isEmpty() || r.parent == "stackedWidget")
                continue;
            QObject *o = object(r.name);
            QVERIFY(o && o->parent());
            const int i = o->parent()->children().indexOf(o);
            QVERIFY2(i > lastIndex.value(o->parent(), -1), qPrintable(r.name + " created out of order"));
            lastIndex[o->parent()] = i;
        }
    }

    void window_frame()
    {
        QCOMPARE(window.objectName(), QString("PreferencesDialog"));
        QCOMPARE(window.size(), QSize(675, 674)); // before the layout first acts
        QCOMPARE(window.layout()->sizeConstraint(), QLayout::SetFixedSize);
    }

    void pages()
    {
        QCOMPARE(ui.listBox->count(), 5);
        QCOMPARE(ui.stackedWidget->count(), 5);
        QCOMPARE(ui.listBox->currentRow(), -1);
        QCOMPARE(ui.stackedWidget->currentIndex(), 0);
        QCOMPARE(ui.stackedWidget->currentWidget(), ui.GeneralPrefs);
        for (int i = 0; i < 5; ++i) {
            QListWidgetItem *item = ui.listBox->item(i);
            QCOMPARE(item->text(), QString(kPages[i].item));
            QCOMPARE(item->type(), int(QListWidgetItem::Type));
            QVERIFY(item->icon().isNull());
            QVERIFY(!item->data(Qt::UserRole).isValid());
            QCOMPARE(ui.stackedWidget->widget(i)->objectName(), QString(kPages[i].widget));
            auto *image = qobject_cast<QLabel *>(object(kPanels[i].image));
            QVERIFY(image && ui.stackedWidget->widget(i)->isAncestorOf(image));
            QCOMPARE(image->pixmap(Qt::ReturnByValue).toImage().convertToFormat(QImage::Format_RGB32),
                     QImage(kPages[i].image).convertToFormat(QImage::Format_RGB32));
        }
        QVERIFY(!ui.listBox->isSortingEnabled());
    }

    void headings_data()
    {
        QTest::addColumn<int>("page");
        for (int i = 0; i < 5; ++i)
            QTest::newRow(kPanels[i].page) << i;
    }

    void headings()
    {
        QFETCH(int, page);
        const Panel &p = kPanels[page];
        const QString html = object(p.heading)->property("text").toString();
        QVERIFY(html.startsWith("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\""));
        QVERIFY(html.contains("<meta name=\"qrichtext\" content=\"1\" />"));
        QVERIFY(html.contains("p, li { white-space: pre-wrap; }"));
        const QString base = qstrcmp(p.base, "shell") == 0
                                 ? "font-family:'MS Shell Dlg 2'; font-size:8.25pt; font-weight:400; font-style:normal;"
                                 : "font-family:'Lucida Grande'; font-size:13pt; font-weight:400; font-style:normal;";
        QVERIFY2(html.contains("<body style=\" " + base + "\">"), qPrintable(html));

        QTextDocument doc;
        doc.setHtml(html);
        QCOMPARE(doc.blockCount(), 1);
        const QTextBlock block = doc.firstBlock();
        const QTextBlockFormat bf = block.blockFormat();
        QCOMPARE(bf.topMargin(), 0.0);
        QCOMPARE(bf.bottomMargin(), 0.0);
        QCOMPARE(bf.leftMargin(), 0.0);
        QCOMPARE(bf.rightMargin(), 0.0);
        QCOMPARE(bf.indent(), 0);
        QCOMPARE(bf.textIndent(), 0.0);
        int fragments = 0;
        for (auto it = block.begin(); !it.atEnd(); ++it, ++fragments) {
            const QTextCharFormat cf = it.fragment().charFormat();
            QCOMPARE(it.fragment().text(), QString(p.headingText));
            QCOMPARE(cf.fontFamily(), QString("Lucida Grande"));
            QCOMPARE(cf.fontPointSize(), 13.0);
            QCOMPARE(cf.fontWeight(), 600 / 8); // CSS weight 600 in Qt's 0-99 scale
        }
        QCOMPARE(fragments, 1);
    }

    void tabOrder()
    {
        // The tab-focusable widgets of the tables, in focus-chain order from
        // the page list, follow creation order; the button row ends it, in
        // the order OK, Cancel, Apply.
        QStringList listed;
        QSet<QString> names;
        for (const Expanded &r : rows) {
            auto *w = qobject_cast<QWidget *>(object(r.name));
            if (w && w != &window && (w->focusPolicy() & Qt::TabFocus)) {
                listed << r.name;
                names.insert(r.name);
            }
        }
        QStringList chain;
        QWidget *w = ui.listBox;
        do {
            if (names.contains(w->objectName()) && !chain.contains(w->objectName()))
                chain << w->objectName();
            w = w->nextInFocusChain();
        } while (w != ui.listBox);
        QCOMPARE(chain, listed);

        auto next = [&](QWidget *from) {
            QWidget *n = from->nextInFocusChain();
            while (!names.contains(n->objectName()))
                n = n->nextInFocusChain();
            return n;
        };
        QCOMPARE(next(ui.okButton), ui.cancelButton);
        QCOMPARE(next(ui.cancelButton), ui.applyButton);
        QCOMPARE(next(ui.videoOutputMethodComboBox), ui.deinterlacingMethodComboBox);
        QCOMPARE(next(ui.deinterlacingMethodComboBox), ui.hardwareDecodingDisabledCheckBox);
    }

    void controls()
    {
        QCOMPARE(ui.subtitleFrameRateComboBox->currentIndex(), -1);
        QVERIFY(ui.subtitleFrameRateComboBox->isEditable());
        QCOMPARE(ui.deblockingSlider->value(), 4);
        QCOMPARE(ui.deblockingSlider->minimum(), 0);
        QCOMPARE(ui.deblockingSlider->maximum(), 4);
        QCOMPARE(ui.deblockingSlider->pageStep(), 1);
        QCOMPARE(ui.deblockingSlider->singleStep(), 1);
        for (QSlider *s : {ui.brightnessSlider, ui.contrastSlider, ui.saturationSlider}) {
            QCOMPARE(s->minimum(), -127);
            QCOMPARE(s->maximum(), 128);
            QCOMPARE(s->pageStep(), 16);
            QCOMPARE(s->value(), 0);
            s->setValue(-128);
            QCOMPARE(s->value(), -127);
            s->setValue(129);
            QCOMPARE(s->value(), 128);
            s->setValue(0);
        }
        QCOMPARE(ui.subtitleDelaySpinBox->minimum(), -10000);
        QCOMPARE(ui.subtitleDelaySpinBox->maximum(), 10000);
        QVERIFY(ui.subtitleDelaySpinBox->isAccelerated());
        QVERIFY(!ui.applyButton->isEnabled());
        QVERIFY(ui.okButton->isDefault());
        QVERIFY(!ui.cancelButton->isDefault() && !ui.applyButton->isDefault());
        QVERIFY(ui.openInZelkMoviesRadioButton->isChecked());
        QVERIFY(ui.resumePlaybackCheckBox->isChecked());
        QVERIFY(!ui.zelkMoviesEdit->isEnabled() && ui.customDirEdit->isEnabled());
    }

    // Every text comes through the translator with context
    // "PreferencesDialog", the English text as source and no comment.
    void translation()
    {
        RecordingTranslator recorder;
        QVERIFY(QCoreApplication::installTranslator(&recorder));
        QCoreApplication::processEvents(); // Qt's own look-ups on a new translator
        recorder.calls.clear();
        QWidget w;
        Ui::PreferencesDialog form;
        form.setupUi(&w);
        QCoreApplication::removeTranslator(&recorder);

        QStringList sources;
        for (const RecordingTranslator::Call &c : recorder.calls) {
            QCOMPARE(c.context, QString("PreferencesDialog"));
            QVERIFY(!c.disambiguated);
            sources << c.source;
        }
        // Every non-empty text of the tables, in table order, after the window
        // title and the five list rows.
        QStringList expected = {"Preferences"};
        for (const Page &p : kPages)
            expected << p.item;
        for (const Expanded &r : rows) {
            if (r.name == "PreferencesDialog" || r.text.isEmpty())
                continue;
            expected << (r.other.contains("rich=") ? object(r.name)->property("text").toString() : r.text);
        }
        QCOMPARE(sources, expected);
    }

    // the five title images.
    void titleImages_data()
    {
        QTest::addColumn<QString>("path");
        for (const Page &p : kPages)
            QTest::newRow(p.image) << QString(p.image);
    }

    void titleImages()
    {
        QFETCH(QString, path);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray png = f.readAll();
        QVERIFY(png.startsWith("\x89PNG\r\n\x1a\n"));
        QCOMPARE(png.mid(12, 4), QByteArray("IHDR"));
        auto be32 = [&](int at) {
            return (uchar(png[at]) << 24) | (uchar(png[at + 1]) << 16) | (uchar(png[at + 2]) << 8) | uchar(png[at + 3]);
        };
        QCOMPARE(be32(16), 46u);
        QCOMPARE(be32(20), 46u);
        QCOMPARE(int(uchar(png[24])), 8); // bit depth
        QCOMPARE(int(uchar(png[25])), 2); // colour type: RGB, no alpha

        const QImage image(path);
        QCOMPARE(image.size(), QSize(46, 46));
        QVERIFY(!image.hasAlphaChannel());

        QResource resource(path);
        QVERIFY(resource.isValid());
        QCOMPARE(resource.compressionAlgorithm(), QResource::NoCompression);
        // Format version 1 stores no modification time.
        QVERIFY(!resource.lastModified().isValid());
        // No locale restriction: found under any locale.
        QVERIFY(QResource(path, QLocale(QLocale::French, QLocale::France)).isValid());

        // The 2x artwork for scaled screens: the same drawing at twice the
        // resolution, so reduced to 46x46 it is close to the image itself.
        const QImage twice(path + "@2x");
        QCOMPARE(twice.size(), QSize(92, 92));
        QVERIFY(!twice.hasAlphaChannel());
        QVERIFY(QResource(path + "@2x").isValid());
        const QImage reduced = twice.scaled(46, 46, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                   .convertToFormat(QImage::Format_RGB32);
        const QImage original = image.convertToFormat(QImage::Format_RGB32);
        qint64 difference = 0;
        for (int y = 0; y < 46; ++y) {
            for (int x = 0; x < 46; ++x) {
                const QRgb a = reduced.pixel(x, y), b = original.pixel(x, y);
                difference += qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b));
            }
        }
        QVERIFY2(difference / (46 * 46 * 3) < 8, qPrintable(QString::number(difference / (46 * 46 * 3))));
    }

    void titleDirectory()
    {
        QCOMPARE(QDir(":/Titles").entryList(),
                 (QStringList{"Advanced", "Advanced@2x", "General", "General@2x", "Playback", "Playback@2x",
                              "Subtitle", "Subtitle@2x", "Video", "Video@2x"}));
    }

    // Shown: the fixed-size window takes its layout's size hint and keeps it;
    // each title image is drawn unscaled at 46x46 inside its 48x48 box.
    void shown()
    {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QApplication::processEvents();
        const QSize fixed = window.size();
        QCOMPARE(window.minimumSize(), fixed);
        QCOMPARE(window.maximumSize(), fixed);
        QCOMPARE(fixed, window.layout()->totalSizeHint());
        window.resize(fixed + QSize(50, 50));
        QCOMPARE(window.size(), fixed);
        QVERIFY(ui.listBox->width() <= 190);

        for (int i = 0; i < 5; ++i) {
            ui.stackedWidget->setCurrentIndex(i);
            QApplication::processEvents();
            auto *label = qobject_cast<QLabel *>(object(kPanels[i].image));
            QCOMPARE(label->size(), QSize(48, 48));
            QCOMPARE(label->contentsRect(), QRect(1, 1, 46, 46));
            const QImage shot = label->grab().toImage().convertToFormat(QImage::Format_RGB32);
            QCOMPARE(shot.copy(1, 1, 46, 46), QImage(kPages[i].image).convertToFormat(QImage::Format_RGB32));
        }
        ui.stackedWidget->setCurrentIndex(0);
    }
};

QTEST_MAIN(FormTest)
#include "tst_form.moc"
