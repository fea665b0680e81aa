// The main window's feedback command.
#include "app/FeedbackMail.h"
#include "mainwindow/winMAIN.h"

bool winMAIN::_menu_EMAIL_Action() {
  modOptions::Send_Email();
  return true;
}
