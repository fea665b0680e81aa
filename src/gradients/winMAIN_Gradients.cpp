// The main window's gradient command.
#include "gradients/modGRADIENT.h"
#include "mainwindow/winMAIN.h"

void winMAIN::AddGradientMenuHandlers() {
  Bind_Menu(QStringLiteral("menu_GRADIENT"), [] {
    modGRADIENT::Gradient_Fill();
    return true;
  });
}
