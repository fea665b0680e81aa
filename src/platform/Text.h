#pragma once
// Text helpers. Comparisons ignore letter case, as everywhere in the program unless a caller says otherwise.
#include <QString>
#include <QStringList>

namespace Platform {

inline bool StrEq(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }
inline bool StartsWith(const QString& s, const QString& prefix) { return s.startsWith(prefix, Qt::CaseInsensitive); }
inline bool EndsWith(const QString& s, const QString& suffix) { return s.endsWith(suffix, Qt::CaseInsensitive); }
// 1-based position of needle in s from position start (1-based), 0 when absent; case ignored.
inline int InStr(const QString& s, const QString& needle, int start = 1) {
  if (start < 1) start = 1;
  return int(s.indexOf(needle, start - 1, Qt::CaseInsensitive)) + 1;
}
// Field n (1-based) of s split at sep; empty when there is no such field.
inline QString NthField(const QString& s, const QString& sep, int n) {
  if (n < 1 || sep.isEmpty()) return QString();
  const QStringList parts = s.split(sep, Qt::KeepEmptyParts, Qt::CaseInsensitive);
  return n <= parts.size() ? parts[n - 1] : QString();
}
inline int CountFields(const QString& s, const QString& sep) {
  if (sep.isEmpty()) return 1;
  return int(s.split(sep, Qt::KeepEmptyParts, Qt::CaseInsensitive).size());
}

}  // namespace Platform
