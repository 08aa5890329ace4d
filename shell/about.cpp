#include "shell/about.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QUrl>

#include "display/gamefolder.h"

namespace zn {
namespace {

const QColor kBackground(8, 41, 82);
const QColor kLinkYellow(255, 255, 0);

constexpr int kWebsiteRow = 5;
constexpr int kEmailRow = 6;

}  // namespace

QString Dlg_Art_File(const QString& name) {
    const QString relative = QStringLiteral("Graphics/Dialogs/") + name;
    const QString inGameFolder = QDir(gameFolder()).filePath(relative);
    if (QFileInfo::exists(inGameFolder)) return inGameFolder;
    if (QFileInfo::exists(relative)) return QFileInfo(relative).absoluteFilePath();
    return {};
}

void Dlg_Text_Colour(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, colour);
    w->setPalette(p);
}

QFont Dlg_Arial(int pixelSize, bool bold) {
    static const bool substituted = [] {
        QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
        return true;
    }();
    (void)substituted;
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

TAboutForm::TAboutForm(QWidget* parent)
    : QWidget(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("About the author..."));
    setFixedSize(397, 176);

    im_picture_ = new QLabel(this);
    im_picture_->setGeometry(8, 8, 116, 160);
    im_picture_->setScaledContents(true);
    const QString portrait = Dlg_Art_File(QStringLiteral("about_portrait.png"));
    if (!portrait.isEmpty()) im_picture_->setPixmap(QPixmap(portrait));

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
        captions_[r]->setFont(Dlg_Arial(11));
        Dlg_Text_Colour(captions_[r], Qt::white);

        values_[r] = new QLabel(rows[r].value, this);
        values_[r]->setGeometry(212, top, 181, 16);
        QFont f = Dlg_Arial(11, true);
        if (r == 4) f.setItalic(true);
        Dlg_Text_Colour(values_[r], Qt::white);
        if (r == kWebsiteRow || r == kEmailRow) {
            f = Dlg_Arial(12, true);
            f.setUnderline(true);
            Dlg_Text_Colour(values_[r], kLinkYellow);
            values_[r]->setCursor(Qt::PointingHandCursor);
            values_[r]->installEventFilter(this);
        }
        values_[r]->setFont(f);
    }
    FormCreate();
}

void TAboutForm::FormCreate() {
    // Centred on the screen at every showing (showEvent); always in front of the others.
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

bool TAboutForm::FormKeyDown(int keyCode) {
    if (keyCode != 27) return false;
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

bool TAboutForm::eventFilter(QObject* watched, QEvent* event) {
    // A link is clicked when the left button is released over it.
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* m = static_cast<QMouseEvent*>(event);
        const auto* label = static_cast<QLabel*>(watched);
        if (m->button() == Qt::LeftButton && label->rect().contains(m->position().toPoint())) {
            if (watched == values_[kWebsiteRow]) {
                la_website_2Click();
                return true;
            }
            if (watched == values_[kEmailRow]) {
                la_email_2Click();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TAboutForm::keyPressEvent(QKeyEvent* event) {
    if (!FormKeyDown(event->key() == Qt::Key_Escape ? 27 : 0)) QWidget::keyPressEvent(event);
}

void TAboutForm::showEvent(QShowEvent* event) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect s = screen->geometry();
        move(s.x() + (s.width() - width()) / 2, s.y() + (s.height() - height()) / 2);
    }
    QWidget::showEvent(event);
}

void TAboutForm::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), kBackground);
}

}  // namespace zn
