#include "app/classINI_File.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringConverter>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <limits>

#include "core/EditingState.h"
#include "platform/Numbers.h"
#include "platform/RegularFiles.h"
#include "platform/Text.h"

classINI_File::classINI_File(const Platform::FolderItemPtr& file)
    : FileInfo(file ? std::make_shared<Platform::FolderItem>(file->AbsolutePath()) : nullptr) {}

classINI_File::Key classINI_File::Real_Key(const QString& section, const QString& key) {
  return {section.trimmed().toUpper(), key.trimmed().toLower()};
}

// ---- Text forms ----

QString classINI_File::Text_Of(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }

QString classINI_File::Text_Of(Platform::Color value) {
  return QStringLiteral("&h") + QStringLiteral("%1").arg(value & 0xFFFFFFu, 6, 16, QLatin1Char('0')).toUpper();
}

QString classINI_File::Text_Of(double value, int precision) {
  if (!std::isfinite(value)) return QStringLiteral("0");
  // Fixed notation: the number reader knows no exponents.
  QString s = QString::number(value, 'f', precision);
  if (s.contains(QLatin1Char('.'))) {
    while (s.endsWith(QLatin1Char('0'))) s.chop(1);
    if (s.endsWith(QLatin1Char('.'))) s.chop(1);
  }
  if (s == QLatin1String("-0")) s = QStringLiteral("0");
  return s;
}

Platform::Color classINI_File::Color_Of(const QString& text) {
  // The last six characters after the first decide the colour, two hexadecimal digits per component.
  const QString digits = (QStringLiteral("000000") + text.mid(1)).right(6);
  const auto pair = [&](int i) { return Platform::ToInt(Platform::Val(QStringLiteral("&h") + digits.mid(i, 2))) & 255; };
  return Platform::RGB(pair(0), pair(2), pair(4));
}

// ---- Get ----

QString classINI_File::Get(const QString& section, const QString& key, const QString& def) {
  const Key k = Real_Key(section, key);
  const auto it = INI_Data.constFind(k);
  if (it != INI_Data.constEnd()) return it.value();
  if (!def.trimmed().isEmpty()) Put(section, key, def.trimmed());
  return def;
}

bool classINI_File::Get(const QString& section, const QString& key, bool def) {
  return Get(section, key, Text_Of(def)).toUpper() == QLatin1String("TRUE");
}

Platform::Color classINI_File::GetColor(const QString& section, const QString& key, Platform::Color def) {
  return Color_Of(Get(section, key, Text_Of(def)));
}

int32_t classINI_File::Get(const QString& section, const QString& key, int32_t def) {
  return Platform::ToInt(Platform::Val(Get(section, key, QString::number(def))));
}

float classINI_File::Get(const QString& section, const QString& key, float def) {
  const double v = Platform::Val(Get(section, key, Text_Of(double(def), 9)));
  return float(std::clamp(v, -double(std::numeric_limits<float>::max()), double(std::numeric_limits<float>::max())));
}

double classINI_File::Get(const QString& section, const QString& key, double def) {
  return Platform::Val(Get(section, key, Text_Of(def, 17)));
}

// ---- Put ----

void classINI_File::Put(const QString& section, const QString& key, const QString& value) {
  INI_Data.insert(Real_Key(section, key), value);
}
void classINI_File::Put(const QString& section, const QString& key, bool value) { Put(section, key, Text_Of(value)); }
void classINI_File::PutColor(const QString& section, const QString& key, Platform::Color value) {
  Put(section, key, Text_Of(value));
}
void classINI_File::Put(const QString& section, const QString& key, int32_t value) {
  Put(section, key, QString::number(value));
}
void classINI_File::Put(const QString& section, const QString& key, float value) {
  Put(section, key, Text_Of(double(value), 9));
}
void classINI_File::Put(const QString& section, const QString& key, double value) {
  Put(section, key, Text_Of(value, 17));
}

// ---- Remove ----

