#pragma once
// Drives the main window's painting canvas as a user does: presses, drags and releases of the mouse at
// canvas pixels, with the tool, colours and picture set up beforehand.
#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "palettes/classCOLORS.h"
#include "support/Fixture.h"

namespace Canvas {

inline winMAIN* Main() { return winMAIN::instance(); }
inline QWidget* Widget() { return Main()->Screen_Canvas; }

// QTest takes the point (0, 0) for the widget's centre: presses and releases there go out directly.
inline void Press(QPoint p, Qt::MouseButton b = Qt::LeftButton) {
  if (!p.isNull()) return QTest::mousePress(Widget(), b, {}, p);
  QMouseEvent e(QEvent::MouseButtonPress, p, Widget()->mapToGlobal(p), b, b, Qt::NoModifier);
  QApplication::sendEvent(Widget(), &e);
}
inline void Release(QPoint p, Qt::MouseButton b = Qt::LeftButton) {
  if (!p.isNull()) return QTest::mouseRelease(Widget(), b, {}, p);
  QMouseEvent e(QEvent::MouseButtonRelease, p, Widget()->mapToGlobal(p), b, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(Widget(), &e);
}
// A move with the button held.
inline void DragTo(QPoint p, Qt::MouseButton b = Qt::LeftButton) {
  QMouseEvent e(QEvent::MouseMove, p, Widget()->mapToGlobal(p), Qt::NoButton, b, Qt::NoModifier);
  QApplication::sendEvent(Widget(), &e);
}
// A move with the button up.
inline void HoverAt(QPoint p) {
  QMouseEvent e(QEvent::MouseMove, p, Widget()->mapToGlobal(p), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(Widget(), &e);
}
// Press at the first point, drag through the others, release at the last.
inline void Stroke(const QList<QPoint>& points, Qt::MouseButton b = Qt::LeftButton) {
  Press(points.front(), b);
  for (qsizetype i = 1; i < points.size(); ++i) DragTo(points[i], b);
  Release(points.back(), b);
}

// A white document of w x h at 100 % with the tool current, black on white, anti-aliasing off, pen 1.
inline void Start(int w, int h, int32_t tool) {
  Fixture::NewDocument(w, h);
  modOptions::option_AntiAlias = true;  // true: the old renderer, exact pixels
  modOptions::option_ArrowHead = 0;
  Main()->Set_Zoom(1);
  modMAIN::offset = modMAIN::Point_of(0, 0);
  Main()->classCOLORS1->Set_Color(1, 0x000000);
  Main()->classCOLORS1->Set_Color(2, 0xFFFFFF);
  modMAIN::Draw_Color[1] = 0x000000;
  modMAIN::Draw_Color[2] = 0xFFFFFF;
  modMAIN::Pensize_SET(1, modMAIN::TOOL_PENCIL);
  modMAIN::Brush_Pattern = 0;
  modMAIN::Last_DrawTool = tool;
  Main()->drawing_TOOL_SET(tool);
  Main()->Update_Display();
}

// The pixels of the picture that differ from the colour, as a rectangle list of single pixels' bounds.
inline QRect Bounds_Not(const Platform::PicturePtr& pic, Platform::Color c, int* count = nullptr) {
  QRect r;
  int n = 0;
  for (int y = 0; y < pic->Height(); ++y)
    for (int x = 0; x < pic->Width(); ++x)
      if ((pic->Pixel(x, y) & 0xFFFFFFu) != (c & 0xFFFFFFu)) {
        r |= QRect(x, y, 1, 1);
        ++n;
      }
  if (count) *count = n;
  return r;
}

}  // namespace Canvas
