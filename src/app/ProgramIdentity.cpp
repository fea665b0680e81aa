#include "app/ProgramIdentity.h"

#ifndef PIXMURA_BUILD_NUMBER
#define PIXMURA_BUILD_NUMBER 0
#endif

int32_t Build_Number() { return PIXMURA_BUILD_NUMBER; }

QString Long_Version_Text() { return QStringLiteral("Pixmura [v" PIXMURA_VERSION_TEXT "]"); }

QString Cut_Version(const QString& longVersion) {
  QString v = longVersion;
  const int p = int(v.indexOf(QLatin1Char('['))) + 1;
  if (p > 0) v = v.mid(p + 1);
  const int q = int(v.indexOf(QLatin1Char(']'))) + 1;
  if (q > 0) v = v.left(q - 1);
  return v;
}

void Set_Program_Identity() {
  PGM_Name = QStringLiteral("Pixmura");
  PGM_Version = Cut_Version(Long_Version_Text());
}
