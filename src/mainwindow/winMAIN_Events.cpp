// The main window's own events: activation, resizing, the pointer entering, keys and dropped files;
// and the platform's events turned into them.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QUrl>
#include <QWheelEvent>

#include "core/DrawingRoutines.h"
#include "core/EditingState.h"
#include "core/Geometry.h"
#include "core/PictureFiles.h"
#include "effects/modColorSplash.h"
#include "mainwindow/winMAIN.h"
#include "platform/Environment.h"

using namespace modMAIN;

void winMAIN::Event_Deactivate() {}

void winMAIN::Event_Resizing() {
  Arrange_Controls();
  Update_Display();
}

void winMAIN::Event_Resized() {
  Arrange_Controls();
  // The checkerboard behind transparent pixels is made for the window's size, once the size has settled.
  Make_Transparent();
  Update_Display();
}

void winMAIN::Event_MouseEnter() {
  // The keys go to the painting canvas, and from there to the window; the window is not brought to the
  // front.
  Screen_Canvas->setFocus(Qt::MouseFocusReason);
}

bool winMAIN::Event_KeyDown(const QString& key) {
  if (key == QString(QChar(27))) {
    if (modColorSplash::ColorSplash_Mode > 0) modColorSplash::Switch_ColorSplash_Mode(0);
    // A text being placed is discarded instead of being drawn into the picture.
    if (active_TEXTMODE) active_DRAG = false;
    Reset_Everything();
    Revert_to_Last_Draw_Tool(false);
    return true;
  }
  if (active_TEXTMODE) return false;
  if (key == QString(QChar(8)) || key == QString(QChar(127))) {
    image_CUT(false);
    return false;
  }
  static const struct {
    QChar letter;
    int32_t tool;
  } kTools[] = {{u'b', TOOL_BRUSH}, {u'p', TOOL_PENCIL},  {u'e', TOOL_ERASER},     {u't', TOOL_STYLEDTEXT},
                {u'f', TOOL_FLOOD}, {u'o', TOOL_OVAL},    {u'l', TOOL_LINE},       {u'c', TOOL_CURVE},
                {u'k', TOOL_EYEDROPPER}, {u'g', TOOL_POLYGON}, {u'a', TOOL_SPRAYCAN}, {u'r', TOOL_RECT}};
  if (key.size() != 1) return false;
  const QChar letter = key.at(0).toLower();
  if (letter == u's') {
    drawing_TOOL_SET(Platform::Environment::ShiftKey() ? TOOL_SUPERLASSO : TOOL_LASSO);
    return false;
  }
  for (const auto& entry : kTools)
    if (entry.letter == letter) {
      drawing_TOOL_SET(entry.tool);
      break;
    }
  return false;
}

void winMAIN::Event_DropObject(const QList<QUrl>& items, int32_t) {
  // Only the first file of a drop is looked at.
  for (const QUrl& url : items) {
    if (!url.isLocalFile()) continue;
    const Platform::FolderItemPtr file = Platform::FolderItem::FromPath(url.toLocalFile());
    if (!Valid_image_Type(file, true)) return;
    if (Platform::Environment::ShiftKey()) {
      // With Shift the picture floats over the document like a paste; the clipboard is left alone.
      if (const Platform::PicturePtr picture = Load_32Bit_Picture(file)) image_PASTE(true, picture);
      else Not_a_Valid_image_File(file);
      return;
    }
    Open_File(file);
    return;
  }
}

// ---- The platform's events ----

void winMAIN::keyPressEvent(QKeyEvent* e) {
  if (Event_KeyDown(Platform::KeyText(e))) e->accept();
  else QMainWindow::keyPressEvent(e);
}

void winMAIN::dragEnterEvent(QDragEnterEvent* e) {
  if (e->mimeData()->hasUrls()) e->acceptProposedAction();
}

void winMAIN::dragMoveEvent(QDragMoveEvent* e) {
  if (e->mimeData()->hasUrls()) e->acceptProposedAction();
}

void winMAIN::dropEvent(QDropEvent* e) {
  const QList<QUrl> urls = e->mimeData()->urls();
  e->acceptProposedAction();
  Event_DropObject(urls, int32_t(e->dropAction()));
}

void winMAIN::enterEvent(QEnterEvent* e) {
  Event_MouseEnter();
  QMainWindow::enterEvent(e);
}

bool winMAIN::eventFilter(QObject* watched, QEvent* event) {
  if (watched == centralWidget() && event->type() == QEvent::Resize) {
    locks_.Apply();
    Event_Resizing();
    resizeDone_->start();
  } else if (event->type() == QEvent::Wheel && (watched == Scroll_H_OS || watched == Scroll_V_OS)) {
    // The platform bars do not scroll themselves by the wheel: the window's handlers move them, by whole
    // notches of the wheel.
    const bool horizontal = watched == Scroll_H_OS;
    QPoint& remainder = horizontal ? wheelRemainderH_ : wheelRemainderV_;
    auto* wheel = static_cast<QWheelEvent*>(event);
    remainder += wheel->angleDelta();
    const int dx = remainder.x() / 120, dy = remainder.y() / 120;
    remainder -= QPoint(dx * 120, dy * 120);
    if (dx || dy) {
      // The framework counts a wheel turned towards the user as positive; the view goes down then.
      const int32_t step = Wheel_Step(horizontal);
      const QPoint at = wheel->position().toPoint();
      if (horizontal) Scroll_H_OS_MouseWheel(at.x(), at.y(), -dx * step, -dy * step);
      else Scroll_V_OS_MouseWheel(at.x(), at.y(), -dx * step, -dy * step);
    }
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}
