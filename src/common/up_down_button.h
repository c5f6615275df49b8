// An up/down button: two arrow halves raising an up or a down event. Holding
// a half repeats its event, the first time after 400 ms and then every
// 100 ms while the pointer stays on it; the Up and Down keys raise the events
// while the control has the focus.
#pragma once

#include <QWidget>

class QTimer;

namespace orv {

class UpDownButton : public QWidget {
    Q_OBJECT
public:
    explicit UpDownButton(QWidget* parent = nullptr);

    static constexpr int kFirstRepeatMs = 400;
    static constexpr int kRepeatMs = 100;

    // The half held down with the mouse: +1 the upper, -1 the lower, 0 none.
    int heldHalf() const { return held_; }
    // The repetition timer, running while a half is held.
    const QTimer& repeatTimer() const { return *repeat_; }

    QSize sizeHint() const override { return {20, 34}; }

Q_SIGNALS:
    void upClick();
    void downClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    int halfAt(QPoint pos) const { return pos.y() < height() / 2 ? 1 : -1; }
    void fire(int half);
    void repeat();
    void release();

    QTimer* repeat_;
    int held_ = 0;
    bool onHeld_ = false; // the pointer is over the held half
};

} // namespace orv