void classINI_File::Remove(const QString& section, const QString& key) { INI_Data.remove(Real_Key(section, key)); }

void classINI_File::Remove_Section(const QString& section) {
  const QString name = section.trimmed().toUpper();
  for (auto it = INI_Data.begin(); it != INI_Data.end();) {
    if (Platform::StrEq(it.key().first, name)) it = INI_Data.erase(it);
    else ++it;
  }
}

bool classINI_File::Has(const QString& section, const QString& key) const {
  return INI_Data.contains(Real_Key(section, key));
}

QStringList classINI_File::Section_Keys(const QString& section) const {
  const QString name = section.trimmed().toUpper();
  QStringList keys;
  for (auto it = INI_Data.lowerBound({name, QString()}); it != INI_Data.constEnd() && it.key().first == name; ++it)
    keys << it.key().second;
  return keys;
}

// ---- The file ----

void classINI_File::Load() {
  Clear();
  if (!FileInfo) return;
  // Only a regular file of sensible size is read: a device, a pipe or a link to one would block the
  // start or never end, and a file of gigabytes is damage, not settings. Either gives the defaults, as
  // an unreadable file does.
  QByteArray bytes;
  if (!Platform::ReadRegularFile(FileInfo->ShellPath(), kMaxFileBytes, bytes).isEmpty()) return;
  QString text = QString::fromUtf8(bytes);
  if (text.startsWith(QChar::ByteOrderMark)) text.remove(0, 1);

  QString section;
  for (QStringView raw : QStringView(text).split(QLatin1Char('\n'))) {
    // A line longer than any the program writes is damage; it is skipped like any other bad line.
    if (raw.size() > kMaxLineLength) continue;
    const QString line = raw.trimmed().toString();
    if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']')) && line.size() >= 2) {
      section = line.mid(1, line.size() - 2).trimmed();
      continue;
    }
    if (section.isEmpty()) continue;
    // The first "=" splits the line; it needs a character before it and one after it.
    const int eq = int(line.indexOf(QLatin1Char('=')));
    if (eq < 1 || eq == line.size() - 1) continue;
    Put(section, line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
  }
}

bool classINI_File::Save() {
  save_error_.clear();
  if (!FileInfo) {
    save_error_ = QStringLiteral("There is no settings file.");
    return false;
  }
  // Only a regular file is replaced (through a link, the file it leads to): a link to a device would
  // otherwise be written straight through.
  const QString refusal = Platform::WriteRefusal(FileInfo->ShellPath());
  if (!refusal.isEmpty()) {
    save_error_ = FileInfo->ShellPath() + QStringLiteral(": ") + refusal;
    return false;
  }
  QSaveFile file(FileInfo->ShellPath());
  const auto failed = [&] {
    save_error_ = FileInfo->ShellPath() + QStringLiteral(": ") + file.errorString();
    return false;
  };
  if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) return failed();
  QTextStream out(&file);
  out.setEncoding(QStringConverter::Utf8);
  const auto breaksLine = [](const QString& s) {
    return s.contains(QLatin1Char('\n')) || s.contains(QLatin1Char('\r')) || s.contains(QChar::LineSeparator) ||
           s.contains(QChar::ParagraphSeparator);
  };
  QString previous;
  for (auto it = INI_Data.constBegin(); it != INI_Data.constEnd(); ++it) {
    const auto& [section, key] = it.key();
    // A line break inside a value or name would make a line of its own that reads back as something
    // else; such an entry is left out.
    if (breaksLine(section) || breaksLine(key) || breaksLine(it.value())) continue;
    const QString sectionLine = QLatin1Char('[') + section + QLatin1Char(']');
    if (sectionLine != previous) {
      out << modMAIN::EOL() << sectionLine << modMAIN::EOL();
      previous = sectionLine;
    }
    out << key << QLatin1Char('=') << it.value() << modMAIN::EOL();
  }
  out.flush();
  if (out.status() != QTextStream::Ok) {
    failed();
    file.cancelWriting();
    return false;
  }
  return file.commit() || failed();
}
