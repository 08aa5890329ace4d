#include "display/gamemenu.h"

#include <QAction>
#include <QEnterEvent>
#include <QFont>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>

#include "display/dialogart.h"
#include "ui/gamemenufocus.h"

namespace zn {

namespace {

namespace look = ui::gamemenu;

// Arial whose character cell (ascent plus descent) is at most cellHeight pixels: the size a
// negative point size asks for. Arial's cell is about 1.12 em, so a 16-pixel cell is a 14-pixel
// em; the loop holds for whichever font stands in.
QFont arialCellFont(QFont f, int cellHeight) {
    for (int px = cellHeight; px > 1; --px) {
        f.setPixelSize(px);
        if (QFontMetrics(f).height() <= cellHeight) break;
    }
    return f;
}

// Draws text scaled to fill box exactly, so that it never spills over the box's edges.
void drawTextInBox(QPainter& p, const QString& text, const QRectF& box, QFont f) {
    f.setPixelSize(64);
    f.setBold(true);
    QPainterPath path;
    path.addText(0, 0, f, text);
    const QRectF b = path.boundingRect();
    QTransform t;
    t.translate(box.left(), box.top());
    t.scale(box.width() / b.width(), box.height() / b.height());
    t.translate(-b.left(), -b.top());
    p.save();
    p.setClipRect(box);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.fillPath(t.map(path), Qt::white);
    p.restore();
}

// The keyboard focus's ring around the menu's button: the dialogs' yellow, two pixels wide.
class ButtonRing : public QWidget {
public:
    explicit ButtonRing(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(0, 0, look::kClosedWidth, look::kClosedHeight);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QColor yellow(255, 200, 40);
        const QRect r = rect();
        p.fillRect(r.left(), r.top(), r.width(), 2, yellow);
        p.fillRect(r.left(), r.bottom() - 1, r.width(), 2, yellow);
        p.fillRect(r.left(), r.top(), 2, r.height(), yellow);
        p.fillRect(r.right() - 1, r.top(), 2, r.height(), yellow);
    }
};

}  // namespace

// ---------------------------------------------------------------------------------------------

MenuRowLabel::MenuRowLabel(GameMenu& menu, QAction* item, QWidget* parent)
    : QLabel(parent), menu_(menu), item_(item) {
    setObjectName(QStringLiteral("la_menu_item"));
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setAutoFillBackground(false);
    if (GameMenu::isSeparator(item)) {
        // No cursor of its own: the arrow, never the cursor the window shows at the moment.
        setCursor(Qt::ArrowCursor);
        return;
    }

    setFont(arialCellFont(menu.arial(), GameMenu::kRowFontCell));
    QPalette pal = palette();
    pal.setColor(QPalette::Active, QPalette::WindowText, Qt::white);
    pal.setColor(QPalette::Inactive, QPalette::WindowText, Qt::white);
    pal.setColor(QPalette::Disabled, QPalette::WindowText, QColor(128, 128, 128));
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setText(GameMenu::rowText(item->text(), item->isChecked()));
    setCursor(Qt::PointingHandCursor);
    setEnabled(item->isEnabled());
    handlers_ = item->isEnabled();
}

// The right button belongs to the window (it opens the popup menu); every other press
// stays with the row, so nothing below the open panel sees it.
void MenuRowLabel::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::RightButton) {
        e->ignore();
        return;
    }
    e->accept();
}

// The click (primary button released inside the row it was pressed on) runs before the
// mouse-up handler, which may close the menu; rows are only hidden then and deleted
// later, so this row outlives its own release event.
void MenuRowLabel::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::RightButton) {
        e->ignore();
        return;
    }
    e->accept();
    if (!handlers_) return;
    const QPoint pos = e->position().toPoint();
    QPointer<MenuRowLabel> self(this);
    if (e->button() == Qt::LeftButton && rect().contains(pos) && item_) item_->trigger();
    if (self) menu_.la_menu_itemMouseUp(*this, e->button(), e->buttons(), pos.x(), pos.y());
}

void MenuRowLabel::enterEvent(QEnterEvent* e) {
    QLabel::enterEvent(e);
    if (handlers_) menu_.la_menu_itemMouseEnter(*this);
}

void MenuRowLabel::leaveEvent(QEvent* e) {
    QLabel::leaveEvent(e);
    if (handlers_) menu_.la_menu_itemMouseLeave(*this);
}

// ---------------------------------------------------------------------------------------------

GameMenu::GameMenu(QWidget& rowParent, GfxTarget& target, MenuHost& host, const QFont& arial)
    : QObject(&rowParent), rowParent_(rowParent), target_(target), host_(host), arial_(arial) {
    // Closed, the panel shows only its icon corner: the words cost font work, so they are
    // drawn when the menu first opens.
    target_.setPicture(img::btn_game_menu_background, panelBackground());
    for (ImageId id : {img::btn_game_menu_background, img::btn_game_menu_top}) {
        target_.setImageLeft(id, 0);
        target_.setImageTop(id, 0);
        target_.setImageWidth(id, kClosedWidth);
        target_.setImageHeight(id, kClosedHeight);
    }
}

