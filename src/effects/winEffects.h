#pragma once
// The "Photographic Special Effects" window: ten sliders whose combined effect is previewed on the
// picture at each knob release, then committed as one undo step (Apply) or thrown away (Cancel).
// Modal, left only through Apply or Cancel (with Return and Escape); a close asked for by the window
// manager counts as Cancel. Closing ends the instance: the next use starts every slider at 0.
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <array>

#include "effects/EffectFilters.h"

class RoundSlider;
class QWidget;

class winEffects : public QDialog {
  Q_OBJECT
 public:
  // The implicit instance: created on first use, and again on the first use after it was closed.
  static winEffects* instance();
  static winEffects* existing();
  // The menu command: shows the window modally and returns once it has closed.
  static void Show_Modal(QWidget* parent);
  winEffects();

  // ---- Controls, by index: 0 exposure, 1 saturation, 2 brightness, 3 contrast, 4 sharpness, 5 blur,
  // 6 green, 7 red, 8 blue, 9 pixelize ----
  std::array<QLabel*, 10> lbl{};
  std::array<RoundSlider*, 10> slideEFFECT{};
  std::array<QLabel*, 10> lblVALUE{};
  QFrame* Separator1 = nullptr;
  QFrame* Separator2 = nullptr;
  QFrame* Separator3 = nullptr;
  QFrame* Separator4 = nullptr;
  QPushButton* pbRESET = nullptr;
  QPushButton* pbCANCEL = nullptr;
  QPushButton* pbAPPLY = nullptr;

  // ---- Event handlers ----
  void Event_Open();
  void Event_Close();
  void slideEFFECT_valueChanged(int index, float value);
  // The end of a knob drag: the preview of all ten values.
  void slideEFFECT_MouseUp(int index);
  void lblVALUE_Open(int index);
  void pbAPPLY_Action();
  void pbCANCEL_Action();
  void pbRESET_Action();

  // ---- Methods ----
  // Every slider back to 0 and the picture back to its state at opening.
  void Restore_Original();
  // The ten slider values as whole numbers.
  EffectFilters::EffectValues Values() const;
  // Whether Apply or Cancel has closed the window.
  bool Closed() const { return closed_; }
  // Whether a preview is being computed.
  bool Previewing() const { return busy_; }

 protected:
  // Escape is the Cancel button.
  void reject() override;
  // The window manager's close is Cancel; nothing closes the window while a preview runs.
  void closeEvent(QCloseEvent* event) override;

 private:
  void Close_Window();
  bool closed_ = false;
  bool busy_ = false;
  // The tool palette's enabled state when the window opened, given back when it closes.
  bool toolsEnabled_ = true;
};
