#pragma once
// The preferences window: one modeless page of settings beside the main window, with a menu bar of its
// own built like the main window's. Every control writes its setting the moment the user changes it; the
// colour, checkerboard and ruler settings redraw the main window at once. There is at most one window;
// closing it discards it, and the next opening shows the settings as they are then.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include "platform/Array.h"
#include "platform/Canvas.h"
#include "platform/WindowInstance.h"

class MenuBar1;

// A colour swatch of the window: a canvas that knows its place in the swatch array.
class winPreferences_Canvas1 : public Platform::Canvas {
  Q_OBJECT
 public:
  winPreferences_Canvas1(int index, QWidget* parent);
  const int Index;
};

// One of the two ruler-unit radio buttons, knowing its place in the pair.
class winPreferences_rbRulerMode : public QRadioButton {
  Q_OBJECT
 public:
  winPreferences_rbRulerMode(int index, const QString& caption, QWidget* parent);
  const int Index;
};

class winPreferences : public QWidget, public Platform::WindowInstance<winPreferences> {
  Q_OBJECT
 public:
  winPreferences();

  static constexpr int kContentWidth = 715, kContentHeight = 250;

  // ---- Form, in creation order ----
  MenuBar1* Menu_Bar = nullptr;
  QWidget* Content = nullptr;  // the 715 x 250 area below the menu bar that holds the controls
  QGroupBox* GroupBox1 = nullptr;
  QLabel* StaticText2 = nullptr;
  QComboBox* puGRID = nullptr;
  QPushButton* pbdefault = nullptr;
  QLabel* StaticText21 = nullptr;
  QGroupBox* GroupBox3 = nullptr;
  QLabel* StaticText4 = nullptr;
  QPushButton* pbdefault1 = nullptr;
  QLabel* StaticText5 = nullptr;
  QGroupBox* GroupBox4 = nullptr;
  QCheckBox* cbCenterPoint = nullptr;
  QCheckBox* cbMetric = nullptr;
  QCheckBox* cbColorPicker = nullptr;
  QCheckBox* CheckBox1 = nullptr;
  QCheckBox* cbScrollbar = nullptr;
  QCheckBox* cbUpdate = nullptr;
  QCheckBox* cbTextMethod = nullptr;
  QLabel* Label1 = nullptr;
  QComboBox* puBRUSH = nullptr;
  QGroupBox* GroupBox5 = nullptr;
  QLabel* StaticText6 = nullptr;
  QPushButton* pbdefault11 = nullptr;
  QLabel* StaticText7 = nullptr;
  QGroupBox* GroupBox10 = nullptr;
  QLabel* StaticText22 = nullptr;
  QPushButton* pbdefault12 = nullptr;
  QLabel* StaticText211 = nullptr;
  // The swatch array (0 to 7) and the radio pair (0 "Pixels", 1 the physical unit).
  winPreferences_Canvas1* Canvas1(int index) const { return canvas1_[index]; }
  winPreferences_rbRulerMode* rbRulerMode(int index) const { return rbRulerMode_[index]; }

  // ---- Open handlers: each shows its setting ----
  void puGRID_Open();
  void cbCenterPoint_Open();
  void cbMetric_Open();
  void cbColorPicker_Open();
  void CheckBox1_Open();
  void cbScrollbar_Open();
  void cbUpdate_Open();
  void cbTextMethod_Open();
  void puBRUSH_Open();
  void rbRulerMode_Open();

  // ---- Change handlers: each stores its setting ----
  void puGRID_Change();
  void puBRUSH_Change();
  void cbCenterPoint_Action();
  void cbMetric_Action();
  void cbColorPicker_Action();
  void CheckBox1_Action();
  void cbScrollbar_Action();
  void cbUpdate_Action();
  void cbTextMethod_Action();
  void rbRulerMode_Action(winPreferences_rbRulerMode* member);

  // ---- Swatches and buttons ----
  void Canvas1_Paint(winPreferences_Canvas1* member, Platform::Graphics& g);
  // Asks for the swatch's colour, stores the answer (the colour it had after a cancel) and redraws.
  bool Canvas1_MouseDown(winPreferences_Canvas1* member, int x, int y);
  void pbdefault_Action();
  void pbdefault1_Action();
  void pbdefault11_Action();
  void pbdefault12_Action();

  // Rebuilds the checkerboard, then repaints the main window's surround, its painting canvas and its
  // rulers.
  void Update_Main_Display();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  // True while the window is being built: the controls take their settings without their change
  // handlers running, so opening the window changes no setting and leaves the view where it is.
  bool opening_ = true;
  Platform::Array<winPreferences_Canvas1*> canvas1_{nullptr, nullptr, nullptr, nullptr,
                                                    nullptr, nullptr, nullptr, nullptr};
  Platform::Array<winPreferences_rbRulerMode*> rbRulerMode_{nullptr, nullptr};
};
