// The main window's printing commands: File > Page Setup and Print, and Colors > Get Information.
#include <QPrintDialog>
#include <QPrinter>

#include "app/modOptions.h"
#include "colorwindows/winINFO.h"
#include "core/EditingState.h"
#include "core/Messages.h"
#include "mainwindow/winMAIN.h"
#include "platform/PrintSystem.h"
#include "printing/PageSetup.h"
#include "printing/Printing.h"
#include "printing/PrinterProbe.h"
#include "printing/winPRINTER.h"

using namespace modMAIN;

void winMAIN::AddPrintingMenuHandlers() {
  Bind_Menu(QStringLiteral("menu_PageSetup"), [this] { return _menu_PageSetup_Action(); });
  Bind_Menu(QStringLiteral("menu_Print"), [this] { return _menu_Print_Action(); });
  Bind_Menu(QStringLiteral("menu_GetInfo"), [this] { return _menu_GetInfo_Action(); });
}

bool winMAIN::_menu_PageSetup_Action() {
  winPRINTER::Show_Sheet();
  Refresh_Rulers();
  return false;
}

bool winMAIN::_menu_Print_Action() {
  // The printer and its dialog ask the printing system as they are made, and would wait for it as long
  // as it takes: it must answer first.
  if (const QString silent = Platform::PrintSystemResponds(); !silent.isEmpty()) {
    myMsgBox(QStringLiteral("!The picture could not be printed.^") + silent);
    return true;
  }
  auto setup = std::make_shared<PageSetup>();
  setup->SetSetupString(Printer_SetupString);
  setup->SetLandscape(modOptions::option_Printer_Landscape);
  setup->SetMaxHorizontalResolution(Get_Printer_Rez(true));
  setup->SetMaxVerticalResolution(Get_Printer_Rez(false));
  printer_setup = setup;

  QPrinter printer(QPrinter::HighResolution);
  setup->ApplyLayoutTo(printer);
  printer.setResolution(setup->MaxHorizontalResolution());
  QPrintDialog dialog(&printer, this);
  dialog.setObjectName(QStringLiteral("PrintDialog"));
  if (!Platform::RunPrintDialog(&dialog, QStringLiteral("Print"), this)) return true;
  // The dialog may have chosen another printer, which brings its own resolution: the page is drawn at
  // the one in force.
  printer.setResolution(setup->MaxHorizontalResolution());
  QString reason;
  if (!Print_Working_Picture(printer, reason)) myMsgBox(QStringLiteral("!The picture could not be printed.^") + reason);
  return true;
}

bool winMAIN::_menu_GetInfo_Action() {
  winINFO::Show_Sheet();
  return true;
}
