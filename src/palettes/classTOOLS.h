#pragma once
// The tool palette: sixteen tool cells in two columns of eight, below them the three fill-mode buttons
// while a shape tool is current, and below those a sample of the current shape while the
// predefined-shape tool is current (a click on it opens the shapes gallery). It lights the current tool
// and fill mode and the cell under the pointer, asks the main window for a help tag naming the cell, and
// reports the user's choices through tool_Changed and FillMode_Changed.
//
// A click acts on the cell or button under the press, and a move lights what it is over. The control
// handles the canvas's Paint, MouseDown, MouseMove and MouseExit hooks itself; the owner's handlers go
// into On (MouseEnter stays free for the owner).
#include <functional>

#include "platform/Canvas.h"

class classTOOLS : public Platform::Canvas {
  Q_OBJECT
 public:
  explicit classTOOLS(QWidget* parent = nullptr, const QString& name = QStringLiteral("classTOOLS1"));

  struct Events {
    std::function<void()> Open;
    std::function<void()> tool_Changed;            // the owner reads Current_Tool
    std::function<void(int32_t mode)> FillMode_Changed;
  } On;

  // The palette's open event: raises Open.
  void Open();

  int32_t Current_Tool() const { return xCurrentTool; }
  // Lights the tool and records it as the tool to return to (modMAIN.Last_DrawTool) unless it is the
  // eraser, the styled text, the rectangular selection, the eyedropper, the single-line text or the
  // grabber; raises no event.
  void Current_Tool(int32_t tool);

  int32_t FillMode() const { return xFillMode; }
  // The cell and the fill-mode button under the pointer at the last move (-1: none).
  int32_t Hovered_Tool() const { return Mouse_Tool; }
  int32_t Hovered_Fill() const { return Mouse_Fill; }

  // The top-left corner of a tool cell and of a fill-mode button, in the palette's pixels.
  static int32_t Get_tool_X(int32_t id);
  static int32_t Get_tool_Y(int32_t id);
  static int32_t Get_Fill_Y(int32_t button);

 private:
  void Tools_Paint(Platform::Graphics& g);
  bool Tools_MouseDown(int x, int y);
  void Tools_MouseMove(int x, int y);
  void Tools_MouseExit();
  Platform::PicturePtr Get_ToolIcon(int32_t index) const;
  Platform::PicturePtr Get_FillIcon(int32_t index) const;
  // The tool cell and the fill-mode button at a point of the palette (-1: none).
  static int32_t Tool_At(int x, int y);
  int32_t Fill_At(int x, int y) const;

  int32_t xCurrentTool = 2;
  int32_t Mouse_Tool = -1;
  bool Fill_icons_Open = false;
  int32_t xFillMode = 1;
  int32_t Mouse_Fill = -1;
  int32_t w = 67;
  int32_t Mouse_shape_y = 0;
};
