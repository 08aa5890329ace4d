// The surface under the pointer: which image a point hits, the press that holds the mouse
// until it is released, the pointer's shape and the tooltips.
#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>

#include "display/surface.h"

namespace zn {

void Surface::setImageCursor(ImageId id, Qt::CursorShape shape) { images_[index(id)].cursor = shape; }

void Surface::setImageToolTip(ImageId id, const QString& text) { images_[index(id)].toolTip = text; }

std::optional<ImageId> Surface::imageAt(QPoint p) const {
    for (int i = kImageCount - 1; i >= 0; --i) {
        const ImageId id = img::at(i);
        if (images_[static_cast<std::size_t>(i)].visible && widgetRect(id).contains(p)) return id;
    }
    return std::nullopt;
}

void Surface::updateCursor(QPoint pos) {
    const auto id = imageAt(pos);
    const Qt::CursorShape shape = id ? images_[index(*id)].cursor : Qt::ArrowCursor;
    if (cursor().shape() != shape) setCursor(shape);
}

void Surface::mousePressEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    if (e->buttons() == e->button() || !captured_) captured_ = imageAt(pos);  // first button: new capture
    if (!captured_) return;
    Q_EMIT imagePressed(*captured_, e->button(), pos - widgetRect(*captured_).topLeft());
}

void Surface::mouseDoubleClickEvent(QMouseEvent* e) { mousePressEvent(e); }

void Surface::mouseReleaseEvent(QMouseEvent* e) {
    if (!captured_) return;
    const ImageId id = *captured_;
    const QPoint pos = e->position().toPoint();
    if (e->buttons() == Qt::NoButton) captured_.reset();
    Q_EMIT imageReleased(id, e->button(), pos - widgetRect(id).topLeft());
    if (e->button() == Qt::LeftButton && images_[index(id)].visible && widgetRect(id).contains(pos))
        Q_EMIT imageClicked(id);
    if (!captured_) updateCursor(pos);
}

void Surface::mouseMoveEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    if (captured_ && e->buttons() != Qt::NoButton) {
        Q_EMIT imageMoved(*captured_, e->buttons(), pos - widgetRect(*captured_).topLeft());
        return;
    }
    captured_.reset();
    updateCursor(pos);
    if (const auto id = imageAt(pos)) Q_EMIT imageMoved(*id, e->buttons(), pos - widgetRect(*id).topLeft());
}

bool Surface::event(QEvent* e) {
    if (e->type() == QEvent::ToolTip) {
        auto* he = static_cast<QHelpEvent*>(e);
        const auto id = imageAt(he->pos());
        if (id && !images_[index(*id)].toolTip.isEmpty())
            QToolTip::showText(he->globalPos(), images_[index(*id)].toolTip, this, widgetRect(*id));
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(e);
}

}  // namespace zn
