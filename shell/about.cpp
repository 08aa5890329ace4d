#include "shell/about.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QUrl>

#include "display/dialogart.h"
#include "input/dialoglook.h"
#include "shell/authordetails.h"

namespace zn {
namespace {

const QColor kLinkYellow(255, 255, 0);

constexpr int kWebsiteRow = 5;
constexpr int kEmailRow = 6;

}  // namespace

TAboutForm::TAboutForm(QWidget* parent) : QWidget(parent, kDialogWindowFlags | Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("About the author..."));
    setFixedSize(397, 176);

    im_picture_ = new QLabel(this);
    im_picture_->setGeometry(8, 8, 116, 160);
    im_picture_->setScaledContents(true);  // the portrait is read at the first showing

    struct Row {
        const char* caption;
        QString value;
    };
    const Row rows[7] = {
        {"Name:", author::kName},
        {"Birthplace:", author::kBirthplace},
        {"Birth date:", author::kBirthdate},
        {"Occupation:", author::kOccupation},
        {"Hobby:", author::kHobby},
        {"Website:", author::kWebsiteText},
        {"Email:", author::kEmail},
    };
    for (int r = 0; r < 7; ++r) {
        const int top = 8 + 24 * r;
        captions_[r] = new QLabel(QString::fromLatin1(rows[r].caption), this);
        captions_[r]->setGeometry(132, top, 76, 16);
        captions_[r]->setFont(arialFont(11));
        setTextColour(captions_[r], Qt::white);

        QFont f = arialFont(11, true);
        if (r == 4) f.setItalic(true);
        if (r == kWebsiteRow || r == kEmailRow) {
            auto* link = new LinkLabel(rows[r].value, this);
            connect(link, &LinkLabel::clicked, this,
                    r == kWebsiteRow ? &TAboutForm::la_website_2Click : &TAboutForm::la_email_2Click);
            values_[r] = link;
            f = arialFont(12, true);
            f.setUnderline(true);
            setTextColour(values_[r], kLinkYellow);
        } else {
            values_[r] = new QLabel(rows[r].value, this);
            setTextColour(values_[r], Qt::white);
        }
        values_[r]->setGeometry(212, top, 181, 16);
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
    QDesktopServices::openUrl(QUrl(author::kWebsiteUrl));
    hide();
}

void TAboutForm::la_email_2Click() {
    QDesktopServices::openUrl(QUrl(author::kMailtoUrl));
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
