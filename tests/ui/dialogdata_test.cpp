#include "ui/dialogdata.h"

#include <gtest/gtest.h>

#include <string>

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

}  // namespace
}  // namespace zn::ui
