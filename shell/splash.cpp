#include "shell/splash.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QUrl>

#include "display/dialogart.h"
#include "input/dialoglook.h"
#include "shell/appsettings.h"
#include "sound/sound_outputs.h"
#include "ui/dialogdata.h"

namespace zn {
namespace {

namespace look = ui::splash;
namespace author = ui::author;

const QColor kLinkBlue(24, 82, 148);

// A clickable picture, read from its file when the button is first painted. Without its
// picture file it draws a plain button with a caption, so the dialog stays usable when the
// artwork is missing.
class PictureButton : public QAbstractButton {
public:
    PictureButton(const QString& artName, const QString& caption, QWidget* parent)
        : QAbstractButton(parent), file_(dialogArtFile(artName)) {
        setText(caption);
        setFocusPolicy(Qt::TabFocus);  // Tab reaches it and Space presses it; a click leaves the focus
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        if (!file_.isEmpty()) {
            picture_ = QPixmap(file_);
            file_.clear();
        }
        QPainter p(this);
        if (!picture_.isNull()) {
            p.drawPixmap(rect(), picture_);
            return;
        }
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(kDialogNavy);
        p.setBrush(QColor(220, 228, 240));
        p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
        p.setFont(arialFont(14, true));
        p.drawText(rect(), Qt::AlignCenter, text());
    }

private:
    QString file_;  // until the picture is read
    QPixmap picture_;
};

// A label for a picture that loadPicture gives it when the dialog is first shown.
QLabel* pictureLabel(QRect r, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setGeometry(r);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

void loadPicture(QLabel* l, const QString& artName) {
    const QString file = dialogArtFile(artName);
    if (!file.isEmpty()) l->setPixmap(QPixmap(file));
}

QLabel* textLabel(const QString& text, QRect r, const QFont& font, const QColor& colour, Qt::Alignment align,
                  QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(r);
    l->setFont(font);
    l->setAlignment(align | Qt::AlignTop);
    setTextColour(l, colour);
    return l;
}

// Puts a label on the text line of a drop-down list beside it: the label takes the height
// of the list's text field and centres its text there as the list does, so the two texts,
// in the same font, share a baseline whatever the widget style's frame.
void onTextLineOf(QLabel& label, const QComboBox& list) {
    QStyleOptionComboBox opt;
    opt.initFrom(&list);
    opt.editable = list.isEditable();
    opt.frame = list.hasFrame();
    const QRect field = list.style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, &list);
    label.setGeometry(label.x(), list.y() + field.top(), label.width(), field.height());
    label.setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

LinkLabel* linkLabel(const QString& text, QRect r, const QFont& font, QWidget* parent) {
    auto* l = new LinkLabel(text, parent);
    l->setGeometry(r);
    l->setFont(font);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextColour(l, kLinkBlue);
    return l;
}

}  // namespace

TSplashForm::TSplashForm(SplashHost& host, QWidget* parent)
    : QWidget(parent, kDialogWindowFlags), host_(host) {
    buildControls();
    FormCreate();
}

TSplashForm::~TSplashForm() = default;

void TSplashForm::buildControls() {
    setWindowTitle(qtText(look::kCaption));
    setFixedSize(look::kWidth, look::kHeight);

    im_background_ = pictureLabel(qtRect(look::kBackground), this);
    im_box_picture_ = pictureLabel(qtRect(look::kBoxPicture), this);

    const QFont titleFont = arialFont(12, true);
    const QFont textFont = arialFont(12);
    QFont linkFont = arialFont(12, true);
    linkFont.setUnderline(true);
    la_game_title_ = textLabel({}, qtRect(look::kTitle), titleFont, Qt::white, Qt::AlignHCenter, this);
    la_version_ = textLabel({}, qtRect(look::kVersion), titleFont, Qt::white, Qt::AlignHCenter, this);
    la_release_date_ = textLabel({}, qtRect(look::kReleaseLine), textFont, Qt::black, Qt::AlignHCenter, this);
    textLabel(qtText(look::kWebsiteCaption), qtRect(look::kWebsiteLabel), textFont, Qt::black, Qt::AlignLeft,
              this);
    LinkLabel* website = linkLabel(qtText(author::kWebsiteText), qtRect(look::kWebsite), linkFont, this);
    connect(website, &LinkLabel::clicked, this, &TSplashForm::la_website_2Click);
    la_website_2_ = website;
    textLabel(qtText(look::kEmailCaption), qtRect(look::kEmailLabel), textFont, Qt::black, Qt::AlignLeft,
              this);
    LinkLabel* email = linkLabel(qtText(author::kEmail), qtRect(look::kEmail), linkFont, this);
    connect(email, &LinkLabel::clicked, this, &TSplashForm::la_email_2Click);
    la_email_2_ = email;
    la_sound_select_ = textLabel(qtText(look::kSoundCaption), qtRect(look::kSoundLabel), textFont, Qt::black,
                                 Qt::AlignLeft, this);

    cb_sound_ = new QComboBox(this);
    cb_sound_->setEditable(false);
    cb_sound_->setGeometry(qtRect(look::kSoundList));
    cb_sound_->setFont(textFont);
    onTextLineOf(*la_sound_select_, *cb_sound_);
    for (const SoundOutputItem& output : kSoundOutputs)
        cb_sound_->addItem(
            QString::fromLatin1(output.caption.data(), static_cast<qsizetype>(output.caption.size())));
    cb_sound_->setMaxVisibleItems(3);
    cb_sound_->setCurrentIndex(-1);
    cb_sound_->installEventFilter(this);
    connect(cb_sound_, &QComboBox::currentIndexChanged, this, &TSplashForm::cb_soundChange);

    btn_play_ = new PictureButton(art::kSplashPlay, qtText(look::kPlayCaption), this);
    btn_play_->setGeometry(qtRect(look::kPlay));
    connect(btn_play_, &QAbstractButton::clicked, this, &TSplashForm::btn_playClick);

    btn_play_disabled_ = pictureLabel(qtRect(look::kPlay), this);
    btn_play_disabled_->setCursor(Qt::WhatsThisCursor);
    btn_play_disabled_->setToolTip(qtText(look::kPlayDisabledHint));
    btn_play_disabled_->hide();

    btn_paypal_ = new PictureButton(art::kSplashDonate, qtText(look::kDonateCaption), this);
    btn_paypal_->setGeometry(qtRect(look::kDonate));
    connect(btn_paypal_, &QAbstractButton::clicked, this, &TSplashForm::btn_paypalClick);

    chb_splashscreen_ = new QCheckBox(qtText(look::kCheckBoxCaption), this);
    chb_splashscreen_->setGeometry(qtRect(look::kCheckBox));
    chb_splashscreen_->setFont(textFont);
    chb_splashscreen_->setChecked(true);
    chb_splashscreen_->setAutoFillBackground(true);
    chb_splashscreen_->setBackgroundRole(QPalette::Window);
    QPalette p = chb_splashscreen_->palette();
    p.setColor(QPalette::Window, kDialogNavy);
    p.setColor(QPalette::WindowText, Qt::white);
    chb_splashscreen_->setPalette(p);
    chb_splashscreen_->installEventFilter(this);

    // The list and the check box first, as ever; the buttons and the links after them.
    setTabOrder(cb_sound_, chb_splashscreen_);
    setTabOrder(chb_splashscreen_, btn_play_);
    setTabOrder(btn_play_, btn_paypal_);
    setTabOrder(btn_paypal_, la_website_2_);
    setTabOrder(la_website_2_, la_email_2_);
    // Key preview: whichever control has the focus, the dialog sees Enter, 1 and Escape first.
    for (QWidget* w : {static_cast<QWidget*>(btn_play_), static_cast<QWidget*>(btn_paypal_),
                       static_cast<QWidget*>(la_website_2_), static_cast<QWidget*>(la_email_2_)})
        w->installEventFilter(this);
    new FocusRing(*this);
}

void TSplashForm::loadPictures() {
    if (picturesLoaded_) return;
    picturesLoaded_ = true;
    loadPicture(im_background_, art::kSplashBackground);
    loadPicture(im_box_picture_, art::kSplashBox);
    loadPicture(btn_play_disabled_, art::kSplashPlayDisabled);
    if (btn_play_disabled_->pixmap().isNull()) {
        btn_play_disabled_->setText(qtText(look::kPlayCaption));
        btn_play_disabled_->setFont(arialFont(14, true));
        setTextColour(btn_play_disabled_, Qt::gray);
    }
}

void TSplashForm::showEvent(QShowEvent* event) {
    loadPictures();
    QWidget::showEvent(event);
}

void TSplashForm::FormCreate() {
    la_game_title_->setText(qtText(ui::kProgramTitle));
    la_version_->setText(qtText(ui::kVersionLine));
    la_release_date_->setText(qtText(author::kReleaseLine));

    const int mode = host_.App_Settings().read(Setting::SoundMode);
    cb_sound_->setCurrentIndex(mode >= 0 && mode < cb_sound_->count() ? mode : -1);
    chb_splashscreen_->setChecked(host_.App_Settings().readFlag(Setting::SplashScreen));
    cb_soundChange();

    if (cb_sound_->currentIndex() >= 0 && !chb_splashscreen_->isChecked()) {
        move(-width(), -height());
        host_.clearSplashPending();
        btn_playClick();
        return;
    }
    centreOnScreen(*this);
}

void TSplashForm::FormActivate() { cb_sound_->setFocus(Qt::ActiveWindowFocusReason); }

void TSplashForm::cb_soundChange() {
    const bool chosen = !cb_sound_->currentText().isEmpty();
    btn_play_->setEnabled(chosen);
    btn_play_->setVisible(chosen);
    btn_play_disabled_->setVisible(!chosen);
}

void TSplashForm::btn_playClick() {
    // The sound is started once per run: a second Enter while a failed start-up is
    // ending the application, or a click racing a key, does nothing.
    if (playing_ || cb_sound_->currentText().isEmpty()) return;
    playing_ = true;
    if (!host_.startSound(cb_sound_->currentText())) return;
    const bool again = chb_splashscreen_->isChecked();
    host_.App_Settings().writeFlag(Setting::SplashScreen, again);
    Q_EMIT splashScreenStored(again);
    host_.centreWindow();
    host_.showSwitchedOff();
    played_ = true;
    hide();
}

void TSplashForm::btn_paypalClick() { QDesktopServices::openUrl(QUrl(qtText(author::kDonateUrl))); }
void TSplashForm::la_website_2Click() { QDesktopServices::openUrl(QUrl(qtText(author::kWebsiteUrl))); }
void TSplashForm::la_email_2Click() { QDesktopServices::openUrl(QUrl(qtText(author::kMailtoUrl))); }

bool TSplashForm::FormKeyDown(int keyCode) {
    if (keyCode == kVkReturn || keyCode == kVkOne) {
        if (btn_play_->isEnabled()) btn_playClick();
        return true;
    }
    if (keyCode == kVkEscape) {
        host_.quitApplication();
        return true;
    }
    return false;
}

bool TSplashForm::eventFilter(QObject* watched, QEvent* event) {
    // Key preview: the dialog sees Enter, 1 and Escape before the focused control.
    return previewDialogKey(*event, [this](int keyCode) { return FormKeyDown(keyCode); }) ||
           QWidget::eventFilter(watched, event);
}

void TSplashForm::keyPressEvent(QKeyEvent* event) {
    if (!FormKeyDown(dialogKeyCode(*event))) QWidget::keyPressEvent(event);
}

void TSplashForm::closeEvent(QCloseEvent* event) {
    // The dialog has no close button. A close request from the window manager while it is
    // up ends the application as Escape does, rather than leave the main window out of sight.
    if (isVisible() && !played_) host_.quitApplication();
    event->accept();
}

void TSplashForm::paintEvent(QPaintEvent*) {
    // Beneath the background picture: its bands, in case the picture is missing.
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.fillRect(qtRect(look::kTopBand), kDialogNavy);
    p.fillRect(qtRect(look::kBottomBand), kDialogNavy);
}

bool TSplashForm::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) FormActivate();
    return QWidget::event(event);
}

}  // namespace zn
