#include "input/keys.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTest>
#include <map>

#include "defaultkeys.h"

namespace zn {
namespace {

const QColor kWhite(255, 255, 255);
const QColor kRed(255, 0, 0);

// The main window as the dialog sees it: bindings, the stored key indices, hints and its
// enabled state.
struct FakeKeysHost : KeysHost {
    FakeKeysHost() : keys(test::defaultKeys()) {}
    const InpKeys& keyBindings() const override { return keys; }
    void setKeyIndex(int i, int index) override {
        keys[static_cast<std::size_t>(i)].Key_Index = index;
        stored[i] = index;
    }
    void AssignWord(int i) override { zn::AssignWord(keys, i); }
    void Inp_Build_Hints() override {
        ++hintBuilds;
        hints = hintTexts(keys, fillKeyNames(), true);
    }
    void enableMainWindow() override { ++enables; }

    InpKeys keys{};
    std::map<int, int> stored;  // Key<i> = index, as stored
    HintTexts hints;
    int hintBuilds = 0;
    int enables = 0;
};

// Selects the item with this dialog text in list i, as a user would.
void choose(TKeysForm& form, int i, const char* text) {
    const int pos = form.cb(i)->findText(QString::fromLatin1(text));
    ASSERT_GE(pos, 0) << text;
    form.cb(i)->setCurrentIndex(pos);
}

QColor colourOf(const TKeysForm& form, int i) { return form.la(i)->palette().color(QPalette::WindowText); }

std::vector<int> redLabels(const TKeysForm& form) {
    std::vector<int> red;
    for (int i = 1; i <= kBindingCount; ++i) {
        if (colourOf(form, i) == kRed)
            red.push_back(i);
        else
            EXPECT_EQ(colourOf(form, i), kWhite) << "label " << i;
    }
    return red;
}

TEST(KeysFormTest, DefaultBindingsOpenWithTheDefaultKeysAllWhiteAndAcceptEnabled) {
    FakeKeysHost host;
    TKeysForm form(host);
    const char* expected[] = {"1", "2", "3", "<UP ARROW>", "<LEFT ARROW>", "<RIGHT ARROW>", "<DOWN ARROW>"};
    for (int i = 1; i <= kBindingCount; ++i) {
        EXPECT_EQ(form.cb(i)->currentText(), QString::fromLatin1(expected[i - 1])) << "list " << i;
        ASSERT_EQ(form.cb(i)->count(), 44);
        EXPECT_EQ(form.cb(i)->itemText(0), QStringLiteral("0"));
        EXPECT_EQ(form.cb(i)->itemText(10), QStringLiteral("A"));
        EXPECT_EQ(form.cb(i)->itemText(43), QStringLiteral("<SPACEBAR>"));
    }
    EXPECT_TRUE(redLabels(form).empty());
    EXPECT_TRUE(form.btn_accept()->isEnabled());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Key settings"));
    EXPECT_EQ(form.size(), QSize(448, 195));
}

TEST(KeysFormTest, EveryKeyNameAndLabelFitsUnclipped) {
    FakeKeysHost host;
    TKeysForm form(host);
    for (int i = 1; i <= kBindingCount; ++i) {
        QComboBox* list = form.cb(i);
        QStyleOptionComboBox opt;
        opt.initFrom(list);
        const int room = list->style()
                             ->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, list)
                             .width();
        for (int k = 0; k < list->count(); ++k) {
            EXPECT_LE(QFontMetrics(list->font()).horizontalAdvance(list->itemText(k)), room)
                << list->itemText(k).toStdString();
        }
        EXPECT_LE(QFontMetrics(form.la(i)->font()).horizontalAdvance(form.la(i)->text()), form.la(i)->width())
            << form.la(i)->text().toStdString();
    }
}

TEST(KeysFormTest, TwoListsOnOneKeyTurnBothRedUntilOneChanges) {
    FakeKeysHost host;
    TKeysForm form(host);
    choose(form, 1, "2");
    EXPECT_EQ(redLabels(form), (std::vector<int>{1, 2}));
    EXPECT_FALSE(form.btn_accept()->isEnabled());
    choose(form, 2, "5");
    EXPECT_TRUE(redLabels(form).empty());
    EXPECT_TRUE(form.btn_accept()->isEnabled());
}

TEST(KeysFormTest, ThreeListsOnOneKeyTurnAllThreeRedAndAPairStaysRedAfterOneMoves) {
    FakeKeysHost host;
    TKeysForm form(host);
    choose(form, 4, "X");
    choose(form, 6, "X");
    choose(form, 2, "X");
    EXPECT_EQ(redLabels(form), (std::vector<int>{2, 4, 6}));
    choose(form, 4, "<UP ARROW>");
    EXPECT_EQ(redLabels(form), (std::vector<int>{2, 6}));
    EXPECT_FALSE(form.btn_accept()->isEnabled());
}

TEST(KeysFormTest, EnterAcceptsWasdStoresIndicesAndRebuildsTheJoystickHint) {
    FakeKeysHost host;
    TKeysForm form(host);
    form.show();
    choose(form, 4, "W");
    choose(form, 5, "A");
    choose(form, 6, "D");
    choose(form, 7, "S");
    QTest::keyClick(form.cb(7), Qt::Key_Return);  // key preview: the list has the focus

    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(host.enables, 1);
    EXPECT_EQ(host.hintBuilds, 1);
    EXPECT_EQ(host.stored, (std::map<int, int>{{1, 2}, {2, 3}, {3, 4}, {4, 33}, {5, 11}, {6, 14}, {7, 29}}));
    EXPECT_EQ(host.keys[4].Key_Code, 'W');
    EXPECT_EQ(host.keys[5].Key_Code, 'A');
    EXPECT_EQ(host.keys[6].Key_Code, 'D');
    EXPECT_EQ(host.keys[7].Key_Code, 'S');
    EXPECT_EQ(host.hints.joystick,
              QStringLiteral("activate the controller overlays or use 'W', 'A', 'D', 'S'"));
    EXPECT_EQ(host.hints.overlayLeft, QStringLiteral("click or press 'A'"));
}

TEST(KeysFormTest, EnterWithSharedKeysDoesNothing) {
    FakeKeysHost host;
    TKeysForm form(host);
    form.show();
    choose(form, 3, "1");
    QTest::keyClick(form.cb(3), Qt::Key_Enter);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(host.enables, 0);
    EXPECT_EQ(host.keys[3].Key_Index, 4);
    EXPECT_TRUE(host.stored.empty());
}

TEST(KeysFormTest, EscapeKeepsTheOldKeysAndReopeningShowsTheUnappliedChoice) {
    FakeKeysHost host;
    TKeysForm form(host);
    form.show();
    choose(form, 1, "9");
    QTest::keyClick(form.cb(1), Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(host.enables, 1);
    EXPECT_EQ(host.hintBuilds, 0);
    EXPECT_EQ(host.keys[1].Key_Index, 2);
    EXPECT_EQ(host.keys[1].Key_Code, '1');
    EXPECT_TRUE(host.stored.empty());

    form.show();
    EXPECT_EQ(form.cb(1)->currentText(), QStringLiteral("9"));
    form.btn_accept()->click();
    EXPECT_EQ(host.keys[1].Key_Code, '9');
    EXPECT_EQ(host.stored[1], 10);
}

TEST(KeysFormTest, CloseRequestActsLikeEscape) {
    FakeKeysHost host;
    TKeysForm form(host);
    form.show();
    choose(form, 2, "Q");
    form.close();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(host.enables, 1);
    EXPECT_EQ(host.keys[2].Key_Index, 3);
}

TEST(KeysFormTest, StoredIndexOutsideTheTableShowsNoSelectionAndIsStoredAsZero) {
    FakeKeysHost host;
    host.keys[3].Key_Index = 45;
    host.keys[3].Key_Code = 0;
    TKeysForm form(host);
    EXPECT_EQ(form.cb(3)->currentText(), QString());
    EXPECT_TRUE(form.btn_accept()->isEnabled());  // one empty list conflicts with nothing
    form.btn_accept()->click();
    EXPECT_EQ(host.stored[3], 0);
    EXPECT_EQ(host.keys[3].Key_Code, 0);

    FakeKeysHost two;
    two.keys[1].Key_Index = -1;
    two.keys[7].Key_Index = 100;
    TKeysForm second(two);
    EXPECT_EQ(redLabels(second), (std::vector<int>{1, 7}));  // two empty lists show the same text
}

}  // namespace
}  // namespace zn
