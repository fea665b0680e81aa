#pragma once
// The canvas-size sheet: asks for the picture's new width and height in pixels or in the physical unit
// and answers in pixels. OK sets modMAIN::Dialog_Setup to 1 and modMAIN::Dialog_Answer to width ","
// height, both whole numbers; every other way out sets Dialog_Setup to 0. It changes nothing else.
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "geometry/SheetField.h"
#include "platform/Array.h"

class winCANVAS_SIZE : public QDialog {
  Q_OBJECT
 public:
  explicit winCANVAS_SIZE(QWidget* parent = nullptr);

  // ---- Controls ----
  QLabel* StaticText1 = nullptr;
  QLabel* StaticText3 = nullptr;
  // 0 the width, 1 the height.
  Platform::Array<SheetField*> inp{nullptr, nullptr};
  // 1 pixels, 0 the physical unit.
  Platform::Array<QRadioButton*> rb{nullptr, nullptr};
  QPushButton* pbCancel = nullptr;
  QPushButton* pbOK = nullptr;

  // ---- Event handlers ----
  void Event_Open();
  void inp_GotFocus(int index);
  // True refuses the key.
  bool inp_KeyDown(int index, const QString& key);
  void inp_TextChange(int index);
  // The unit has changed to the button's: the fields are converted into it.
  void rb_Action(int index);
  void pbOK_Action();
  void pbCancel_Action();

 protected:
  // Escape and the close box are Cancel.
  void reject() override;

 private:
  // A field's value in whole pixels, converted from the physical unit when that is chosen.
  int32_t Pixels(int index) const;
};
