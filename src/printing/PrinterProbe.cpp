#include "printing/PrinterProbe.h"

#include <optional>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "platform/Environment.h"
#include "platform/Numbers.h"
#include "platform/Shell.h"
#include "printing/PageSetup.h"

namespace modMAIN {

namespace {
// The output of a printing tool that ran and ended well; nothing when it is missing, failed or did not
// end within the printing system's wait (it is then stopped).
std::optional<QString> Run_Tool(const QString& tool, const QStringList& arguments) {
  if (Platform::Shell::Find(tool).isEmpty()) return std::nullopt;
  const Platform::ShellResult r =
      Platform::Shell::Execute(tool, arguments, Platform::Environment::PrintSystemWaitMs());
  if (!r.started || r.timedOut || r.errorCode != 0) return std::nullopt;
  return r.output;
}

// Spaces and tabs only: a line feed that ends the resolution line stays, so that a last line is read.
QString Trim_Blanks(const QString& s) {
  qsizetype from = 0, to = s.size();
  while (from < to && (s[from] == QLatin1Char(' ') || s[from] == QLatin1Char('\t'))) ++from;
  while (to > from && (s[to - 1] == QLatin1Char(' ') || s[to - 1] == QLatin1Char('\t'))) --to;
  return s.mid(from, to - from);
}
}  // namespace

void Read_Printer_Resolutions(const QString& output) {
  const QString marker = QStringLiteral("Resolution:");
  const qsizetype at = output.indexOf(marker);
  if (at < 0) return;
  const QString rest = Trim_Blanks(output.mid(at + marker.size()));
  const qsizetype lf = rest.indexOf(QLatin1Char('\n'));
  if (lf < 0) return;
  const QStringList items = rest.left(lf).trimmed().split(QStringLiteral("dpi"));
  for (qsizetype i = 0; i + 1 < items.size(); ++i) {
    QString item = items[i].trimmed();
    printer_res res;
    if (item.startsWith(QLatin1Char('*'))) {
      res.selected = true;
      item.remove(0, 1);
    }
    res.h = Platform::ToInt(Platform::Val(item));
    const qsizetype x = item.indexOf(QLatin1Char('x'));
    res.v = x < 0 ? res.h : Platform::ToInt(Platform::Val(item.mid(x + 1)));
    // An item that gives no real resolution ("_HQ 1200" after "600x600dpi_HQ") would measure with 0 dpi
    // and divide by it: it is left out.
    if (res.h < 1 || res.v < 1) continue;
    Printer_Info.Append(res);
  }
}

void Get_Printer_Info() {
  Printer_Name = QStringLiteral("?");
  Printer_Info.clear();
  Printer_Info.Append(printer_res{72, 72, false});
  if (const auto status = Run_Tool(QStringLiteral("lpstat"), {QStringLiteral("-d")})) {
    const qsizetype colon = status->indexOf(QLatin1Char(':'));
    // The tool names itself before an error it prints ("lpstat: error - ..."): that is no printer.
    const bool error = status->trimmed().startsWith(QLatin1String("lpstat:"));
    const QString name = colon < 0 ? QString() : status->mid(colon + 1).trimmed();
    if (!error && !name.isEmpty()) {
      Printer_Name = name;
      if (const auto options = Run_Tool(QStringLiteral("lpoptions"), {QStringLiteral("-l")}))
        Read_Printer_Resolutions(*options);
    }
  }
  if (Printer_Info.size() == 1) Printer_Info[0].selected = true;
  PageSetup setup;
  setup.SetLandscape(modOptions::option_Printer_Landscape);
  setup.SetMaxHorizontalResolution(Get_Printer_Rez(true));
  setup.SetMaxVerticalResolution(Get_Printer_Rez(false));
  Printer_SetupString = setup.SetupString();
}

int32_t Get_Printer_Rez(bool horizontal) {
  if (Printer_Info.empty()) return -1;
  int i = 0;
  while (i <= Printer_Info.Ubound() && !Printer_Info[i].selected) ++i;
  if (i > Printer_Info.Ubound()) i = 0;
  Printer_Info[i].selected = true;
  return horizontal ? Printer_Info[i].h : Printer_Info[i].v;
}

}  // namespace modMAIN
