// The dialogs as drawn: where the keyboard focus is, the splash dialog's text lines. Read
// from the pixels of the dialogs, since that is what the user sees.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <vector>

#include "input/dialoglook.h"
#include "input/keys.h"
#include "shell/about.h"
#include "shell/appsettings.h"
#include "shell/splash.h"
#include "testsupport.h"

namespace zn {
namespace {

struct QuietSplashHost : SplashHost {
    AppSettings& App_Settings() override { return settings; }
    bool startSound(const QString&) override { return true; }
    void centreWindow() override {}
    void showSwitchedOff() override {}
    void clearSplashPending() override {}
    void quitApplication() override {}
    AppSettings settings;
};

struct QuietKeysHost : KeysHost {
    QuietKeysHost() {
        for (int i = 1; i <= kBindingCount; ++i) keys[static_cast<std::size_t>(i)].Key_Index = i;  // 0..6
    }
    const InpKeys& keyBindings() const override { return keys; }
    void setKeyIndex(int, int) override {}
    void AssignWord(int) override {}
    void Inp_Build_Hints() override {}
    void enableMainWindow() override {}
    InpKeys keys{};
};

// A dialog on the screen with the controls its Tab key visits, in order.
struct OpenDialog {
    std::unique_ptr<QuietSplashHost> splashHost;
    std::unique_ptr<QuietKeysHost> keysHost;
    std::unique_ptr<QWidget> dialog;
    std::vector<QWidget*> tabChain;
};

OpenDialog openSplash() {
    test::writeStore({QStringLiteral("SoundMode=0"), QStringLiteral("SplashScreen=1")});  // play enabled
    OpenDialog d;
    d.splashHost = std::make_unique<QuietSplashHost>();
    auto form = std::make_unique<TSplashForm>(*d.splashHost);
    d.tabChain = {form->cb_sound(), form->chb_splashscreen(), form->btn_play(),
                  form->btn_paypal(), form->la_website_2(),     form->la_email_2()};
    d.dialog = std::move(form);
    return d;
}

OpenDialog openKeys() {
    OpenDialog d;
    d.keysHost = std::make_unique<QuietKeysHost>();
    auto form = std::make_unique<TKeysForm>(*d.keysHost);
    for (int i = 1; i <= kBindingCount; ++i) d.tabChain.push_back(form->cb(i));
    d.tabChain.push_back(form->btn_accept());
    d.dialog = std::move(form);
    return d;
}

// The middle of each side of the ring's yellow line around a control, in the dialog.
std::vector<QPoint> ringProbes(const QWidget& dialog, const QWidget& control) {
    const QRect t = focusRingTarget(control).translated(control.parentWidget()->mapTo(&dialog, QPoint()));
    const int d = kFocusRingGap + 2;  // past the gap and the outer navy line
    return {{t.center().x(), t.top() - d - 1},
            {t.center().x(), t.bottom() + d + 1},
            {t.left() - d - 1, t.center().y()},
            {t.right() + d + 1, t.center().y()}};
}

bool ringedIn(const QImage& shot, const QWidget& dialog, const QWidget& control) {
    for (const QPoint& p : ringProbes(dialog, control))
        if (QColor(shot.pixel(p)) != kFocusRingYellow) return false;
    return true;
}

struct DialogCase {
    const char* name;
    std::function<OpenDialog()> open;
};
void PrintTo(const DialogCase& c, std::ostream* os) { *os << c.name; }

class FocusShown : public ::testing::TestWithParam<DialogCase> {
protected:
    void SetUp() override { test::clearStore(); }
};

TEST_P(FocusShown, TabVisitsEveryControlAndTheRingFollowsOnScreen) {
    OpenDialog d = GetParam().open();
    QWidget& dialog = *d.dialog;
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    d.tabChain.front()->setFocus(Qt::TabFocusReason);

    // Twice round the circle: the last control's Tab comes back to the first.
    for (std::size_t step = 0; step < 2 * d.tabChain.size(); ++step) {
        const QWidget* want = d.tabChain[step % d.tabChain.size()];
        ASSERT_EQ(QApplication::focusWidget(), want) << "step " << step;
        const QImage shot = dialog.grab().toImage();
        for (const QWidget* control : d.tabChain) {
            EXPECT_EQ(ringedIn(shot, dialog, *control), control == want)
                << "step " << step << ": " << control->metaObject()->className() << " at "
                << control->x() << "," << control->y();
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }

    // Another window takes the keyboard: no ring is left in this one.
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    const QImage away = dialog.grab().toImage();
    for (const QWidget* control : d.tabChain) EXPECT_FALSE(ringedIn(away, dialog, *control));
}

INSTANTIATE_TEST_SUITE_P(Dialogs, FocusShown,
                         ::testing::Values(DialogCase{"splash", openSplash}, DialogCase{"keys", openKeys}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(KeyboardFocus, SpaceWorksTheStartDialogsFocusedLinkOrButtonAndNoKeyOpensTheAboutDialogsLinks) {
    test::clearStore();
    test::UrlRecorder urls;
    OpenDialog splash = openSplash();
    auto& splashForm = static_cast<TSplashForm&>(*splash.dialog);
    struct Case {
        QWidget* control;
        const char* opens;
    };
    const Case cases[] = {
        {splashForm.la_website_2(), "https://zorpy-nibbo.example.org/"},
        {splashForm.la_email_2(), "mailto:zorpy-nibbo@example.org"},
        {splashForm.btn_paypal(), "https://zorpy-nibbo.example.org/donate"},
    };
    splashForm.show();
    splashForm.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&splashForm));
    for (const Case& c : cases) {
        c.control->setFocus(Qt::TabFocusReason);
        urls.opened.clear();
        QTest::keyClick(c.control, Qt::Key_Space);
        EXPECT_EQ(urls.opened, QStringList{QString::fromLatin1(c.opens)});
        EXPECT_TRUE(splashForm.isVisible()) << c.opens;
    }

    // The about dialog answers Escape only: Tab reaches no link, and Enter or Space opens nothing.
    TAboutForm about;
    about.show();
    about.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&about));
    urls.opened.clear();
    for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Return, Qt::Key_Space}) {
        QWidget* focused = QApplication::focusWidget();
        QTest::keyClick(focused != nullptr ? focused : &about, key);
    }
    EXPECT_TRUE(urls.opened.isEmpty()) << urls.opened.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(about.isVisible());
}

