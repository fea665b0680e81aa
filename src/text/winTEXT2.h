#pragma once
// "Text Options": the floating window of the single-line text tool. It edits the one text object
// modMAIN::Info_Text2 (text, font, size, style, rotation, shadow offsets); every control writes straight
// into the object, whose change event lets the main window follow with the floating text box. "Pin Text"
// draws the text into the picture and offers it again in a new box; "Cancel" drops the box and returns
// to the last drawing tool. A close from the window manager counts as Cancel. The window remembers its
// place for the rest of the run in modMAIN::txt_box.
#include <QPointer>
#include <QWidget>

#include "platform/Array.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class RoundSlider;
namespace Platform {
class UpDownArrows;
}

class winTEXT2 : public QWidget {
  Q_OBJECT
 public:
  // The open window, made (its controls loaded from the text object and the window placed) when there is
  // none; not shown yet.
  static winTEXT2* instance();
  // The open window, or nullptr; never makes one.
  static winTEXT2* existing();
  // Closes the window when it is open, leaving the text box to whoever called.
  static void Close_If_Open();

  // ---- Controls ----
  QComboBox* puSIZE = nullptr;
  QComboBox* puFONT = nullptr;
  QLineEdit* inpText = nullptr;
  QPushButton* btnUNDERLINE = nullptr;
  QPushButton* btnITALIC = nullptr;
  QPushButton* btnBOLD = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  Platform::Array<QPushButton*> bbAngle;
  RoundSlider* slide_Rotate = nullptr;
  QGroupBox* GroupBox2 = nullptr;
  Platform::Array<Platform::UpDownArrows*> UD_Shadow;
  Platform::Array<QLabel*> lblShadow;
  Platform::Array<QLabel*> valShadow;
  QPushButton* bbReset = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QPushButton* pbCancel = nullptr;
  QPushButton* pbPIN = nullptr;

  // Steps one shadow offset (0 horizontal, 1 vertical) by delta, or back to 0 for delta -99, kept within
  // -15..15, shows it and gives it to the text object.
  void Change_Offset(int32_t index, int32_t delta);
  // Loads the object's text into the field, focuses it and selects all of it.
  void Set_New_Focus();

 protected:
  void closeEvent(QCloseEvent* e) override;
  void enterEvent(QEnterEvent* e) override;

 private:
  winTEXT2();
  void Make_Controls();

  void puSIZE_Change();
  void puSIZE_Open();
  void puFONT_Change();
  void puFONT_Open();
  void inpText_TextChange();
  void inpText_SelChange();
  void btnUNDERLINE_Action();
  void btnITALIC_Action();
  void btnBOLD_Action();
  void Style_Buttons_Open();
  void bbAngle_Action(int32_t index);
  void slide_Rotate_valueChanged();
  void slide_Rotate_Open();
  void UD_Shadow_Up(int32_t index);
  void UD_Shadow_Down(int32_t index);
  void valShadow_Open(int32_t index);
  void bbReset_Action();
  void pbCancel_Action();
  void pbPIN_Action();
  void Event_CancelClose();
  void Event_MouseEnter();
  void Event_Close();
  void Event_Open();
  // Closes the window on the program's behalf (not counted as Cancel).
  void Close_Window();

  int32_t xSelStart = 0;
  int32_t xSelLength = 0;
  // True while a popup is being filled: its change handler then leaves the text object alone.
  bool Busy = false;
  // The program has asked the window to close.
  bool closing_ = false;
  bool closed_ = false;
};
