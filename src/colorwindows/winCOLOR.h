#pragma once
// The program's own colour window: the colour being chosen as a sample, three sliders for red, green and
// blue, 48 fixed swatches and a popup of named colours, all kept in step, with a read-out of the three
// components in the notation chosen in a popup (remembered in the settings). It starts from
// modMAIN::Dialog_Color and answers through modMAIN::Dialog_Color and modMAIN::Dialog_Cancel.
// Modal, left through OK or Cancel; Escape and a close from the window manager are Cancel, and Return
// presses nothing.
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QHash>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include "platform/Array.h"
#include "platform/Canvas.h"
#include "platform/Types.h"

class winCOLOR : public QDialog {
  Q_OBJECT
 public:
  explicit winCOLOR(QWidget* parent = nullptr);

  // ---- Controls ----
  QGroupBox* GroupBox1 = nullptr;
  QGroupBox* GroupBox2 = nullptr;
  QGroupBox* GroupBox3 = nullptr;
  Platform::Canvas* canvasSAMPLE = nullptr;
  QComboBox* puColorMode = nullptr;
  Platform::Canvas* Canvas1 = nullptr;
  QComboBox* puNamedColors = nullptr;
  QPushButton* pbCancel = nullptr;
  QPushButton* pbOK = nullptr;
  QLineEdit* RGBValue = nullptr;
  Platform::Array<QSlider*> SliderRGB{nullptr, nullptr, nullptr};

  // ---- Event handlers ----
  void puNamedColors_Open();
  void puNamedColors_Change();
  void puColorMode_Open();
  void puColorMode_Change();
  void puColorMode_Close();
  void SliderRGB_ValueChanged();
  void Canvas1_Paint(Platform::Graphics& g);
  bool Canvas1_MouseDown(int x, int y);
  void canvasSAMPLE_Paint(Platform::Graphics& g);
  void pbOK_Action();
  void pbCancel_Action();
  void Event_Open();
  // Runs on every activation and when the window first shows, activated or not.
  void Event_Activate();
  void Event_Close();

  // Rewrites the read-out from the sliders in the chosen notation.
  void Update_RGBValue();

  Platform::Color Working_Color() const { return working_color; }
  // Whether the window has been closed (by OK or Cancel, or as a cancel).
  bool Closed() const { return closed_; }

  // Every way out ends here: OK keeps the colour, anything else counts as Cancel; the notation is
  // stored and Dialog_Color takes the colour on show.
  void done(int result) override;
  // Escape and a close from the window manager are Cancel.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void Add_Color(const QString& name, Platform::Color c);
  void Set_Sample();
  void Set_Scrollbars();
  void Set_Namelist();
  void Update_Display();
  QString OutFmt(int32_t v) const;
  // Sets the three sliders to the negated components of the colour.
  void Set_Sliders(Platform::Color c);

  Platform::Color working_color = 0;
  QHash<Platform::Color, QString> Color_Name;
  QHash<QString, Platform::Color> Color_Value;
  bool No_Scroll = false;
  bool No_Namelist = false;
  bool Busy = false;
  Platform::Array<Platform::Color> y_colors;
  bool closed_ = false;
  bool shown_ = false;
};
