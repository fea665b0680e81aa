#pragma once
// The colour meter: a magnified sample of the pixels around the pointer and their colour values.
#include <QWidget>

#include "core/Points.h"
#include "platform/Array.h"
#include "platform/Canvas.h"
#include "platform/WindowInstance.h"

class winCOLORMeter : public QWidget, public Platform::WindowInstance<winCOLORMeter> {
  Q_OBJECT
 public:
  winCOLORMeter();
  // Samples the 9 x 9 pixels of the working picture centred on the point and shows them.
  void Set_Meter(modMAIN::point_record p);

  Platform::PicturePtr Sample;
  Platform::Array<int32_t> Clr{0, 0, 0};
  Platform::Canvas* Display;

 protected:
  // Closing the window, by its close box too, clears modMAIN::active_COLORMETER.
  void closeEvent(QCloseEvent* event) override;
};
