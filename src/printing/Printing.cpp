#include "printing/Printing.h"

#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "platform/Environment.h"
#include "platform/Numbers.h"
#include "platform/PrintSystem.h"
#include "printing/PrinterProbe.h"

namespace modMAIN {

QRect Print_Layout(int32_t page_w, int32_t page_h, int32_t w, int32_t h, bool fit, bool center_h, bool center_v) {
  const float aspect = float(w) / float(h);
  int32_t width = page_w;
  // A picture far thinner than the page keeps at least one device pixel, so that it still prints.
  int32_t height = std::max(1, Platform::ToInt(double(page_w) / double(aspect)));
  if (page_h < height) {
    height = page_h;
    width = std::max(1, Platform::ToInt(double(aspect) * double(page_h)));
  }
  if (w < width && !fit) {
    width = w;
    height = h;
  }
  const int32_t left = width < page_w && center_h ? (page_w - width) / 2 : 0;
  const int32_t top = height < page_h && center_v ? (page_h - height) / 2 : 0;
  return QRect(left, top, width, height);
}

namespace {
// The reason a printer gives for a page it could not start or finish.
QString Failure_Reason(QPaintDevice& device) {
  auto* printer = dynamic_cast<QPrinter*>(&device);
  if (!printer) return QStringLiteral("The page could not be drawn.");
  if (!printer->outputFileName().isEmpty())
    return QStringLiteral("The file \u201C%1\u201D could not be written.").arg(printer->outputFileName());
  // A printer without a name is no printer to name.
  if (printer->printerName().isEmpty()) return QStringLiteral("The printer did not take the job.");
  return QStringLiteral("The printer \u201C%1\u201D did not take the job.").arg(printer->printerName());
}

class BusyCursor {
 public:
  BusyCursor() : was_(Platform::Environment::BusyCursor()) { Platform::Environment::SetBusyCursor(true); }
  ~BusyCursor() {
    if (!was_) Platform::Environment::SetBusyCursor(false);
  }

 private:
  bool was_;
};
}  // namespace

bool Print_Working_Picture(QPaintDevice& device, QString& reason) {
  const BusyCursor busy;
  auto* printer = dynamic_cast<QPrinter*>(&device);
  // A page for a printer of the printing system is written into a file first and handed over after it,
  // within the printing system's wait.
  Platform::PrintJob job;
  const bool toPrintSystem = printer && Platform::PrintJob::Goes_To_Print_System(*printer);
  if (toPrintSystem && !job.Divert(*printer, reason)) return false;
  QPainter painter;
  if (!painter.begin(&device)) {
    reason = Failure_Reason(device);
    return false;
  }
  const int32_t rh = Get_Printer_Rez(true);
  const int32_t rv = Get_Printer_Rez(false);
  const QImage& picture = work_area->Image();
  const int32_t h = std::max(1, Platform::ToInt(double(picture.height()) * rh / rv));
  const QRect place = Print_Layout(device.width(), device.height(), picture.width(), h, modOptions::option_Printer_FitPage,
                                   modOptions::option_Printer_Center[0], modOptions::option_Printer_Center[1]);
  painter.drawImage(place, picture);
  if (!painter.end() || (printer && printer->printerState() == QPrinter::Error)) {
    reason = Failure_Reason(device);
    return false;
  }
  if (toPrintSystem) {
    reason = job.Submit();
    return reason.isEmpty();
  }
  return true;
}

}  // namespace modMAIN
