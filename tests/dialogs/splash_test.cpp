#include "shell/splash.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include "shell/appsettings.h"
#include "testsupport.h"

namespace zn {
namespace {

// The main window as the splash sees it; records every call in order.
struct FakeSplashHost : SplashHost {
    AppSettings& App_Settings() override { return settings; }
    bool startSound(const QString& driverText) override {
        calls << QStringLiteral("startSound ") + driverText;
        return soundStarts;
    }
    void centreWindow() override { calls << QStringLiteral("centreWindow"); }
    void showSwitchedOff() override { calls << QStringLiteral("showSwitchedOff"); }
    void clearSplashPending() override { calls << QStringLiteral("clearSplashPending"); }
    void quitApplication() override { calls << QStringLiteral("quitApplication"); }

    AppSettings settings;
    bool soundStarts = true;
    QStringList calls;
};

class SplashFormTest : public ::testing::Test {
protected:
    void SetUp() override { test::clearStore(); }
};

TEST_F(SplashFormTest, FirstStartShowsNoDriverWithPlayGreyedAndEnterDoingNothing) {
    FakeSplashHost host;
    TSplashForm form(host);
    form.show();
    EXPECT_EQ(form.cb_sound()->currentIndex(), -1);
    EXPECT_FALSE(form.btn_play()->isEnabled());
    EXPECT_FALSE(form.btn_play()->isVisibleTo(&form));
    EXPECT_TRUE(form.btn_play_disabled()->isVisibleTo(&form));
    EXPECT_EQ(form.btn_play_disabled()->toolTip(), QStringLiteral("please select sound driver first"));
    EXPECT_TRUE(form.chb_splashscreen()->isChecked());
    EXPECT_GE(form.x(), 0);
    EXPECT_GE(form.y(), 0);

    QTest::keyClick(form.cb_sound(), Qt::Key_Return);
    QTest::keyClick(form.cb_sound(), Qt::Key_1);
    EXPECT_TRUE(host.calls.isEmpty());
    EXPECT_TRUE(form.isVisible());

    QTest::keyClick(form.cb_sound(), Qt::Key_Down);  // the list takes the arrow keys
    EXPECT_EQ(form.cb_sound()->currentIndex(), 0);
    EXPECT_TRUE(form.btn_play()->isEnabled());
    EXPECT_TRUE(form.btn_play()->isVisibleTo(&form));
    EXPECT_FALSE(form.btn_play_disabled()->isVisibleTo(&form));
}

TEST_F(SplashFormTest, StoredDriverWithSplashOffPlaysDuringCreation) {
    const QString drivers[] = {QStringLiteral("PulseAudio"), QStringLiteral("ALSA"),
                               QStringLiteral("(no sound)")};
    for (int mode = 0; mode < 3; ++mode) {
        test::writeStore({QStringLiteral("SoundMode=%1").arg(mode), QStringLiteral("SplashScreen=0")});
        FakeSplashHost host;
        TSplashForm form(host);
        EXPECT_EQ(
            host.calls,
            (QStringList{QStringLiteral("clearSplashPending"), QStringLiteral("startSound ") + drivers[mode],
                         QStringLiteral("centreWindow"), QStringLiteral("showSwitchedOff")}));
        EXPECT_TRUE(form.played());
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(form.pos(), QPoint(-460, -420));
        EXPECT_TRUE(test::storeText().contains(QStringLiteral("SplashScreen=0")));
    }
}

TEST_F(SplashFormTest, DialogIsPreparedWhenNoValidDriverIsStoredOrTheSplashIsOn) {
    struct Case {
        QStringList store;
        int selected;
    };
    const Case cases[] = {
        {{QStringLiteral("SoundMode=5"), QStringLiteral("SplashScreen=0")}, -1},
        {{QStringLiteral("SoundMode=-1"), QStringLiteral("SplashScreen=0")}, -1},
        {{QStringLiteral("SoundMode=x"), QStringLiteral("SplashScreen=0")}, -1},
        {{QStringLiteral("SoundMode=2"), QStringLiteral("SplashScreen=1")}, 2},
        {{QStringLiteral("SoundMode=1"), QStringLiteral("SplashScreen=x")}, 1},  // "x": the default, shown
    };
    for (const Case& c : cases) {
        test::writeStore(c.store);
        FakeSplashHost host;
        TSplashForm form(host);
        const std::string label = c.store.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(host.calls.isEmpty()) << label;
        EXPECT_FALSE(form.played()) << label;
        EXPECT_EQ(form.cb_sound()->currentIndex(), c.selected) << label;
        EXPECT_EQ(form.btn_play()->isEnabled(), c.selected >= 0) << label;
        EXPECT_GE(form.x(), 0) << label;
    }
}

TEST_F(SplashFormTest, EscapeEndsTheApplicationBeforeAnythingIsStored) {
    FakeSplashHost host;
    TSplashForm form(host);
    form.show();
    QTest::keyClick(form.cb_sound(), Qt::Key_Down);
    QTest::keyClick(form.cb_sound(), Qt::Key_Escape);
    EXPECT_EQ(host.calls, QStringList{QStringLiteral("quitApplication")});
    EXPECT_FALSE(test::storeText().contains(QStringLiteral("SplashScreen")));
    EXPECT_FALSE(test::storeText().contains(QStringLiteral("SoundMode")));
}

TEST_F(SplashFormTest, CloseRequestEndsTheApplicationLikeEscapeButNotAfterPlay) {
    FakeSplashHost host;
    TSplashForm form(host);
    form.show();
    form.close();
    EXPECT_EQ(host.calls, QStringList{QStringLiteral("quitApplication")});

    FakeSplashHost played;
    TSplashForm second(played);
    second.show();
    second.cb_sound()->setCurrentIndex(2);
    second.btn_play()->click();
    second.close();
    EXPECT_FALSE(played.calls.contains(QStringLiteral("quitApplication")));
}

TEST_F(SplashFormTest, DigitOnePlaysAndStoresTheUntickedBox) {
    FakeSplashHost host;
    TSplashForm form(host);
    QSignalSpy stored(&form, &TSplashForm::splashScreenStored);
    form.show();
    form.cb_sound()->setCurrentIndex(1);
    form.chb_splashscreen()->setChecked(false);
    QTest::keyClick(form.chb_splashscreen(), Qt::Key_1);
    EXPECT_EQ(host.calls, (QStringList{QStringLiteral("startSound ALSA"), QStringLiteral("centreWindow"),
                                       QStringLiteral("showSwitchedOff")}));
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(test::storeText().contains(QStringLiteral("SplashScreen=0")));
    ASSERT_EQ(stored.count(), 1);
    EXPECT_EQ(stored.at(0).at(0).toBool(), false);
}

TEST_F(SplashFormTest, FailedSoundStartStopsThePlayActionAndNeverRetries) {
    FakeSplashHost host;
    host.soundStarts = false;
    TSplashForm form(host);
    form.show();
    form.cb_sound()->setCurrentIndex(0);
    QTest::keyClick(form.cb_sound(), Qt::Key_Return);
    QTest::keyClick(form.cb_sound(), Qt::Key_Return);
    EXPECT_EQ(host.calls, QStringList{QStringLiteral("startSound PulseAudio")});
    EXPECT_FALSE(form.played());
    EXPECT_FALSE(test::storeText().contains(QStringLiteral("SplashScreen")));
}

TEST_F(SplashFormTest, LinksOpenTheAuthorsAddressesAndLeaveTheDialogOpen) {
    test::UrlRecorder urls;
    FakeSplashHost host;
    TSplashForm form(host);
    form.show();
    QTest::mouseClick(form.la_website_2(), Qt::LeftButton);
    QTest::mouseClick(form.la_email_2(), Qt::LeftButton);
    QTest::mouseClick(form.la_email_2(), Qt::RightButton);
    form.btn_paypalClick();
    EXPECT_EQ(urls.opened, (QStringList{QStringLiteral("https://zorpy-nibbo.example.org/"),
                                        QStringLiteral("mailto:zorpy-nibbo@example.org"),
                                        QStringLiteral("https://zorpy-nibbo.example.org/donate")}));
    EXPECT_TRUE(form.isVisible());
}

TEST_F(SplashFormTest, TextsAreExactAndFitTheirLabels) {
    FakeSplashHost host;
    TSplashForm form(host);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("About this game..."));
    EXPECT_EQ(form.la_game_title()->text(), QStringLiteral("Zorpy Nibbo (Korvent, Plimquad) Simulator"));
    EXPECT_EQ(form.la_version()->text(), QStringLiteral("Version 5.00 * Final *"));
    EXPECT_TRUE(form.la_release_date()->text().contains(QStringLiteral("4 December 2017")));
    for (const QLabel* l : {form.la_game_title(), form.la_version(), form.la_release_date(),
                            form.la_website_2(), form.la_email_2()}) {
        EXPECT_LE(QFontMetrics(l->font()).horizontalAdvance(l->text()), l->width())
            << l->text().toStdString();
    }
    ASSERT_EQ(form.cb_sound()->count(), 3);
    EXPECT_EQ(form.cb_sound()->itemText(2), QStringLiteral("(no sound)"));
}

TEST_F(SplashFormTest, PicturesComeFromTheGeneratedArtworkWhenTheDialogIsShown) {
    // The tests run in the runnable folder, where the generator put the pictures.
    FakeSplashHost host;
    TSplashForm form(host);
    EXPECT_TRUE(form.im_box_picture()->pixmap().isNull());
    form.show();
    EXPECT_EQ(form.im_box_picture()->pixmap().size(), QSize(460, 160));
    EXPECT_EQ(form.btn_play_disabled()->pixmap().size(), QSize(107, 30));
    EXPECT_TRUE(form.btn_play_disabled()->text().isEmpty());

    // A start that skips the dialog never reads them.
    test::writeStore({QStringLiteral("SoundMode=2"), QStringLiteral("SplashScreen=0")});
    FakeSplashHost skippingHost;
    TSplashForm skipped(skippingHost);
    ASSERT_TRUE(skipped.played());
    EXPECT_TRUE(skipped.im_box_picture()->pixmap().isNull());
    EXPECT_TRUE(skipped.btn_play_disabled()->pixmap().isNull());
}

}  // namespace
}  // namespace zn
