#pragma once
// Helpers for the parts of the main window around the picture: painting a control now and reading its
// pixels, mouse gestures on a canvas, and golden pictures kept in golden_view/ (looked at by eye).
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>

#include "mainwindow/winMAIN.h"
#include "platform/Types.h"

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

inline QString Golden_Path(const QString& name) {
  return qEnvironmentVariable("PIXMURA_SOURCE_DIR") + QStringLiteral("/tests/mainwindow/golden_view/") + name + ".png";
}

// Empty when the picture equals the golden one; PIXMURA_WRITE_GOLDEN=1 writes it instead.
inline QString Against_Golden(const QImage& image, const QString& name) {
  const QString path = Golden_Path(name);
  if (qEnvironmentVariableIntValue("PIXMURA_WRITE_GOLDEN")) {
    QDir().mkpath(QFileInfo(path).path());
    return image.save(path) ? QString() : QStringLiteral("cannot write ") + path;
  }
  const QImage golden = QImage(path).convertToFormat(QImage::Format_RGB32);
  if (golden.isNull()) return QStringLiteral("no golden picture ") + path;
  if (golden.size() != image.size()) return QStringLiteral("size differs from ") + path;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (golden.pixel(x, y) != image.pixel(x, y)) {
        const QString actual = QDir::tempPath() + "/" + name + "-actual.png";
        image.save(actual);
        return QStringLiteral("%1 differs at (%2, %3); drawn: %4").arg(path).arg(x).arg(y).arg(actual);
      }
  return {};
}

// Texts drawn with a known font, so that golden pictures do not depend on the machine's default.
struct KnownFont {
  QFont before = QApplication::font();
  KnownFont() { QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"))); }
  ~KnownFont() { QApplication::setFont(before); }
};

}  // namespace Surroundings
