#include "input/dialoglook.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>
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
