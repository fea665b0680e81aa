// Where the spray can and free-hand selection meet the canvas's events. Those tools are not built yet: until it is,
// its steps leave the picture and the selection alone.
#include "mainwindow/winMAIN.h"

void winMAIN::spurt_paint() {}
void winMAIN::Init_SuperLasso() {}
void winMAIN::convert_SuperLasso_to_normal_lasso() {}
