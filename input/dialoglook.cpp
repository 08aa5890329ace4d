#include "input/dialoglook.h"

#include <QApplication>
#include <QCheckBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QRegion>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "input/keytable.h"

namespace zn {

std::uint16_t dialogKeyCode(const QKeyEvent& e) {
    switch (e.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return kVkReturn;
        case Qt::Key_Escape:
            return kVkEscape;
        default:
            return virtualKeyCode(e);
    }
}

bool previewDialogKey(QEvent& event, const std::function<bool(int keyCode)>& formKeyDown) {
    return event.type() == QEvent::KeyPress && formKeyDown(dialogKeyCode(static_cast<QKeyEvent&>(event)));
}

QFont arialFont(int pixelSize, bool bold) {
    QFont f;
    f.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

void setTextColour(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, colour);
    w->setPalette(p);
}

QRect screenGeometry() {
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry() : QRect(0, 0, 1024, 768);
}

void centreOnScreen(QWidget& window) {
    const QRect screen = screenGeometry();
    window.move(screen.left() + std::max(0, (screen.width() - window.width()) / 2),
                screen.top() + std::max(0, (screen.height() - window.height()) / 2));
}

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

void LinkLabel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (event->isAutoRepeat()) break;
            event->accept();
            Q_EMIT clicked();
            return;
        default:
            break;
    }
    QLabel::keyPressEvent(event);
}

QRect focusRingTarget(const QWidget& control) {
    QRect r = control.geometry();
    const auto* label = qobject_cast<const QLabel*>(&control);
    const bool showsText =
        (label != nullptr && label->pixmap().isNull()) || qobject_cast<const QCheckBox*>(&control) != nullptr;
    if (showsText) {
        // A label's text sits where its alignment puts it; a check box's after its box.
        const int used = std::min(r.width(), control.sizeHint().width());
        const Qt::Alignment align = label != nullptr ? label->alignment() : Qt::AlignLeft;
        if (align.testFlag(Qt::AlignHCenter))
            r = QRect(r.left() + (r.width() - used) / 2, r.top(), used, r.height());
        else if (align.testFlag(Qt::AlignRight))
            r = QRect(r.right() + 1 - used, r.top(), used, r.height());
        else
            r.setWidth(used);
    }
    return r;
}

FocusRing::FocusRing(QWidget& dialog) : QWidget(&dialog), dialog_(dialog) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { follow(now); });
}

void FocusRing::follow(QWidget* focused) {
    const bool ours = focused != nullptr && focused != &dialog_ && dialog_.isAncestorOf(focused) &&
                      focused->isActiveWindow();
    if (!ours) {
        target_ = nullptr;
        hide();
        return;
    }
    target_ = focused;
    const QRect inner = focusRingTarget(*focused).translated(focused->parentWidget()->mapTo(&dialog_, QPoint()));
    const int out = kFocusRingGap + kFocusRingWidth;
    setGeometry(inner.adjusted(-out, -out, out, out));
    // Only the ring itself is this widget: the control inside it is drawn and clicked as ever.
    const QRect all = rect();
    setMask(QRegion(all).subtracted(QRegion(all.adjusted(kFocusRingWidth, kFocusRingWidth, -kFocusRingWidth,
                                                         -kFocusRingWidth))));
    raise();
    show();
    update();
}

void FocusRing::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect all = rect();
    p.fillRect(all, kDialogNavy);
    p.fillRect(all.adjusted(1, 1, -1, -1), kFocusRingYellow);
    p.fillRect(all.adjusted(3, 3, -3, -3), kDialogNavy);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        event->accept();
        Q_EMIT clicked();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

}  // namespace zn
