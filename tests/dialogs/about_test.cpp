#include "shell/about.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QLabel>
#include <QTest>

#include "testsupport.h"

namespace zn {
namespace {

TEST(AboutForm, RowsCarryTheirCaptionsAndEveryValueFitsItsLabel) {
    TAboutForm form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("About the author..."));
    EXPECT_EQ(form.size(), QSize(397, 176));
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    const char* captions[] = {
        "Name:", "Birthplace:", "Birth date:", "Occupation:", "Hobby:", "Website:", "Email:"};
    for (int r = 0; r < 7; ++r) {
        EXPECT_EQ(form.caption(r)->text(), QString::fromLatin1(captions[r]));
        EXPECT_EQ(form.caption(r)->y(), 8 + 24 * r);
        EXPECT_EQ(form.value(r)->x(), 212);
        EXPECT_FALSE(form.value(r)->text().isEmpty());
        EXPECT_LE(QFontMetrics(form.value(r)->font()).horizontalAdvance(form.value(r)->text()),
                  form.value(r)->width())
            << form.value(r)->text().toStdString();
    }
    EXPECT_TRUE(form.value(4)->font().italic());
    EXPECT_TRUE(form.value(5)->font().underline());
    EXPECT_EQ(form.value(6)->palette().color(QPalette::WindowText), QColor(255, 255, 0));
}

TEST(AboutForm, EscapeHidesAndTheDialogCanBeShownAgain) {
    TAboutForm form;
    for (int round = 0; round < 2; ++round) {
        form.show();
        ASSERT_TRUE(form.isVisible());
        QTest::keyClick(&form, Qt::Key_A);
        EXPECT_TRUE(form.isVisible());
        QTest::keyClick(&form, Qt::Key_Escape);
        EXPECT_FALSE(form.isVisible());
    }
}

TEST(AboutForm, EachLinkOpensItsAddressAndClosesTheDialog) {
    test::UrlRecorder urls;
    TAboutForm form;
    form.show();
    QTest::mouseClick(form.value(5), Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    form.show();
    QTest::mouseClick(form.value(6), Qt::MiddleButton);
    EXPECT_TRUE(form.isVisible());
    QTest::mouseClick(form.value(6), Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(urls.opened, (QStringList{QStringLiteral("https://zorpy-nibbo.example.org/"),
                                        QStringLiteral("mailto:zorpy-nibbo@example.org")}));
}

}  // namespace
}  // namespace zn
