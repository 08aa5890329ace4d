#pragma once
// What the start (splash) dialog, the about dialog and the key settings dialog show, for both
// front ends: the program's title and version, the authors' details and addresses, the
// dialogs' captions, client sizes and the rectangle of each control, and the artwork's file
// names. In client pixels; each front end draws the controls its own way at these places.
#include <array>
#include <string>
#include <string_view>

#include "controls/controls.h"
#include "skin/skinplan.h"

namespace zn::ui {

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

inline constexpr std::string_view kProgramTitle = "Zorpy Nibbo (Korvent, Plimquad) Simulator";
inline constexpr std::string_view kVersionLine = "Version 5.00 * Final *";

namespace author {
inline constexpr std::string_view kName = "Zorpy Nibbo Simulator team";
inline constexpr std::string_view kBirthplace = "A shared Git repository";
inline constexpr std::string_view kBirthdate = "Spring 2017";
inline constexpr std::string_view kOccupation = "Simulator builders";
inline constexpr std::string_view kHobby = "Collecting LCD handhelds";
inline constexpr std::string_view kWebsiteText = "zorpy-nibbo.example.org";
inline constexpr std::string_view kWebsiteUrl = "https://zorpy-nibbo.example.org/";
inline constexpr std::string_view kDonateUrl = "https://zorpy-nibbo.example.org/donate";
inline constexpr std::string_view kEmail = "zorpy-nibbo@example.org";
inline constexpr std::string_view kMailtoUrl = "mailto:zorpy-nibbo@example.org";
inline constexpr std::string_view kReleaseLine =
    "Released on 4 December 2017 by the Zorpy Nibbo Simulator team";
}  // namespace author

// The dialogs' pictures, painted by the artwork generator into kDialogFolder of the game
// folder, and the application icon beside the game.
namespace art {
inline constexpr std::string_view kDialogFolder = "Graphics/Dialogs";
inline constexpr std::string_view kSplashBackground = "splash_background.png";
inline constexpr std::string_view kSplashBox = "splash_box.jpg";
inline constexpr std::string_view kSplashPlay = "splash_play.png";
inline constexpr std::string_view kSplashPlayDisabled = "splash_play_disabled.png";
inline constexpr std::string_view kSplashDonate = "splash_donate.png";
inline constexpr std::string_view kAboutPortrait = "about_portrait.png";

// The file of a picture's partner painted at twice the size for high-density screens: the
// skins' rule for their double-size partners.
inline std::string hiDpiPartner(std::string_view file) { return skin::hiResPartnerPath(file); }
}  // namespace art

// TSplashForm: a navy band with the title and version over the device's box, the release
// line and the links on white, the sound output's list, the play and donate buttons, and the
// check box on a navy band at the bottom.
namespace splash {
inline constexpr std::string_view kCaption = "About this game...";
inline constexpr int kWidth = 460, kHeight = 420;
inline constexpr Rect kTopBand{0, 0, 460, 52};  // beneath the background picture, in case it is missing
inline constexpr Rect kBottomBand{0, 386, 460, 34};
inline constexpr Rect kBackground{0, 0, 460, 420};
inline constexpr Rect kBoxPicture{0, 56, 460, 160};
inline constexpr Rect kTitle{0, 12, 460, 15};
inline constexpr Rect kVersion{0, 28, 460, 15};
inline constexpr Rect kReleaseLine{0, 236, 460, 15};
inline constexpr Rect kWebsiteLabel{118, 259, 56, 15};
inline constexpr Rect kWebsite{174, 259, 168, 15};
inline constexpr Rect kEmailLabel{118, 282, 56, 15};
inline constexpr Rect kEmail{174, 282, 168, 15};
// The label shares the list's text line: each front end moves it onto the list's baseline.
inline constexpr Rect kSoundLabel{98, 308, 116, 15};
inline constexpr Rect kSoundList{217, 308, 144, 21};
inline constexpr Rect kPlay{116, 340, 107, 30};  // btn_play and its greyed twin btn_play_disabled
inline constexpr Rect kDonate{237, 340, 107, 30};
inline constexpr Rect kCheckBox{12, 391, 444, 17};
inline constexpr std::string_view kWebsiteCaption = "website:";
inline constexpr std::string_view kEmailCaption = "email:";
inline constexpr std::string_view kSoundCaption = "Select sound driver:";
inline constexpr std::string_view kPlayCaption = "PLAY";
inline constexpr std::string_view kDonateCaption = "DONATE";
inline constexpr std::string_view kPlayDisabledHint = "please select sound driver first";
inline constexpr std::string_view kCheckBoxCaption = "Display this splash screen at startup";
}  // namespace splash

// TAboutForm: the portrait at the left, seven rows of a caption and a value beside it; the
// hobby in italics, the website and the e-mail address as links.
namespace about {
inline constexpr std::string_view kCaption = "About the author...";
inline constexpr int kWidth = 397, kHeight = 176;
inline constexpr Rect kPortrait{8, 8, 116, 160};

struct Row {
    std::string_view caption;
    std::string_view value;
    std::string_view url;  // "" for a plain value
    bool italic;
};
inline constexpr int kHobbyRow = 4;
inline constexpr int kWebsiteRow = 5;
inline constexpr int kEmailRow = 6;
inline constexpr std::array<Row, 7> kRows = {{
    {"Name:", author::kName, "", false},
    {"Birthplace:", author::kBirthplace, "", false},
    {"Birth date:", author::kBirthdate, "", false},
    {"Occupation:", author::kOccupation, "", false},
    {"Hobby:", author::kHobby, "", true},
    {"Website:", author::kWebsiteText, author::kWebsiteUrl, false},
    {"Email:", author::kEmail, author::kMailtoUrl, false},
}};
// Row r's caption and value, 24 pixels apart.
constexpr Rect captionRect(int r) { return {132, 8 + 24 * r, 76, 16}; }
constexpr Rect valueRect(int r) { return {212, 8 + 24 * r, 181, 16}; }
}  // namespace about

// TKeysForm: two underlined headings, a label and a drop-down list for each control in
// binding order (the main operations at the left, the game controls at the right), and the
// accept button at the bottom.
namespace keys {
inline constexpr std::string_view kCaption = "Key settings";
inline constexpr int kWidth = 448, kHeight = 195;

struct Label {
    std::string_view caption;
    Rect rect;
    bool alignRight;
};
inline constexpr Label kMainHeading{"Main operations", {8, 8, 104, 13}, false};
inline constexpr Label kControlsHeading{"Game controls", {336, 8, 104, 13}, true};

struct Row {
    Label label;
    Rect list;
};
// Row i - 1 for control i.
inline constexpr std::array<Row, kBindingCount> kRows = {{
    {{"Power On/Off", {136, 33, 72, 14}, false}, {8, 29, 120, 21}},
    {{"Game Select 1-4", {136, 65, 97, 14}, false}, {8, 61, 120, 21}},
    {{"Start", {136, 97, 72, 14}, false}, {8, 93, 120, 21}},
    {{"Up", {216, 33, 96, 14}, true}, {320, 29, 120, 21}},
    {{"Left", {216, 65, 96, 14}, true}, {320, 61, 120, 21}},
    {{"Right", {216, 97, 96, 14}, true}, {320, 93, 120, 21}},
    {{"Down", {216, 129, 96, 14}, true}, {320, 125, 120, 21}},
}};
inline constexpr std::string_view kAcceptCaption = "- ACCEPT -";
inline constexpr Rect kAccept{183, 162, 82, 25};
}  // namespace keys

// What the page alone says: the hint of its first touch visit, and the skin panel's words for a
// folder that holds no skin. A hint shows for kHintSeconds, then goes by itself.
namespace page {
inline constexpr int kHintSeconds = 4;
inline constexpr std::string_view kLongPressHint =
    "Tip: a long press on the screen away from the device's controls opens the menu.";
inline constexpr std::string_view kNoSkinHead = "No skin in this folder";
inline constexpr std::string_view kNoSkinLine =
    "The folder holds no Config.ini, so it holds no skin. The current skin stays.";
// The start dialog's sound outputs on the page, in list order (the position is what the page's
// sound takes). soundMode is the stored SoundMode, which keeps the desktop's meaning (0 a sound
// output, 2 "(no sound)"), so the settings' range rule reads it unchanged.
struct SoundOutput {
    std::string_view caption;
    int soundMode;
};
inline constexpr std::array<SoundOutput, 2> kSoundOutputs = {{{"Web Audio", 0}, {"(no sound)", 2}}};

// The skin panel's words. A line about a Config.ini begins with its path, a line about an
// unreadable folder ends with the browser's reason. A skin is a few hundred files: a folder of
// more than kSkinMaxFiles is not read further.
inline constexpr int kSkinMaxFiles = 5000;
inline constexpr std::string_view kSkinDropHint = "Drop a skin folder (with its Config.ini) to play it";
inline constexpr std::string_view kSkinChoose = "Load a skin...";
inline constexpr std::string_view kSkinDefault = "Default skin";
inline constexpr std::string_view kSkinClose = "Close";
inline constexpr std::string_view kSkinProblems = "Problems...";
inline constexpr std::string_view kSkinReading = "Reading the skin...";
inline constexpr std::string_view kSkinNotLoaded = ": no skin loaded";
inline constexpr std::string_view kSkinNotShown = ": the skin cannot be shown";
inline constexpr std::string_view kSkinTooManyBefore = "the folder holds more than ";  // kSkinMaxFiles
inline constexpr std::string_view kSkinTooManyAfter = " files; the files after these were not read";
inline constexpr std::string_view kSkinUnreadableHead = "No skin loaded";
inline constexpr std::string_view kSkinUnreadableLine = "The folder cannot be read: ";

// What the page says, for kStorageNoticeSeconds, where the browser keeps no settings.
inline constexpr int kStorageNoticeSeconds = 12;
inline constexpr std::string_view kStorageNotice =
    "This browser does not let the page store its settings. The game goes on with the choices you make, but "
    "they will not be kept after this visit.";
}  // namespace page

}  // namespace zn::ui
