#pragma once
// The arrow-head options: at which ends lines get a head (two check boxes) and the head's length and
// width in pencil sizes and the concavity of its back (three sliders). Every change goes into the
// settings at once; there is nothing to cancel. The window is modal, closes by its close box or by any
// key, and is made anew for every showing.
#include <QCheckBox>
#include <QDialog>
#include <algorithm>
#include <QLabel>

class RoundSlider;

class winARROWHEAD : public QDialog {
  Q_OBJECT
 public:
  explicit winARROWHEAD(QWidget* parent = nullptr);

  // Shows the window modally over the main window and waits until it closes.
  static void Show_Modal();

  // cb(0) "Start of Line", cb(1) "End of Line".
  QCheckBox* cb(int index) const { return cb_[index & 1]; }
  // rSlide(0) length, rSlide(1) width (3 to 10), rSlide(2) concavity (-5 to 5).
  RoundSlider* rSlide(int index) const { return rSlide_[std::clamp(index, 0, 2)]; }
  QLabel* lblValue(int index) const { return lblValue_[std::clamp(index, 0, 2)]; }
  QLabel* StaticText1 = nullptr;
  QLabel* StaticText2 = nullptr;
  QLabel* StaticText3 = nullptr;

  // The window has finished opening; the check boxes' actions count only from then on.
  bool flag = false;

 protected:
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void cb_Open(int index);
  void cb_Action(int index);
  void rSlide_Open(int index);
  void rSlide_valueChanged(int index);
  void Event_Open();

  QCheckBox* cb_[2] = {};
  RoundSlider* rSlide_[3] = {};
  QLabel* lblValue_[3] = {};
};
