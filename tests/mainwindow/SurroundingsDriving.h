#pragma once
// Helpers for the parts of the main window around the picture: painting a control now and reading its
// pixels, mouse gestures on a canvas, and golden pictures kept in golden_view/ (looked at by eye).
#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QLayout>
#include <QTest>

#include "app/BundleResources.h"
#include "app/modOptions.h"
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

// The window's content (below the menu bar) at the given size.
inline void Size_Content(QSize size) {
  winMAIN* w = Main();
  w->resize(w->size() + (size - w->centralWidget()->size()));
  w->layout()->activate();
  QCOMPARE(w->centralWidget()->size(), size);
}

inline void View_Settings(bool tools, bool colours, bool patterns, bool rulers, bool systemBars) {
  modOptions::option_ShowTools = tools;
  modOptions::option_ShowColors = colours;
  modOptions::option_ShowPattern = patterns;
  modOptions::option_ShowRuler = rulers;
  modOptions::option_OS_Scrollbar = systemBars;
}

// The rulers' ticks and labels are drawn in black.
inline bool Ink(Platform::Color c) { return c == 0x000000; }

// The painted ruler (0 across, 1 down) along its length: at each position the tick's length measured
// in from the edge next to the picture (1 where only the border line is).
inline QList<int> Tick_Profile(int index) {
  const QImage ruler = Painted(Main()->canvasRULER(index));
  const bool across = index == 0;
  const int length = across ? ruler.width() : ruler.height();
  const int depth = across ? ruler.height() : ruler.width();
  QList<int> profile;
  for (int p = 0; p < length; ++p) {
    int n = 0;
    while (n < depth && Ink(across ? At(ruler, p, depth - 1 - n) : At(ruler, depth - 1 - n, p))) ++n;
    profile << n;
  }
  return profile;
}

// The handle picture stands centred on the point: its non-white pixels are where the surround shows
// them.
inline bool Handle_Drawn_At(const QImage& surround, QPoint at) {
  const Platform::PicturePtr handle = Resources::handle_pic();
  int seen = 0;
  for (int y = 0; y < handle->Height(); ++y)
    for (int x = 0; x < handle->Width(); ++x) {
      const Platform::Color c = handle->Pixel(x, y) & 0xFFFFFF;
      if (c == 0xFFFFFF) continue;
      const QPoint p = at + QPoint(x - 4, y - 4);
      if (!surround.rect().contains(p)) continue;
      if (At(surround, p.x(), p.y()) != c) return false;
      ++seen;
    }
  return seen > 0;
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
