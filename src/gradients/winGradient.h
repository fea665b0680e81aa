#pragma once
// The gradient editor: a modal window over the one current gradient. It shows the gradient as a
// horizontal preview, as a strip of colour-stop markers and as a small preview in the chosen style; it
// edits the stops, the style and the radial centre, makes, loads, saves and reverses gradients, and picks
// the colour that the overlay replaces. It answers through modMAIN::Dialog_Cancel; Cancel gives the
// gradient back as it was when the window opened, or after this showing's last Save or Load.
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <memory>
#include <vector>

#include "platform/Canvas.h"
#include "platform/FolderItem.h"
#include "platform/Graphics.h"
#include "platform/Picture.h"

class winGradient : public QDialog {
  Q_OBJECT
 public:
  // The implicit instance: created on first use; the open one, if any, from existing().
  static winGradient* instance();
  static winGradient* existing();
  winGradient();
  ~winGradient() override;
  // Shows the editor modally through the modal host; returns when OK or Cancel has closed it, with the
  // answer in modMAIN::Dialog_Cancel (a window left any other way counts as cancelled). Every showing
  // builds a fresh window.
  static void Show();

  // ---- Controls ----
  QGroupBox* GroupBox1 = nullptr;
  QRadioButton* rb[3] = {nullptr, nullptr, nullptr};
  Platform::Canvas* canvasGradient = nullptr;
  Platform::Canvas* canvasSTOPS = nullptr;
  QScrollBar* sb_position = nullptr;
  QLabel* lblPosition = nullptr;
  Platform::Canvas* CanvasRadial = nullptr;
  QScrollBar* sb_radial_y = nullptr;
  QScrollBar* sb_radial_x = nullptr;
  QPushButton* pbcenter = nullptr;
  QLabel* StaticText1 = nullptr;
  Platform::Canvas* Canvas1 = nullptr;
  QLabel* StaticText2 = nullptr;
  QPushButton* pbNEW = nullptr;
  QPushButton* pbLOAD = nullptr;
  QPushButton* pbSAVE = nullptr;
  QPushButton* pbREVERSE = nullptr;
  QPushButton* pbCANCEL = nullptr;
  QPushButton* pbOK = nullptr;

  // ---- Properties ----
  // The selected stop's index, -1 for none.
  int32_t stop_index = -1;
  // The horizontal preview's picture (400 x 40).
  Platform::PicturePtr temp_picture;
  // While true the position scroll bar only shows its value and does not move the selected stop.
  bool busy = false;
  // The gradient's file when the window opened.
  Platform::FolderItemPtr old_path;

  // ---- Methods ----
  // Draws the marker of stop index into the strip's graphics.
  void Draw_Color_Stop(Platform::Graphics& g, int32_t index);
  // The x of the marker's centre on the strip.
  int32_t Center_Stop(int32_t index) const;
  void update_Gradient_title();
  void Unselect_ColorStop();
  void Select_ColorStop(int32_t index);
  // The centre controls are on for the radial style only.
  void Set_Buttons();

  // ---- Event handlers ----
  void Event_Open();
  void canvasGradient_Open();
  void canvasGradient_Paint(Platform::Graphics& g);
  void Canvas1_Open();
  void Canvas1_Paint(Platform::Graphics& g);
  bool Canvas1_MouseDown(int x, int y);
  void CanvasRadial_Paint(Platform::Graphics& g);
  bool CanvasRadial_MouseDown(int x, int y);
  void CanvasRadial_MouseDrag(int x, int y);
  void CanvasRadial_MouseUp(int x, int y);
  void sb_radial_x_Open();
  void sb_radial_x_ValueChanged();
  void sb_radial_y_Open();
  void sb_radial_y_ValueChanged();
  void pbcenter_Action();
  void rb_Open(int index);
  void rb_Action(int index);
  void pbNEW_Action();
  void pbLOAD_Action();
  void pbSAVE_Action();
  void pbREVERSE_Action();
  void pbOK_Action();
  void pbCANCEL_Action();
  // The stop strip.
  void canvasSTOPS_Paint(Platform::Graphics& g);
  bool canvasSTOPS_MouseDown(int x, int y);
  void canvasSTOPS_MouseDrag(int x, int y);
  void canvasSTOPS_MouseUp(int x, int y);
  void sb_position_ValueChanged();

  // Whether OK or Cancel has closed the window.
  bool Closed() const { return closed_; }

 protected:
  // Escape is the Cancel button; the window has no close box.
  void reject() override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Sorts when asked, then redraws the strip and both previews.
  void Update_Gradient(bool sort_stops);
  // The previews' border.
  void g_border(Platform::Graphics& g);
  // The position on the strip under x, in whole percent (floored).
  int32_t Strip_Position(int x) const;
  // What Cancel gives back: the gradient as it was at opening or after the last Save or Load.
  struct Snapshot {
    std::vector<std::pair<int32_t, Platform::Color>> stops;
    int32_t style = 0;
    int32_t cx = 0;
    int32_t cy = 0;
    Platform::FolderItemPtr path;
    bool changed = false;
  };
  void Take_Snapshot();
  void Restore_Snapshot();
  Snapshot snapshot_;
  bool closed_ = false;
  // The last press on the strip was made with Control and the primary button.
  bool control_press_ = false;
};
