#include "ui/dialogdata.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace zn::ui {
namespace {

bool inside(const Rect& r, int width, int height) {
    return r.left >= 0 && r.top >= 0 && r.width > 0 && r.height > 0 && r.left + r.width <= width &&
           r.top + r.height <= height;
}

TEST(DialogData, EveryControlLiesInsideItsDialog) {
    const std::pair<const char*, Rect> splashRects[] = {
        {"top band", splash::kTopBand},      {"bottom band", splash::kBottomBand},
        {"background", splash::kBackground}, {"box", splash::kBoxPicture},
        {"title", splash::kTitle},           {"version", splash::kVersion},
        {"release", splash::kReleaseLine},   {"website label", splash::kWebsiteLabel},
        {"website", splash::kWebsite},       {"email label", splash::kEmailLabel},
        {"email", splash::kEmail},           {"sound label", splash::kSoundLabel},
        {"sound list", splash::kSoundList},  {"play", splash::kPlay},
        {"donate", splash::kDonate},         {"check box", splash::kCheckBox},
    };
    for (const auto& [name, r] : splashRects) EXPECT_TRUE(inside(r, splash::kWidth, splash::kHeight)) << name;
    // The sound list's label shares its text line, left of it.
    EXPECT_EQ(splash::kSoundLabel.top, splash::kSoundList.top);
    EXPECT_LE(splash::kSoundLabel.left + splash::kSoundLabel.width, splash::kSoundList.left);

    EXPECT_TRUE(inside(about::kPortrait, about::kWidth, about::kHeight));
    for (int r = 0; r < static_cast<int>(about::kRows.size()); ++r) {
        EXPECT_TRUE(inside(about::captionRect(r), about::kWidth, about::kHeight)) << r;
        EXPECT_TRUE(inside(about::valueRect(r), about::kWidth, about::kHeight)) << r;
        EXPECT_LE(about::captionRect(r).left + about::captionRect(r).width, about::valueRect(r).left) << r;
    }
}

TEST(DialogData, OnlyTheWebsiteAndEmailRowsAreLinksToTheAuthorsAddresses) {
    for (int r = 0; r < static_cast<int>(about::kRows.size()); ++r) {
        const about::Row& row = about::kRows[static_cast<std::size_t>(r)];
        SCOPED_TRACE(std::string(row.caption));
        const std::string_view url = r == about::kWebsiteRow ? author::kWebsiteUrl
                                     : r == about::kEmailRow ? author::kMailtoUrl
                                                             : std::string_view();
        EXPECT_EQ(row.url, url);
        EXPECT_EQ(row.italic, r == about::kHobbyRow);
    }
    EXPECT_EQ(author::kMailtoUrl, "mailto:" + std::string(author::kEmail));
    EXPECT_EQ(author::kWebsiteUrl, "https://" + std::string(author::kWebsiteText) + "/");
}

bool overlap(const Rect& a, const Rect& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

// Every label, list and the accept button of the key settings dialog lies inside it; no list
// covers another control (two labels' boxes may cross, their texts end short of each other);
// each control's label stands on its list's text line, beside it on the side it aligns to.
TEST(DialogData, KeySettingsControlsLieInsideTheDialogAndTheListsApart) {
    std::vector<std::pair<std::string, Rect>> labels = {{"main heading", keys::kMainHeading.rect},
                                                        {"controls heading", keys::kControlsHeading.rect},
                                                        {"accept", keys::kAccept}};
    std::vector<std::pair<std::string, Rect>> lists;
    for (const keys::Row& row : keys::kRows) {
        const std::string name(row.label.caption);
        labels.push_back({name + " label", row.label.rect});
        lists.push_back({name + " list", row.list});
        EXPECT_EQ(row.label.rect.top, row.list.top + 4) << name;
        const bool labelRightOfList = row.label.rect.left >= row.list.left + row.list.width;
        const bool labelLeftOfList = row.label.rect.left + row.label.rect.width <= row.list.left;
        EXPECT_TRUE(row.label.alignRight ? labelLeftOfList : labelRightOfList) << name;
    }
    for (const auto& [name, r] : labels) EXPECT_TRUE(inside(r, keys::kWidth, keys::kHeight)) << name;
    for (std::size_t a = 0; a < lists.size(); ++a) {
        EXPECT_TRUE(inside(lists[a].second, keys::kWidth, keys::kHeight)) << lists[a].first;
        for (std::size_t b = a + 1; b < lists.size(); ++b)
            EXPECT_FALSE(overlap(lists[a].second, lists[b].second)) << lists[a].first << " / " << lists[b].first;
        for (const auto& [name, r] : labels)
            EXPECT_FALSE(overlap(lists[a].second, r)) << lists[a].first << " / " << name;
    }
}

}  // namespace
}  // namespace zn::ui
