// The main window's feedback command.
#include "app/FeedbackMail.h"
#include "mainwindow/winMAIN.h"

bool winMAIN::menu_EMAIL_Action() {
  modOptions::Send_Email();
  return true;
}
