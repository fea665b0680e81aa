#pragma once
// The colour meter: a floating window beside the main window that shows the 9 x 9 pixels of the working
// picture around the pointer's image pixel, magnified with the centre framed, and the centre pixel's red,
// green and blue values in the notation chosen in its popup. Its place and notation are remembered in the
// settings; closing it discards it.
#include <QComboBox>
#include <QLabel>
#include <QWidget>

#include "core/Points.h"
#include "platform/Array.h"
#include "platform/Canvas.h"
#include "platform/WindowInstance.h"

class winCOLORMeter : public QWidget, public Platform::WindowInstance<winCOLORMeter> {
  Q_OBJECT
 public:
  winCOLORMeter();

  // ---- Controls ----
  QComboBox* PopupMenu1 = nullptr;
  Platform::Array<QLabel*> lblColor{nullptr, nullptr, nullptr};
  Platform::Array<QLabel*> cval{nullptr, nullptr, nullptr};
  Platform::Canvas* Canvas1 = nullptr;

  // ---- Event handlers ----
  void PopupMenu1_Open();
  void PopupMenu1_Close();
  void PopupMenu1_Change();
  void Canvas1_Paint(Platform::Graphics& g);
  void Event_Open();
  void Event_CancelClose();
  void Event_Close();

  // Reads the 9 x 9 pixels of the working picture around the point (in image pixels) and shows them
  // with the values of the centre pixel.
  void Set_Meter(modMAIN::point_record point);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // Rewrites the three values in the chosen notation and repaints the magnifier.
  void Update_Display();

  Platform::Array<int32_t> Clr{0, 0, 0};
  Platform::PicturePtr Sample;
};
