#include "platform/Canvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QWheelEvent>

namespace Platform {

Canvas::Canvas(QWidget* parent, const QString& name) : QWidget(parent) {
  if (!name.isEmpty()) setObjectName(name);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void Canvas::Invalidate(bool) { update(); }

void Canvas::Draw(QPainter& p) {
  if (Backdrop) {
    Graphics g(&p, width(), height());
    g.DrawPicture(Backdrop, 0, 0);
  }
  if (Paint) {
    Graphics g(&p, width(), height());
    Paint(g);
  }
}

void Canvas::paintEvent(QPaintEvent*) {
  if (isEnabled()) {
    QPainter p(this);
    Draw(p);
    return;
  }
  // Disabled, the control is drawn greyed as Qt greys its own disabled controls' pictures, so that a
  // control that takes no clicks looks it.
  const qreal ratio = devicePixelRatioF();
  QImage drawn((QSizeF(size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
  drawn.setDevicePixelRatio(ratio);
  drawn.fill(Qt::transparent);
  {
    QPainter offscreen(&drawn);
    Draw(offscreen);
  }
  QStyleOption option;
  option.initFrom(this);
  const QPixmap greyed = style()->generatedIconPixmap(QIcon::Disabled, QPixmap::fromImage(drawn), &option);
  QPainter p(this);
  p.drawPixmap(0, 0, greyed);
}

void Canvas::mousePressEvent(QMouseEvent* e) {
  contextual_ = e->button() == Qt::RightButton ||
                (e->button() == Qt::LeftButton && (e->modifiers() & Qt::MetaModifier));
  const QPoint p = e->position().toPoint();
  // A press handler that lets events run on the way (a repaint) may meet the release that follows it:
  // that release waits until the press has finished.
  inPress_ = true;
  pendingRelease_.reset();
  try {
    pressed_ = MouseDown ? MouseDown(p.x(), p.y()) : false;
  } catch (...) {
    inPress_ = false;
    throw;
  }
  inPress_ = false;
  if (pendingRelease_) {
    const QPoint r = *pendingRelease_;
    pendingRelease_.reset();
    if (!pressed_) return;
    pressed_ = false;
    if (MouseUp) MouseUp(r.x(), r.y());
  }
}

void Canvas::mouseMoveEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  if (e->buttons() != Qt::NoButton) {
    if (pressed_ && MouseDrag) MouseDrag(p.x(), p.y());
  } else if (MouseMove) {
    MouseMove(p.x(), p.y());
  }
}

void Canvas::mouseReleaseEvent(QMouseEvent* e) {
  if (inPress_) {
    pendingRelease_ = e->position().toPoint();
    return;
  }
  if (!pressed_) return;
  pressed_ = false;
  const QPoint p = e->position().toPoint();
  if (MouseUp) MouseUp(p.x(), p.y());
}

void Canvas::enterEvent(QEnterEvent*) {
  if (MouseEnter) MouseEnter();
}

void Canvas::leaveEvent(QEvent*) {
  if (MouseExit) MouseExit();
}

void Canvas::wheelEvent(QWheelEvent* e) {
  // Whole wheel units: one notch (120 eighths of a degree) is one unit.
  wheelRemainder_ += e->angleDelta();
  const int dx = wheelRemainder_.x() / 120, dy = wheelRemainder_.y() / 120;
  wheelRemainder_ -= QPoint(dx * 120, dy * 120);
  const QPoint p = e->position().toPoint();
  // The framework counts a wheel turned towards the user as positive.
  if ((dx || dy) && MouseWheel && MouseWheel(p.x(), p.y(), -dx, -dy)) e->accept();
  else e->ignore();
}

void Canvas::keyPressEvent(QKeyEvent* e) {
  if (KeyDown && KeyDown(KeyText(e))) e->accept();
  else QWidget::keyPressEvent(e);
}

QString KeyText(const QKeyEvent* e) {
  switch (e->key()) {
    case Qt::Key_Return: return QString(QChar(13));
    case Qt::Key_Enter: return QString(QChar(3));
    case Qt::Key_Tab: return QString(QChar(9));
    case Qt::Key_Backspace: return QString(QChar(8));
    case Qt::Key_Delete: return QString(QChar(127));
    case Qt::Key_Escape: return QString(QChar(27));
    case Qt::Key_Left: return QString(QChar(28));
    case Qt::Key_Right: return QString(QChar(29));
    case Qt::Key_Up: return QString(QChar(30));
    case Qt::Key_Down: return QString(QChar(31));
    default: return e->text();
  }
}

}  // namespace Platform
