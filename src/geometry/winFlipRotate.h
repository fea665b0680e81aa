#pragma once
// The flip-and-rotate sheet: a horizontal or vertical flip, or a turn by 90, 180 or 270 degrees or by a
// free angle from 0 to 359. OK answers through modMAIN::Dialog_Answer ("H", "V" or the angle) and
// modMAIN::Dialog_Cancel (False), and remembers the choices for the rest of the run in
// modOptions::last_degree, last_free_degree and last_flip; every other way out sets Dialog_Cancel.
#include <QDialog>
#include <QFrame>
#include <QPushButton>
#include <QRadioButton>

#include "geometry/SheetField.h"
#include "platform/Array.h"

class winFlipRotate : public QDialog {
  Q_OBJECT
 public:
  explicit winFlipRotate(QWidget* parent = nullptr);

  // ---- Controls ----
  QFrame* Placard2 = nullptr;  // the operation
  QFrame* Placard1 = nullptr;  // the angle
  // 0 "Flip Horizontal", 1 "Flip Vertical", 2 "Rotate by Angle".
  Platform::Array<QRadioButton*> rb{nullptr, nullptr, nullptr};
  // 0 "90 deg", 1 "180 Deg", 2 "270 deg", 3 "Free".
  Platform::Array<QRadioButton*> rbDeg{nullptr, nullptr, nullptr, nullptr};
  SheetField* inpANGLE = nullptr;
  QPushButton* pbCANCEL = nullptr;
  QPushButton* pbOK = nullptr;

  // ---- Event handlers ----
  void Event_Open();
  void rb_Action(int index);
  void rbDeg_Action(int index);
  // Return and Enter move the focus to OK and are consumed; true refuses the key.
  bool inpANGLE_KeyDown(const QString& key);
  void inpANGLE_LostFocus();
  void pbOK_Action();
  void pbCANCEL_Action();

  // Brings the free angle into 0 to 359 in place; no number counts as 0.
  void Adjust_Angle();

 protected:
  // Escape is Cancel.
  void reject() override;

 private:
  // The free-angle field is enabled exactly while "Free" is chosen.
  void Update_Controls();
};
