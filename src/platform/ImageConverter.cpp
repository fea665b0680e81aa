#include "platform/ImageConverter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <limits>

#include "platform/Shell.h"

namespace Platform {

namespace {

constexpr int kBaseTimeoutMs = 10000, kPerMegapixelMs = 1000;

struct TimeoutRule {
  int baseMs = kBaseTimeoutMs;
  int perMegapixelMs = kPerMegapixelMs;
};
TimeoutRule& Rule() {
  static TimeoutRule rule;
  return rule;
}

// "format:name[0]": the explicit format keeps the converter from guessing by name or contents, and the
// frame number reads only the first page of a multi-page file.
QString InputOperand(const QString& format, const QString& name) {
  return format.toLower() + QLatin1Char(':') + name + QStringLiteral("[0]");
}

}  // namespace

QString ImageConverter::ToolName() { return QStringLiteral("convert"); }

bool ImageConverter::Available() { return !Shell::Find(ToolName()).isEmpty(); }

int ImageConverter::TimeoutMs(qint64 pixels) {
  const qint64 megapixels = (std::max<qint64>(pixels, 0) + 999999) / 1000000;
  const qint64 ms = Rule().baseMs + megapixels * Rule().perMegapixelMs;
  return int(std::min<qint64>(ms, std::numeric_limits<int>::max()));
}

void ImageConverter::SetTimeoutRule(int baseMs, int perMegapixelMs) {
  Rule().baseMs = baseMs < 0 ? kBaseTimeoutMs : baseMs;
  Rule().perMegapixelMs = perMegapixelMs < 0 ? kPerMegapixelMs : perMegapixelMs;
}

QString ImageConverter::TimeoutMessage() { return QStringLiteral("The converter did not finish in time."); }

ConverterFolder::ConverterFolder() : dir_(QDir::tempPath() + QStringLiteral("/pixmura-XXXXXX")) {}

bool ConverterFolder::Bring(const QString& file, const QString& name) {
  if (!IsValid()) return false;
  const QString absolute = QFileInfo(file).absoluteFilePath();
  return QFile::link(absolute, Path(name)) || QFile::copy(absolute, Path(name));
}

ConvertResult ConverterFolder::Execute(const QStringList& arguments, qint64 pixels) {
  ConvertResult r;
  if (!IsValid()) {
    r.found = true;
    r.output = QStringLiteral("No temporary folder could be made: ") + dir_.errorString();
    return r;
  }
  const ShellResult s = Shell::ExecuteWhileRepainting(
      ImageConverter::ToolName(), arguments, dir_.path(), ImageConverter::TimeoutMs(pixels),
      {QStringLiteral("MAGICK_TEMPORARY_PATH=") + dir_.path(), QStringLiteral("TMPDIR=") + dir_.path()});
  r.found = s.started && !s.output.contains(QLatin1String("command not found"));
  r.timedOut = s.timedOut;
  r.output = s.timedOut ? ImageConverter::TimeoutMessage() : s.output.trimmed();
  r.ok = r.found && !s.timedOut && s.errorCode == 0;
  if (r.found && !r.ok && r.output.isEmpty())
    r.output = QStringLiteral("The converter ended with code %1.").arg(s.errorCode);
  return r;
}

ConvertResult ConverterFolder::Run(const QString& input, const QString& inputFormat, const QString& output,
                                   const QString& outputFormat, qint64 pixels) {
  ConvertResult r = Execute({InputOperand(inputFormat, input), outputFormat.toLower() + QLatin1Char(':') + output}, pixels);
  if (r.ok && QFileInfo(Path(output)).size() <= 0) {
    r.ok = false;
    r.output = QStringLiteral("The converter wrote no picture.");
  }
  return r;
}

QSize ConverterFolder::Size(const QStringList& arguments, qint64 pixels, const QString& unmeasured,
                            ConvertResult* result) {
  ConvertResult r =
      Execute(arguments + QStringList{QStringLiteral("-format"), QStringLiteral("%w %h"), QStringLiteral("info:")}, pixels);
  // Warnings may come first: the size is the last line.
  const QString last = r.output.split(QLatin1Char('\n')).last().trimmed();
  const QStringList size = last.split(QLatin1Char(' '));
  bool okW = false, okH = false;
  const QSize s = size.size() == 2 ? QSize(size[0].toInt(&okW), size[1].toInt(&okH)) : QSize();
  const bool measured = r.ok && okW && okH && s.isValid();
  if (!measured && r.ok) {
    r.ok = false;
    r.output = unmeasured;
  }
  if (result) *result = r;
  return measured ? s : QSize();
}

QSize ConverterFolder::ReadBack(const QString& input, const QString& format, qint64 pixels, QString* why) {
  // "info:" decodes every pixel of the page before it prints the size, so a file cut short fails here.
  ConvertResult r;
  const QSize s =
      Size({InputOperand(format, input)}, pixels, QStringLiteral("The converter's file could not be read back."), &r);
  if (!s.isValid() && why) *why = r.output;
  return s;
}

QSize ConverterFolder::HeaderSize(const QString& input, const QString& format, ConvertResult* result) {
  // "-ping" reads what the size needs and leaves the pixels alone: a moment, whatever the size.
  return Size({QStringLiteral("-ping"), InputOperand(format, input)}, 0,
              QStringLiteral("The converter could not read the picture's size."), result);
}

ConvertResult ImageConverter::Convert(const QString& from, const QString& fromFormat, const QString& to,
                                      const QString& toFormat, qint64 pixels) {
  ConverterFolder folder;
  const QString input = QStringLiteral("in.") + fromFormat.toLower();
  const QString output = QStringLiteral("out.") + toFormat.toLower();
  if (folder.IsValid() && !folder.Bring(from, input)) {
    ConvertResult r;
    r.found = Available();
    r.output = QStringLiteral("The file could not be read.");
    return r;
  }
  ConvertResult r = folder.Run(input, fromFormat, output, toFormat, pixels);
  if (!r.ok) return r;
  QFile::remove(to);
  if (!QFile::copy(folder.Path(output), to)) {
    r.ok = false;
    r.output = QStringLiteral("The converted file could not be put in place.");
  }
  return r;
}

}  // namespace Platform
