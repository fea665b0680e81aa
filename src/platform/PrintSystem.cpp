#include "platform/PrintSystem.h"

#include <cups/cups.h>

#include "platform/ModalHost.h"

namespace Platform {

bool RunPrintDialog(QDialog* dialog, const QString& title, QWidget* parent) {
  ModalRequest r;
  r.kind = ModalKind::Print;
  r.title = title;
  r.dialog = dialog;
  r.parent = parent;
  r.sheet = parent != nullptr;
  return ModalHost::Run(r).toBool();
}

QString PrintSystemLastError() {
  if (cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE) return QString();
  const char* reason = cupsLastErrorString();
  return reason && *reason ? QString::fromUtf8(reason) : QStringLiteral("The printing system refused the job.");
}

}  // namespace Platform
