#pragma once
// The program's own message box: a bold first line, an explanation, an icon and up to three buttons,
// laid out afresh for every message. Application-modal; it is left through one of its buttons, or by
// Escape where it has a Cancel button.
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>

#include "platform/Array.h"
#include "platform/Canvas.h"

class winMsgBOX : public QDialog {
  Q_OBJECT
 public:
  // The implicit instance: created on first use, and again on the first use after it was deleted.
  static winMsgBOX* instance();
  static winMsgBOX* existing();
  winMsgBOX();

  // ---- Controls ----
  QPushButton* pb(int index) const { return pb_[index]; }
  Platform::Canvas* icon = nullptr;
  QLabel* lbl_MESSAGE = nullptr;
  QLabel* lbl_EXPLAIN = nullptr;
  // Holds the explanation when it is taller than the screen allows; hidden otherwise.
  QScrollArea* scroll_EXPLAIN = nullptr;

  // ---- Event handlers ----
  void pb_Action(int index);
  void icon_Paint(Platform::Graphics& g);

  // Shows the box for the message (flags: button set + icon + default button) and returns the code of
  // the button pressed.
  int32_t myMsgBox(const QString& message, int32_t flags, const QString& title);
  // The same with flags 0, the result dropped.
  void myMsgBox(const QString& message, const QString& title);

  // ---- Properties ----
  int32_t icon_id = 0;                          // 0 none, 16 stop, 32 question, 48 exclamation, 64 information
  Platform::Array<int32_t> btn_code{-1, -1, -1};  // the result code of each button, -1 for a hidden one
  int32_t btn_sel = 0;                          // the default-button number from the flags (0 to 3)
  int32_t def_btn = -1;                         // index of the default button, -1 for none
  int32_t Results = 0;                          // the code of the button pressed

 protected:
  // Escape answers Cancel where the box has that button, and does nothing otherwise; the window has no
  // close box.
  void reject() override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Measure(QLabel* label, int32_t& width, int32_t& height);
  void Set_Btn(int32_t index, int32_t code);
  void Show_It(const QString& message, int32_t flags, const QString& title);

  QPushButton* pb_[3] = {nullptr, nullptr, nullptr};
};
