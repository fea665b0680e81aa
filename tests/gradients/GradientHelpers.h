#pragma once
// Helpers of the gradient tests: stops written as text, gradient files in the settings folder.
#include <QDir>
#include <QFile>
#include <QStringList>

#include "gradients/modGRADIENT.h"
#include "platform/Numbers.h"
#include "support/Fixture.h"

namespace GradientHelpers {

// Makes the current gradient from "position:RRGGBB" items separated by commas ("" for no stops).
inline void SetStops(const QString& stops) {
  modGRADIENT::Gradient.clear();
  for (const QString& item : stops.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
    const QStringList parts = item.split(QLatin1Char(':'));
    modGRADIENT::Add_ColorStop(parts[0].toInt(), Platform::Color(parts[1].toUInt(nullptr, 16)));
  }
}

// The current stops in the same form.
inline QString Stops() {
  QStringList out;
  for (const auto& stop : modGRADIENT::Gradient)
    out << QStringLiteral("%1:%2").arg(stop->Position).arg(stop->gColor, 6, 16, QLatin1Char('0')).toUpper();
  return out.join(QLatin1Char(','));
}

inline QString GradientFile(const QString& fileName) { return Fixture::SettingsFolder() + QLatin1Char('/') + fileName; }

// Writes a file of the settings folder.
inline void WriteSetting(const QString& fileName, const QByteArray& bytes) {
  QFile f(GradientFile(fileName));
  QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(bytes);
}

}  // namespace GradientHelpers
