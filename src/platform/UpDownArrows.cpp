#include "platform/UpDownArrows.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace Platform {

namespace {
// Held down, the first repeat comes after a pause, the next ones quickly.
constexpr int kFirstRepeatMs = 400;
constexpr int kRepeatMs = 80;
}  // namespace

UpDownArrows::UpDownArrows(QWidget* parent, const QString& name) : QWidget(parent) {
  setObjectName(name);
  setFocusPolicy(Qt::NoFocus);
  repeat_.setSingleShot(false);
  connect(&repeat_, &QTimer::timeout, this, [this] {
    repeat_.setInterval(kRepeatMs);
    Step();
  });
}

void UpDownArrows::Step() {
  if (held_ > 0 && Up) Up();
  else if (held_ < 0 && Down) Down();
}

void UpDownArrows::Stop() {
  repeat_.stop();
  if (held_ != 0) {
    held_ = 0;
    update();
  }
}

void UpDownArrows::Click(bool up) {
  held_ = up ? 1 : -1;
  Step();
  Stop();
}

void UpDownArrows::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton || !isEnabled()) return;
  held_ = e->position().y() < height() / 2.0 ? 1 : -1;
  update();
  Step();
  repeat_.start(kFirstRepeatMs);
}

void UpDownArrows::mouseReleaseEvent(QMouseEvent*) { Stop(); }

void UpDownArrows::changeEvent(QEvent* e) {
  if (e->type() == QEvent::EnabledChange && !isEnabled()) Stop();
  QWidget::changeEvent(e);
}

void UpDownArrows::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing, true);
  const QPalette& pal = palette();
  const double w = width(), h = height(), half = h / 2.0;
  for (int part = 0; part < 2; ++part) {
    const bool up = part == 0;
    const QRectF box(0.5, up ? 0.5 : half + 0.5, w - 1, half - 1);
    const bool down = held_ == (up ? 1 : -1);
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    const QColor base = pal.color(QPalette::Button);
    fill.setColorAt(0, down ? base.darker(125) : base.lighter(108));
    fill.setColorAt(1, down ? base.darker(112) : base.darker(106));
    p.setPen(QPen(pal.color(QPalette::Mid), 1));
    p.setBrush(fill);
    p.drawRoundedRect(box, 2, 2);
    // The arrow: a small triangle in the middle of its half.
    const double cx = w / 2.0, cy = box.center().y(), s = std::min(w, half) * 0.22;
    QPainterPath arrow;
    if (up) {
      arrow.moveTo(cx - s - 0.5, cy + s * 0.6);
      arrow.lineTo(cx + s + 0.5, cy + s * 0.6);
      arrow.lineTo(cx, cy - s * 0.8);
    } else {
      arrow.moveTo(cx - s - 0.5, cy - s * 0.6);
      arrow.lineTo(cx + s + 0.5, cy - s * 0.6);
      arrow.lineTo(cx, cy + s * 0.8);
    }
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(pal.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    p.drawPath(arrow);
  }
}

}  // namespace Platform