GameMenu::~GameMenu() {
    for (auto& r : Vid_Menu_Rows) delete r.data();
}

QImage GameMenu::panelBackground() {
    QImage pic(look::kPictureWidth, look::kPictureHeight, QImage::Format_ARGB32_Premultiplied);
    pic.fill(QColor(0, 0, 0, look::kPanelAlpha));
    QPainter p(&pic);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(0, 0, look::kPictureWidth, look::kCaptionRowHeight, Qt::black);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    for (int y : look::kIconBarTops) p.fillRect(look::kIconBarLeft, y, look::kIconBarWidth, 1, Qt::white);
    p.end();
    return pic;
}

QImage GameMenu::panelPicture(const QFont& arial) {
    QImage pic = panelBackground();
    QPainter p(&pic);
    drawTextInBox(p, qtText(look::kCaption),
                  QRectF(look::kCaptionLeft, look::kCaptionTop, look::kCaptionWidth, look::kCaptionHeight),
                  arial);
    p.end();
    return pic;
}

QString GameMenu::rowText(const QString& caption, bool checked) {
    return QString::fromStdString(look::rowText(caption.toStdString(), checked));
}

bool GameMenu::isSeparator(const QAction* item) {
    return item == nullptr || item->isSeparator() || item->text() == QStringLiteral("-");
}

void GameMenu::btn_game_menu_topClick() {
    host_.setGameMenuOpen(!host_.gameMenuOpen());
    Vid_Display_Game_Menu(host_.gameMenuOpen());
}

void GameMenu::Vid_Display_Game_Menu(bool open) {
    host_.setGameMenuOpen(open);
    if (open)
        buildRows();
    else
        removeRows();
}

// Leaving full screen leaves the menu's focus too.
void GameMenu::close() {
    Vid_Display_Game_Menu(false);
    if (!host_.fullscreen()) focus_ = -1;
    showFocus();
}

void GameMenu::focusStep(bool forward) {
    std::array<bool, kRowCount> choosable{};
    for (int i = 0; i < kRowCount; ++i) {
        const QAction* item = Vid_Menu_Items[static_cast<std::size_t>(i)];
        choosable[static_cast<std::size_t>(i)] = !isSeparator(item) && item->isEnabled();
    }
    focus_ = ui::nextGameMenuFocus(focus_, forward, isOpen(), choosable);
    showFocus();
}

bool GameMenu::choose() {
    if (focus_ < 0) return false;
    if (focus_ == 0) {
        btn_game_menu_topClick();
    } else if (MenuRowLabel* r = row(focus_); r && r->hasHandlers()) {
        focus_ = 0;
        if (QAction* item = r->item()) item->trigger();
        Vid_Display_Game_Menu(false);
    }
    showFocus();
    return true;
}

void GameMenu::showFocus() {
    if (!buttonRing_) buttonRing_ = new ButtonRing(&rowParent_);
    buttonRing_->setVisible(focus_ == 0 && host_.fullscreen());
    if (buttonRing_->isVisible()) buttonRing_->raise();
    for (int i = 1; i <= kRowCount; ++i)
        if (MenuRowLabel* r = row(i); r && r->hasHandlers() && !r->underMouse()) r->setAutoFillBackground(i == focus_);
}

void GameMenu::buildRows() {
    removeRows();  // building twice must not leave a second set of rows behind
    if (!captionDrawn_) {
        target_.setPicture(img::btn_game_menu_background, panelPicture(arial_));
        captionDrawn_ = true;
    }
    for (int i = 1; i <= kRowCount; ++i) {
        auto* row = new MenuRowLabel(*this, Vid_Menu_Items[i - 1], &rowParent_);
        row->setGeometry(0, kRowHeight * i, kOpenWidth, kRowHeight);
        row->show();
        row->raise();
        Vid_Menu_Rows[i - 1] = row;
    }
    target_.setImageWidth(img::btn_game_menu_background, kOpenWidth);
    target_.setImageHeight(img::btn_game_menu_background, kOpenHeight);
}

void GameMenu::removeRows() {
    for (auto& r : Vid_Menu_Rows) {
        if (!r) continue;
        r->hide();
        r->deleteLater();
        r = nullptr;
    }
    target_.setImageHeight(img::btn_game_menu_background, kClosedHeight);
    target_.setImageWidth(img::btn_game_menu_background, kClosedWidth);
}

void GameMenu::la_menu_itemMouseEnter(MenuRowLabel& row) { row.setAutoFillBackground(true); }

void GameMenu::la_menu_itemMouseLeave(MenuRowLabel& left) { left.setAutoFillBackground(row(focus_) == &left); }

// Only the primary button closes the menu; a middle-button release does nothing, and a
// right click reaches the window, whose popup menu closes the game menu as it opens.
void GameMenu::la_menu_itemMouseUp(MenuRowLabel&, Qt::MouseButton button, Qt::MouseButtons, int, int) {
    if (button != Qt::LeftButton) return;
    Vid_Display_Game_Menu(false);
}

}  // namespace zn
