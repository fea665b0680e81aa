#pragma once
// Helpers for the parts of the main window around the picture: painting a control now and reading its
// pixels, mouse gestures on a canvas, and golden pictures kept in golden_view/ (looked at by eye).
#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>

#include "mainwindow/winMAIN.h"
#include "platform/Types.h"
#include "support/Golden.h"

namespace Surroundings {

inline winMAIN* Main() { return winMAIN::instance(); }

// The control as it paints now, without the controls inside it.
inline QImage Painted(QWidget* w) {
  QImage image(w->size(), QImage::Format_RGB32);
  image.fill(Qt::magenta);
  w->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
  return image;
}
// The control with the controls inside it.
inline QImage Painted_Whole(QWidget* w) { return w->grab().toImage().convertToFormat(QImage::Format_RGB32); }

inline Platform::Color At(const QImage& image, int x, int y) { return Platform::FromQRgb(image.pixel(x, y)); }

inline void Press(QWidget* w, QPoint p, Qt::MouseButton b = Qt::LeftButton) { QTest::mousePress(w, b, {}, p); }
inline void Release(QWidget* w, QPoint p, Qt::MouseButton b = Qt::LeftButton) { QTest::mouseRelease(w, b, {}, p); }
// A move with the button held, and one with the button up.
inline void DragTo(QWidget* w, QPoint p, Qt::MouseButton b = Qt::LeftButton) {
  QMouseEvent e(QEvent::MouseMove, p, w->mapToGlobal(p), Qt::NoButton, b, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}
inline void HoverAt(QWidget* w, QPoint p) {
  QMouseEvent e(QEvent::MouseMove, p, w->mapToGlobal(p), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}
// Press, one drag step to the end point, release there.
inline void Drag(QWidget* w, QPoint from, QPoint to) {
  Press(w, from);
  DragTo(w, to);
  Release(w, to);
}

// Empty when the picture equals the golden one kept in golden_view/.
inline QString Against_Golden(const QImage& image, const QString& name) {
  return Golden::Compare(image, QStringLiteral("mainwindow/golden_view"), name);
}

// Texts drawn with a known font, so that golden pictures do not depend on the machine's default.
struct KnownFont {
  QFont before = QApplication::font();
  KnownFont() { QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"))); }
  ~KnownFont() { QApplication::setFont(before); }
};

}  // namespace Surroundings
