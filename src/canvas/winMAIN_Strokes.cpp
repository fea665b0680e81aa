// The stamping tools' strokes: the eraser and brush join two pointer positions with stamps.
#include "core/DrawingRoutines.h"
#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"

using namespace modMAIN;

void winMAIN::execute_eraser(point_record point, int32_t tool) {
  // Every pixel of the line from the last stamp gets a stamp, so a fast drag leaves no gaps.
  Move_along_a_Line(img_Eraser_Point, point, tool);
  img_Eraser_Point = point;
  Update_Display();
}
