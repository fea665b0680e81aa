#pragma once
// The shapes gallery: a sheet on the main window showing a sample tile of every shape of the shape
// library in a grid. A click in the grid makes the shape under it the current one, chooses the
// predefined-shape tool and closes the sheet; Cancel (or Escape) closes it and changes nothing.
#include <QDialog>
#include <QPushButton>

#include "platform/Canvas.h"

class winShapes : public QDialog {
  Q_OBJECT
 public:
  explicit winShapes(QWidget* parent = nullptr);

  // Shows the gallery as a sheet on the main window and waits until it closes.
  static void Show_Sheet();

  Platform::Canvas* Canvas1 = nullptr;
  QPushButton* PushButton1 = nullptr;

  // The grid's columns and rows.
  int32_t Columns() const { return w; }
  int32_t Rows() const { return h; }

  // Escape and the close box act as Cancel.
  void reject() override;

 private:
  void Event_Open();
  bool Canvas1_MouseDown(int x, int y);
  void Canvas1_Paint(Platform::Graphics& g);
  void PushButton1_Action();

  int32_t w = 6;
  int32_t h = 4;
  int32_t Temp_Shape = 0;
};
