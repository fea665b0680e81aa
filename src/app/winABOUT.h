#pragma once
// The about window: the program's logo and name, its version and build, a rights notice and the credits.
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QWidget>

#include "platform/Canvas.h"
#include "platform/WindowInstance.h"

class winABOUT : public QWidget, public Platform::WindowInstance<winABOUT> {
  Q_OBJECT
 public:
  winABOUT();

  Platform::Canvas* Canvas1 = nullptr;
  QLabel* txtVersion = nullptr;
  QLabel* txtRights = nullptr;
  QLabel* StaticText2 = nullptr;
  QFrame* Separator1 = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QPlainTextEdit* TextArea1 = nullptr;
  Platform::Canvas* Canvas2 = nullptr;

 private:
  void Canvas1_Paint(Platform::Graphics& g);
  void txtVersion_Open();
  void txtRights_Open();
  void TextArea1_Open();
};
