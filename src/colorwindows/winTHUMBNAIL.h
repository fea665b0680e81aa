#pragma once
// The navigator: a floating, resizable window that shows the whole working picture reduced to fit
// (never enlarged), centred on a grey ground, with a marching-ants box around the part that the main
// window's view shows. A press on the thumbnail scrolls the view so that the pressed point comes to its
// middle; the title gives the thumbnail's scale and the box's size. Its place and size are remembered in
// the settings; closing it discards it.
#include <QWidget>
#include <memory>

#include "core/Points.h"
#include "platform/Canvas.h"
#include "platform/WindowInstance.h"

class winTHUMBNAIL : public QWidget, public Platform::WindowInstance<winTHUMBNAIL> {
  Q_OBJECT
 public:
  winTHUMBNAIL();

  // ---- Controls ----
  Platform::Canvas* Canvas1 = nullptr;

  // ---- Event handlers ----
  void Canvas1_MouseDrag(int x, int y);
  void Canvas1_MouseMove(int x, int y);
  // A press on the thumbnail scrolls the view; the press is never claimed, so a drag scrolls once.
  bool Canvas1_MouseDown(int x, int y);
  void Canvas1_Paint(Platform::Graphics& g);
  // The window is resized (each step of a live resize included): the thumbnail is laid out again.
  void Event_Resized();
  void Event_Close();
  void Event_CancelClose();
  void Event_Open();

  // Where the thumbnail lies on the canvas, as the last paint placed it.
  const classRECTANGLE& Thumbnail_Rect() const { return *r; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void update_image();
  bool Inside_Rect(int x, int y) const;
  void Fix_Cursor(int x, int y);

  std::shared_ptr<classRECTANGLE> r;
};
