#pragma once
// The program's own colour window: the colour on show as a sample and three sliders for red, green and
// blue. It starts from modMAIN.Dialog_Color and answers through modMAIN.Dialog_Color and
// modMAIN.Dialog_Cancel.
#include <QDialog>
#include <QPushButton>
#include <QSlider>

#include "platform/Array.h"
#include "platform/Canvas.h"
#include "platform/Types.h"

class winCOLOR : public QDialog {
  Q_OBJECT
 public:
  explicit winCOLOR(QWidget* parent = nullptr);

  Platform::Canvas* canvasSAMPLE = nullptr;
  Platform::Array<QSlider*> SliderRGB{nullptr, nullptr, nullptr};
  QPushButton* pbCancel = nullptr;
  QPushButton* pbOK = nullptr;

  Platform::Color Working_Color() const { return working_color; }
  // Whether the window has been closed (by OK, Cancel or its close box).
  bool Closed() const { return closed_; }

  // OK keeps the colour on show, every other way out counts as Cancel; either way Dialog_Color
  // takes the colour on show.
  void done(int result) override;

 private:
  void SliderRGB_ValueChanged();
  void Set_Scrollbars();
  void canvasSAMPLE_Paint(Platform::Graphics& g);

  Platform::Color working_color = 0;
  bool Busy = false;
  bool closed_ = false;
};
