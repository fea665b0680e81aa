#pragma once
// The print options sheet: orientation, centring, scaling and the printer resolution, each written to
// its setting the moment it changes, and "Advanced" for the page set-up of the printing system. There
// is nothing to cancel: "OK", Escape and the close box only close the sheet.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "platform/WindowInstance.h"

class winPRINTER : public QDialog, public Platform::WindowInstance<winPRINTER> {
  Q_OBJECT
 public:
  // Made afresh for every showing, as a sheet on the main window unless another parent is given; its
  // open handler fills it from the settings.
  explicit winPRINTER(QWidget* parent = nullptr);

  // Shows the sheet on the main window and waits until it closes; the sheet is gone afterwards.
  static void Show_Sheet();

  QGroupBox* GroupBox1 = nullptr;
  QRadioButton* rbORIENT(int index) const { return rbORIENT_[index & 1]; }
  QPushButton* pbAdvanced = nullptr;
  QPushButton* pbOK = nullptr;
  QGroupBox* GroupBox2 = nullptr;
  QCheckBox* cbCENTER(int index) const { return cbCENTER_[index & 1]; }
  QGroupBox* GroupBox3 = nullptr;
  QRadioButton* rbScale(int index) const { return rbScale_[index & 1]; }
  QGroupBox* GroupBox4 = nullptr;
  QComboBox* puRez = nullptr;
  QLabel* lblPRINTER_NAME = nullptr;

  void rbORIENT_Action(int index);
  void pbAdvanced_Action();
  void pbOK_Action();
  void cbCENTER_Action(int index);
  void rbScale_Action(int index);
  void puRez_Change();
  void Event_Open();

  // Escape and the close box act as "OK".
  void reject() override;

 private:
  void Set_Orient();

  QRadioButton* rbORIENT_[2] = {};
  QCheckBox* cbCENTER_[2] = {};
  QRadioButton* rbScale_[2] = {};
  // Set while the resolution rows are rebuilt: emptying and refilling the popup chooses nothing.
  bool Filling_Rows = false;
};
