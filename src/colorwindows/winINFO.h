#pragma once
// The picture information sheet: the picture's size in pixels and in inches or centimetres at the
// printer resolution in force, that resolution, how many colours it holds and whether they are all
// grey, and whether it has unsaved changes or a selection. Every fact is taken when the sheet opens;
// "OK", Escape and the close box close it.
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "platform/WindowInstance.h"

class winINFO : public QDialog, public Platform::WindowInstance<winINFO> {
  Q_OBJECT
 public:
  // Made afresh for every showing, as a sheet on the main window unless another parent is given.
  explicit winINFO(QWidget* parent = nullptr);

  // Shows the sheet on the main window and waits until it closes; the sheet is gone afterwards.
  static void Show_Sheet();

  QGroupBox* GroupBox1 = nullptr;
  QLabel* lblPixels = nullptr;
  QLabel* StaticText2 = nullptr;
  QLabel* infoPixels = nullptr;
  QLabel* infoColors = nullptr;
  QLabel* lblINCHES = nullptr;
  QLabel* lblREZ = nullptr;
  QLabel* infoINCHES = nullptr;
  QLabel* infoREZ = nullptr;
  QGroupBox* GroupBox2 = nullptr;
  QLabel* StaticText3 = nullptr;
  QLabel* StaticText4 = nullptr;
  QLabel* infoMOD = nullptr;
  QLabel* infoSELECT = nullptr;
  QPushButton* PushButton1 = nullptr;

  void PushButton1_Action();
  void Event_Open();

  // Escape and the close box act as "OK".
  void reject() override;

 private:
  QString Get_Yes_No(bool flag) const;
};
