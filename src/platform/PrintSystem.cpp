#include "platform/PrintSystem.h"

#include <cups/cups.h>

namespace Platform {

QString PrintSystemLastError() {
  if (cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE) return QString();
  const char* reason = cupsLastErrorString();
  return reason && *reason ? QString::fromUtf8(reason) : QStringLiteral("The printing system refused the job.");
}

}  // namespace Platform
