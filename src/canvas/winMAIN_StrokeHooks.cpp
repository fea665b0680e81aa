// Where the polygon, eraser, brush, spray can and free-hand selection meet the canvas's events. Those
// tools are not built yet: until they are, their steps leave the picture and the selection alone.
#include "mainwindow/winMAIN.h"

void winMAIN::execute_eraser(modMAIN::point_record, int32_t) {}
void winMAIN::spurt_paint() {}
void winMAIN::Polygon_Add_Vertex(modMAIN::point_record) {}
void winMAIN::Polygon_Rubber_Band(modMAIN::point_record) {}
void winMAIN::polygon_complete() {}
