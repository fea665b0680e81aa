#pragma once
// The resize sheet: asks for the new size of the whole picture or of the rectangular selection, in
// pixels, in percent or in the physical unit, with the proportions kept on request. OK answers through
// modMAIN::Dialog_Setup (1) and modMAIN::Dialog_Answer ("I," or "S," + width + "," + height in pixels);
// every other way out sets Dialog_Setup to 0. It changes nothing else.
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <cstdint>

#include "geometry/SheetField.h"
#include "platform/Array.h"

class winimage_RESIZE : public QDialog {
  Q_OBJECT
 public:
  explicit winimage_RESIZE(QWidget* parent = nullptr);

  // ---- Controls ----
  QGroupBox* GroupBox1 = nullptr;  // the area to resize
  QGroupBox* GroupBox2 = nullptr;  // the unit and the aspect lock
  QGroupBox* GroupBox3 = nullptr;  // the size table
  // The unit: 0 pixels, 1 percent, 2 the physical unit.
  Platform::Array<QRadioButton*> rbMethod{nullptr, nullptr, nullptr};
  QCheckBox* cbASPECT = nullptr;
  // The area: 0 the whole picture, 1 the rectangular selection.
  Platform::Array<QRadioButton*> rbImage{nullptr, nullptr};
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* StaticText2 = nullptr;
  QLabel* StaticText21 = nullptr;
  // The sizes: 0 new width, 1 new height, 2 and 3 the original width and height (read-only).
  Platform::Array<SheetField*> inp{nullptr, nullptr, nullptr, nullptr};
  QPushButton* pbCancel = nullptr;
  QPushButton* pbOK = nullptr;

  // ---- Event handlers ----
  void Event_Open();
  void rbMethod_Action(int index);
  void rbImage_Action(int index);
  void cbASPECT_Action();
  void inp_GotFocus(int index);
  void inp_LostFocus(int index);
  void inp_TextChange(int index);
  // True refuses the key.
  bool inp_KeyDown(int index, const QString& key);
  void pbOK_Action();
  void pbCancel_Action();

  // Measures the chosen area and makes the new size equal to it.
  void Get_Size();

 protected:
  // Escape and the close box are Cancel.
  void reject() override;

 private:
  // Shows the four values of the chosen unit.
  void Load_Edit();
  // Recomputes the new size from field index and sets the OK button.
  void Update_Edit(int32_t index, bool force);
  // The text a field shows for its stored value in the chosen unit.
  QString Shown(int32_t index) const;
  // A length in inches as shown: in the physical unit, three decimals.
  static QString Shown_Inches(float inches);
  // Puts the sheet's own text into a field; the field's text change recalculates nothing.
  void Set_Text(int32_t index, const QString& text);

  int32_t Original_Pixel_W = 0, Original_Pixel_H = 0;
  int32_t New_Pixel_W = 0, New_Pixel_H = 0;
  double Aspect = 1;
  int32_t current_inp = 0;
  float New_PCT_w = 100, New_PCT_h = 100;
  float New_Inch_W = 0, New_Inch_H = 0;
  float Original_Inch_W = 0, Original_Inch_H = 0;
  // Set while the sheet writes into its own fields.
  bool Busy = false;
};
