// The up/down button control: painting, mouse repetition and arrow keys.
#include "common/up_down_button.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QTimer>

namespace orv {

UpDownButton::UpDownButton(QWidget* parent) : QWidget(parent), repeat_(new QTimer(this)) {
    setFocusPolicy(Qt::StrongFocus);
    connect(repeat_, &QTimer::timeout, this, &UpDownButton::repeat);
}

void UpDownButton::fire(int half) {
    if (half > 0)
        Q_EMIT upClick();
    else
        Q_EMIT downClick();
}

void UpDownButton::repeat() {
    repeat_->setInterval(kRepeatMs);
    if (held_ != 0 && onHeld_)
        fire(held_);
}

void UpDownButton::release() {
    repeat_->stop();
    held_ = 0;
    update();
}

void UpDownButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    held_ = halfAt(event->position().toPoint());
    onHeld_ = true;
    update();
    repeat_->start(kFirstRepeatMs);
    fire(held_);
}

void UpDownButton::mouseMoveEvent(QMouseEvent* event) {
    if (held_ == 0)
        return;
    const QPoint p = event->position().toPoint();
    const bool on = rect().contains(p) && halfAt(p) == held_;
    if (on != onHeld_) {
        onHeld_ = on;
        update();
    }
}

void UpDownButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        release();
}

void UpDownButton::hideEvent(QHideEvent* event) {
    release();
    QWidget::hideEvent(event);
}

void UpDownButton::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up)
        Q_EMIT upClick();
    else if (event->key() == Qt::Key_Down)
        Q_EMIT downClick();
    else
        QWidget::keyPressEvent(event);
}

void UpDownButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int h = height() / 2;
    const QRect halves[2] = {QRect(0, 0, width(), h), QRect(0, h, width(), height() - h)};
    for (int i = 0; i < 2; ++i) {
        const int half = i == 0 ? 1 : -1;
        QStyleOptionButton button;
        button.initFrom(this);
        button.rect = halves[i];
        button.state |= (held_ == half && onHeld_) ? QStyle::State_Sunken : QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &button, &p, this);
        // A dark triangle reads on every style's button face.
        const QRect r = halves[i];
        const int cx = r.center().x() + 1;
        const int cy = r.center().y() + 1;
        const int s = std::max(2, std::min(r.width(), r.height()) / 4);
        const QPolygon shape =
            half > 0 ? QPolygon({QPoint(cx - s, cy + s / 2), QPoint(cx + s, cy + s / 2),
                                 QPoint(cx, cy - s / 2 - 1)})
                     : QPolygon({QPoint(cx - s, cy - s / 2), QPoint(cx + s, cy - s / 2),
                                 QPoint(cx, cy + s / 2 + 1)});
        p.setPen(Qt::NoPen);
        p.setBrush(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                   QPalette::ButtonText));
        p.drawPolygon(shape);
    }
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(2, 2, -2, -2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
    }
}

} // namespace orv
