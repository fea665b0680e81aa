// Where the free-hand selection meets the canvas's events. That tool is not built yet: until it is,
// its steps leave the picture and the selection alone.
#include "mainwindow/winMAIN.h"

void winMAIN::Init_SuperLasso() {}
void winMAIN::convert_SuperLasso_to_normal_lasso() {}
