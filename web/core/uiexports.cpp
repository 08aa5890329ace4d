// The functions zn.wasm exports for the page's menus and dialogs: the menu registry's items
// for the page's set with their check marks and enabled states, the game menu's geometry, and
// what the start, about and key settings dialogs show, and the sample files the page fetches
// (ui/menuregistry.h, ui/dialogdata.h, ui/samplefiles.h).
#include <algorithm>
#include <string_view>

#include "ui/dialogdata.h"
#include "ui/menuregistry.h"
#include "ui/samplefiles.h"
#include "web/core/bridge.h"
#include "web/core/jsontext.h"

namespace {

using zn::web::JsonText;
namespace ui = zn::ui;

void rect(JsonText& j, std::string_view name, const ui::Rect& r) {
    j.key(name).beginArray().value(r.left).value(r.top).value(r.width).value(r.height).endArray();
}

void texts(JsonText& j, std::initializer_list<std::pair<std::string_view, std::string_view>> pairs) {
    for (const auto& [k, v] : pairs) j.key(k).value(v);
}

std::string menuJson(ui::MenuHostKind host, const ui::MenuState& state) {
    JsonText j;
    j.beginArray();
    for (const ui::MenuItem& item : ui::menuItems(host)) {
        const bool checked = ui::menuItemChecked(item, state);
        j.beginObject();
        texts(j, {{"id", item.id},
                  {"caption", item.caption},
                  {"shortcut", item.shortcut},
                  {"document", item.document}});
        j.key("separator").value(ui::isSeparator(item)).key("isDefault").value(ui::isDefaultItem(item));
        j.key("checkable").value(item.checkable).key("checked").value(checked);
        j.key("enabled").value(ui::menuItemEnabled(item, state));
        j.key("slider").value(item.slider).key("inGameMenu").value(ui::inGameMenu(item));
        if (item.slider) {
            const ui::SliderRange r = ui::sliderRange(item);
            j.key("setting").value(r.setting).key("low").value(r.low).key("high").value(r.high).key("step").value(r.step);
        }
        j.key("row").value(ui::isSeparator(item) ? std::string()
                                                 : ui::gamemenu::rowText(item.caption, checked));
        j.endObject();
    }
    j.endArray();
    return j.text();
}

std::string gameMenuJson() {
    namespace g = ui::gamemenu;
    JsonText j;
    j.beginObject();
    j.key("rowHeight").value(g::kRowHeight).key("openWidth").value(g::kOpenWidth);
    j.key("closedWidth").value(g::kClosedWidth).key("closedHeight").value(g::kClosedHeight);
    j.key("captionRowHeight").value(g::kCaptionRowHeight).key("panelAlpha").value(g::kPanelAlpha);
    const auto items = ui::menuItems(ui::MenuHostKind::Page);
    j.key("openHeight").value(g::openHeight(static_cast<int>(std::count_if(items.begin(), items.end(), ui::inGameMenu))));
    j.key("iconBarLeft").value(g::kIconBarLeft).key("iconBarWidth").value(g::kIconBarWidth);
    j.key("iconBarTops").beginArray();
    for (int top : g::kIconBarTops) j.value(top);
    j.endArray();
    j.key("caption").value(g::kCaption);
    rect(j, "captionBox", {g::kCaptionLeft, g::kCaptionTop, g::kCaptionWidth, g::kCaptionHeight});
    j.endObject();
    return j.text();
}

std::string dialogsJson() {
    JsonText j;
    j.beginObject();
    texts(j, {{"title", ui::kProgramTitle}, {"version", ui::kVersionLine}});
    j.key("author").beginObject();
    texts(j, {{"websiteText", ui::author::kWebsiteText},
              {"websiteUrl", ui::author::kWebsiteUrl},
              {"donateUrl", ui::author::kDonateUrl},
              {"email", ui::author::kEmail},
              {"mailtoUrl", ui::author::kMailtoUrl},
              {"releaseLine", ui::author::kReleaseLine}});
    j.endObject();
    // Each picture as its file and its high-density partner's.
    j.key("art").beginObject();
    j.key("folder").value(ui::art::kDialogFolder);
    for (const auto& [name, file] : {std::pair{"splashBackground", ui::art::kSplashBackground},
                                     std::pair{"splashBox", ui::art::kSplashBox},
                                     std::pair{"splashPlay", ui::art::kSplashPlay},
                                     std::pair{"splashPlayDisabled", ui::art::kSplashPlayDisabled},
                                     std::pair{"splashDonate", ui::art::kSplashDonate},
                                     std::pair{"aboutPortrait", ui::art::kAboutPortrait}}) {
        j.key(name).beginObject().key("file").value(file).key("hiDpi").value(ui::art::hiDpiPartner(file));
        j.endObject();
    }
    j.endObject();

    namespace s = ui::splash;
    j.key("splash").beginObject();
    texts(j, {{"caption", s::kCaption},
              {"websiteCaption", s::kWebsiteCaption},
              {"emailCaption", s::kEmailCaption},
              {"soundCaption", s::kSoundCaption},
              {"playCaption", s::kPlayCaption},
              {"donateCaption", s::kDonateCaption},
              {"playDisabledHint", s::kPlayDisabledHint},
              {"checkBoxCaption", s::kCheckBoxCaption}});
    j.key("width").value(s::kWidth).key("height").value(s::kHeight);
    rect(j, "topBand", s::kTopBand);
    rect(j, "bottomBand", s::kBottomBand);
    rect(j, "background", s::kBackground);
    rect(j, "boxPicture", s::kBoxPicture);
    rect(j, "title", s::kTitle);
    rect(j, "version", s::kVersion);
    rect(j, "releaseLine", s::kReleaseLine);
    rect(j, "websiteLabel", s::kWebsiteLabel);
    rect(j, "website", s::kWebsite);
    rect(j, "emailLabel", s::kEmailLabel);
    rect(j, "email", s::kEmail);
    rect(j, "soundLabel", s::kSoundLabel);
    rect(j, "soundList", s::kSoundList);
    rect(j, "play", s::kPlay);
    rect(j, "donate", s::kDonate);
    rect(j, "checkBox", s::kCheckBox);
    j.endObject();

    namespace p = ui::page;
    j.key("page").beginObject();
    texts(j, {{"longPressHint", p::kLongPressHint}, {"noSkinHead", p::kNoSkinHead}, {"noSkinLine", p::kNoSkinLine}});
    j.key("hintSeconds").value(p::kHintSeconds);
    j.key("skinMaxFiles").value(p::kSkinMaxFiles).key("storageNoticeSeconds").value(p::kStorageNoticeSeconds);
    texts(j, {{"skinDropHint", p::kSkinDropHint}, {"skinChoose", p::kSkinChoose}, {"skinDefault", p::kSkinDefault},
              {"skinClose", p::kSkinClose}, {"skinProblems", p::kSkinProblems}, {"skinReading", p::kSkinReading},
              {"skinNotLoaded", p::kSkinNotLoaded}, {"skinNotShown", p::kSkinNotShown},
              {"skinUnreadableHead", p::kSkinUnreadableHead},
              {"skinUnreadableLine", p::kSkinUnreadableLine}, {"storageNotice", p::kStorageNotice}});
    j.key("skinTooManyFiles")
        .value(std::string(p::kSkinTooManyBefore) + std::to_string(p::kSkinMaxFiles) + std::string(p::kSkinTooManyAfter));
    j.key("soundOutputs").beginArray();
    for (const p::SoundOutput& o : p::kSoundOutputs)
        j.beginObject().key("caption").value(o.caption).key("soundMode").value(o.soundMode).endObject();
    j.endArray().endObject();

    namespace a = ui::about;
    j.key("about").beginObject();
    j.key("caption").value(a::kCaption).key("width").value(a::kWidth).key("height").value(a::kHeight);
    rect(j, "portrait", a::kPortrait);
    j.key("rows").beginArray();
    for (int r = 0; r < static_cast<int>(a::kRows.size()); ++r) {
        const a::Row& row = a::kRows[static_cast<std::size_t>(r)];
        j.beginObject();
        texts(j, {{"caption", row.caption}, {"value", row.value}, {"url", row.url}});
        j.key("italic").value(row.italic);
        rect(j, "captionRect", a::captionRect(r));
        rect(j, "valueRect", a::valueRect(r));
        j.endObject();
    }
    j.endArray().endObject();

    namespace k = ui::keys;
    auto label = [&j](std::string_view name, const k::Label& l) {
        j.key(name).beginObject().key("caption").value(l.caption).key("alignRight").value(l.alignRight);
        rect(j, "rect", l.rect);
        j.endObject();
    };
    j.key("keys").beginObject();
    j.key("caption").value(k::kCaption).key("width").value(k::kWidth).key("height").value(k::kHeight);
    label("mainHeading", k::kMainHeading);
    label("controlsHeading", k::kControlsHeading);
    j.key("rows").beginArray();
    for (const k::Row& row : k::kRows) {
        j.beginObject();
        label("label", row.label);
        rect(j, "list", row.list);
        j.endObject();
    }
    j.endArray();
    j.key("acceptCaption").value(k::kAcceptCaption);
    rect(j, "accept", k::kAccept);
    j.endObject();
    j.endObject();
    return j.text();
}

}  // namespace

using zn::web::bridge::setOutput;


// The page's menu items, their check marks from the page's state (each argument 0 or 1).
ZN_EXPORT(zn_menu_items) int zn_menu_items(int fullscreen, int overlays, int splashScreen, int vibrate) {
    return setOutput(
        menuJson(ui::MenuHostKind::Page, {fullscreen != 0, overlays != 0, splashScreen != 0, vibrate != 0}));
}
ZN_EXPORT(zn_game_menu_look) int zn_game_menu_look() { return setOutput(gameMenuJson()); }
ZN_EXPORT(zn_dialog_data) int zn_dialog_data() { return setOutput(dialogsJson()); }
// The sample files, in the engine's Sample order.
ZN_EXPORT(zn_sample_files) int zn_sample_files() {
    JsonText j;
    j.beginArray();
    for (const char* file : zn::kSampleFiles) j.value(file);
    j.endArray();
    return setOutput(j.text());
}
