#include "shell/about.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QUrl>

#include "display/dialogart.h"
#include "input/dialoglook.h"
#include "ui/dialogdata.h"

namespace zn {
namespace {

const QColor kLinkYellow(255, 255, 0);

namespace look = ui::about;

constexpr int kWebsiteRow = look::kWebsiteRow;
constexpr int kEmailRow = look::kEmailRow;

}  // namespace

TAboutForm::TAboutForm(QWidget* parent) : QWidget(parent, kDialogWindowFlags | Qt::WindowCloseButtonHint) {
    setWindowTitle(qtText(look::kCaption));
    setFixedSize(look::kWidth, look::kHeight);

    im_picture_ = new QLabel(this);
    im_picture_->setGeometry(qtRect(look::kPortrait));
    im_picture_->setScaledContents(true);  // the portrait is read at the first showing

    for (int r = 0; r < 7; ++r) {
        const ui::about::Row& row = look::kRows[r];
        captions_[r] = new QLabel(qtText(row.caption), this);
        captions_[r]->setGeometry(qtRect(look::captionRect(r)));
        captions_[r]->setFont(arialFont(11));
        setTextColour(captions_[r], Qt::white);

        QFont f = arialFont(11, true);
        f.setItalic(row.italic);
        if (r == kWebsiteRow || r == kEmailRow) {
            auto* link = new LinkLabel(qtText(row.value), this);
            connect(link, &LinkLabel::clicked, this,
                    r == kWebsiteRow ? &TAboutForm::la_website_2Click : &TAboutForm::la_email_2Click);
            values_[r] = link;
            f = arialFont(12, true);
            f.setUnderline(true);
            setTextColour(values_[r], kLinkYellow);
        } else {
            values_[r] = new QLabel(qtText(row.value), this);
            setTextColour(values_[r], Qt::white);
        }
        values_[r]->setGeometry(qtRect(look::valueRect(r)));
        values_[r]->setFont(f);
    }
    // The dialog answers Escape only: its links are for the mouse, so no key opens a browser.
    values_[kWebsiteRow]->setFocusPolicy(Qt::NoFocus);
    values_[kEmailRow]->setFocusPolicy(Qt::NoFocus);
    FormCreate();
}

void TAboutForm::FormCreate() {
    // Centred on the screen at every showing (showEvent); always in front of the others.
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

bool TAboutForm::FormKeyDown(int keyCode) {
    if (keyCode != kVkEscape) return false;
    hide();
    return true;
}

void TAboutForm::la_website_2Click() {
    QDesktopServices::openUrl(QUrl(qtText(look::kRows[kWebsiteRow].url)));
    hide();
}

void TAboutForm::la_email_2Click() {
    QDesktopServices::openUrl(QUrl(qtText(look::kRows[kEmailRow].url)));
    hide();
}

void TAboutForm::keyPressEvent(QKeyEvent* event) {
    if (!FormKeyDown(dialogKeyCode(*event))) QWidget::keyPressEvent(event);
}

void TAboutForm::showEvent(QShowEvent* event) {
    if (!portraitLoaded_) {
        portraitLoaded_ = true;
        const QString portrait = dialogArtFile(art::kAboutPortrait);
        if (!portrait.isEmpty()) im_picture_->setPixmap(QPixmap(portrait));
    }
    centreOnScreen(*this);
    QWidget::showEvent(event);
}

void TAboutForm::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), kDialogNavy);
}

}  // namespace zn