// Rows and columns where two pictures of the dialog differ, within a rectangle.
struct Ink {
    std::optional<int> top, bottom, left, right;
};
Ink inkBetween(const QImage& a, const QImage& b, const QRect& within) {
    Ink ink;
    for (int y = within.top(); y <= within.bottom(); ++y) {
        for (int x = within.left(); x <= within.right(); ++x) {
            if (a.pixel(x, y) == b.pixel(x, y)) continue;
            ink.top = ink.top ? std::min(*ink.top, y) : y;
            ink.bottom = ink.bottom ? std::max(*ink.bottom, y) : y;
            ink.left = ink.left ? std::min(*ink.left, x) : x;
            ink.right = ink.right ? std::max(*ink.right, x) : x;
        }
    }
    return ink;
}

class SplashDrawn : public ::testing::Test {
protected:
    void SetUp() override {
        test::clearStore();
        form = std::make_unique<TSplashForm>(host);
        form->show();  // the background picture is read at the first showing
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    QImage shot() const { return form->grab().toImage(); }

    QuietSplashHost host;
    std::unique_ptr<TSplashForm> form;
};

TEST_F(SplashDrawn, SoundLabelSharesItsBaselineWithTheListsText) {
    // Neither text has a descender, so the lowest inked row of each is its baseline.
    QComboBox& list = *form->cb_sound();
    QLabel& label = *form->la_sound_select();
    list.setCurrentIndex(0);
    ASSERT_EQ(list.currentText(), QStringLiteral("PulseAudio"));
    const QImage both = shot();
    label.hide();
    const Ink labelInk = inkBetween(both, shot(), label.geometry());
    label.show();
    list.setCurrentIndex(-1);
    const Ink listInk = inkBetween(both, shot(), list.geometry());
    ASSERT_TRUE(labelInk.bottom && listInk.bottom);
    EXPECT_EQ(*labelInk.bottom, *listInk.bottom);
}

TEST_F(SplashDrawn, ReleaseLineStaysBetweenThePillars) {
    QLabel& line = *form->la_release_date();
    const QImage withLine = shot();
    line.hide();
    const QImage background = shot();
    const QRect band = line.geometry();
    const Ink text = inkBetween(withLine, background, band);
    ASSERT_TRUE(text.left && text.right);

    // The pillars: whatever is not white on the line's band without the line.
    std::optional<int> leftPillarEnd, rightPillarStart;
    for (int y = band.top(); y <= band.bottom(); ++y) {
        for (int x = band.left(); x <= band.right(); ++x) {
            if (QColor(background.pixel(x, y)) == Qt::white) continue;
            if (x < band.center().x())
                leftPillarEnd = leftPillarEnd ? std::max(*leftPillarEnd, x) : x;
            else
                rightPillarStart = rightPillarStart ? std::min(*rightPillarStart, x) : x;
        }
    }
    ASSERT_TRUE(leftPillarEnd && rightPillarStart) << "no pillar beside the release line";
    constexpr int kClearance = 3;
    EXPECT_LT(*leftPillarEnd + kClearance, *text.left);
    EXPECT_LT(*text.right + kClearance, *rightPillarStart);
}

}  // namespace
}  // namespace zn
