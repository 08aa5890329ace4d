#include "input/keys.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "controls/keyrules.h"
#include "input/dialoglook.h"
#include "ui/dialogdata.h"

namespace zn {
namespace {

const QColor kLabelWhite(255, 255, 255);
const QColor kLabelRed(255, 0, 0);

QString qtText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
QRect qtRect(const ui::Rect& r) { return QRect(r.left, r.top, r.width, r.height); }

}  // namespace

QStringList keyDialogTexts() {
    QStringList items;
    for (int i = 1; i <= kKeyTableSize; ++i) {
        const std::string_view t = keyTableEntry(i).dialogText;
        items << QString::fromLatin1(t.data(), static_cast<qsizetype>(t.size()));
    }
    return items;
}

TKeysForm::TKeysForm(KeysHost& host, QWidget* parent) : QWidget(parent, kDialogWindowFlags), host_(host) {
    buildControls();
    FormCreate();
}

TKeysForm::~TKeysForm() = default;

void TKeysForm::buildControls() {
    namespace k = ui::keys;
    setWindowTitle(qtText(k::kCaption));
    setFixedSize(k::kWidth, k::kHeight);

    auto makeLabel = [this](const ui::keys::Label& label, bool underline) {
        auto* l = new QLabel(qtText(label.caption), this);
        l->setGeometry(qtRect(label.rect));
        QFont f = arialFont(11, true);
        f.setUnderline(underline);
        l->setFont(f);
        l->setAlignment((label.alignRight ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
        setTextColour(l, kLabelWhite);
        return l;
    };
    la_main_ = makeLabel(k::kMainHeading, true);
    la_controls_ = makeLabel(k::kControlsHeading, true);

    // The item list is built once, on cb_1, and copied into the other six.
    const QStringList items = keyDialogTexts();
    for (std::size_t i = 1; i <= kBindingCount; ++i) {
        const k::Row& row = k::kRows[i - 1];
        labels_[i] = makeLabel(row.label, false);
        auto* list = new QComboBox(this);
        list->setEditable(false);
        list->setGeometry(qtRect(row.list));
        list->setFont(arialFont(11, false));
        if (i == 1) {
            list->addItems(items);
        } else {
            for (int n = 0; n < cbs_[1]->count(); ++n) list->addItem(cbs_[1]->itemText(n));
        }
        list->installEventFilter(this);
        cbs_[i] = list;
    }

    btn_accept_ = new QPushButton(qtText(k::kAcceptCaption), this);
    btn_accept_->setGeometry(qtRect(k::kAccept));
    btn_accept_->setFont(arialFont(11, true));
    btn_accept_->setCursor(Qt::PointingHandCursor);
    btn_accept_->setAutoDefault(false);
    btn_accept_->installEventFilter(this);
    connect(btn_accept_, &QPushButton::clicked, this, &TKeysForm::btn_acceptClick);

    for (std::size_t i = 1; i < kBindingCount; ++i) setTabOrder(cbs_[i], cbs_[i + 1]);
    setTabOrder(cbs_[kBindingCount], btn_accept_);
    new FocusRing(*this);
}

void TKeysForm::FormCreate() {
    const InpKeys& keys = host_.keyBindings();
    for (std::size_t i = 1; i <= kBindingCount; ++i) {
        const int index = keys[i].Key_Index;
        cbs_[i]->setCurrentIndex(isKeyIndex(index) ? index - 1 : -1);
        connect(cbs_[i], &QComboBox::currentIndexChanged, this, &TKeysForm::cbChange);
    }
    cbChange();
}

void TKeysForm::FormActivate() { cbs_[1]->setFocus(Qt::ActiveWindowFocusReason); }

bool TKeysForm::CheckKeys() {
    // Item position = key-table index - 1; no selection (-1) shows no key.
    std::array<int, kBindingCount + 1> shown{};
    for (std::size_t i = 1; i <= kBindingCount; ++i) shown[i] = cbs_[i]->currentIndex() + 1;
    const auto conflict = keyConflicts(shown);
    bool any = false;
    for (std::size_t i = 1; i <= kBindingCount; ++i) {
        setTextColour(labels_[i], conflict[i] ? kLabelRed : kLabelWhite);
        any = any || conflict[i];
    }
    return any;
}

void TKeysForm::cbChange() { btn_accept_->setEnabled(!CheckKeys()); }

void TKeysForm::btn_acceptClick() {
    // Accept is refused while keys are shared, whichever way it is reached.
    if (CheckKeys()) return;
    for (int i = 1; i <= kBindingCount; ++i) {
        host_.setKeyIndex(i, cbs_[static_cast<std::size_t>(i)]->currentIndex() + 1);
        host_.AssignWord(i);
    }
    host_.Inp_Build_Hints();
    host_.enableMainWindow();
    hide();
}

bool TKeysForm::FormKeyDown(int keyCode) {
    if (keyCode == kVkReturn) {
        if (btn_accept_->isEnabled()) btn_acceptClick();
        return true;
    }
    if (keyCode == kVkEscape) {
        closeWithoutApplying();
        return true;
    }
    return false;
}

void TKeysForm::closeWithoutApplying() {
    host_.enableMainWindow();
    hide();
}

bool TKeysForm::eventFilter(QObject* watched, QEvent* event) {
    // Key preview: the dialog sees Enter and Escape before the focused list or button.
    return previewDialogKey(*event, [this](int keyCode) { return FormKeyDown(keyCode); }) ||
           QWidget::eventFilter(watched, event);
}

void TKeysForm::keyPressEvent(QKeyEvent* event) {
    if (!FormKeyDown(dialogKeyCode(*event))) QWidget::keyPressEvent(event);
}

void TKeysForm::closeEvent(QCloseEvent* event) {
    // The dialog has no close button; a close request from the window manager acts like
    // Escape, so the main window is never left disabled.
    if (isVisible()) host_.enableMainWindow();
    event->accept();
}

void TKeysForm::showEvent(QShowEvent* event) {
    centreOnScreen(*this);
    QWidget::showEvent(event);
}

bool TKeysForm::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) FormActivate();
    return QWidget::event(event);
}

void TKeysForm::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), kDialogNavy);
}

}  // namespace zn
