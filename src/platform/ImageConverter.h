#pragma once
// The outside image converter (ImageMagick's "convert"), run with an argument list, never through a
// command interpreter. It writes GIF and TIFF files and reads the picture types that Qt has no decoder for.
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace Platform {

struct ConvertResult {
  bool found = false;     // false: the converter could not be started (it is not installed)
  bool ok = false;        // it ran, ended with exit code 0 and wrote a file that is not empty
  bool timedOut = false;  // it was stopped after its time-out
  QString output;         // what it printed (its error messages), or why it failed
};

// A private temporary folder for conversions. The converter sees only plain names of the program's own
// in it, never a user's file name, which it would read as a pattern ("pick[ab].tiff" as picka.tiff or
// pickb.tiff, "star*.tiff" as every match, "frame%d.gif" as a frame number). The folder goes with
// everything in it, files the converter wrote of its own accord included.
class ConverterFolder {
 public:
  ConverterFolder();
  bool IsValid() const { return dir_.isValid(); }
  QString Path(const QString& name) const { return dir_.filePath(name); }
  // Puts the file into the folder under the plain name: a link to it, or a copy where no link can be made.
  bool Bring(const QString& file, const QString& name);
  // Converts the folder's file `input`, read as `inputFormat` (first page or frame only), into the
  // folder's file `output` written as `outputFormat`. `pixels` scales the time-out.
  ConvertResult Run(const QString& input, const QString& inputFormat, const QString& output,
                    const QString& outputFormat, qint64 pixels);
  // Decodes the folder's file `input` whole, read as `format`; its width and height, or an invalid size
  // (with the reason in `why`) when the converter cannot read all of it.
  QSize ReadBack(const QString& input, const QString& format, qint64 pixels, QString* why);
  // The width and height that the header of the folder's file `input` (its first page), read as
  // `format`, gives, without decoding the pixels; or an invalid size, with `result` saying why.
  QSize HeaderSize(const QString& input, const QString& format, ConvertResult* result);

 private:
  // Runs the converter in the folder; its own temporary files go into the folder as well, so that
  // they go with it even when the converter is stopped or fails.
  ConvertResult Execute(const QStringList& arguments, qint64 pixels);
  // The size the converter prints for the input the arguments name; an invalid size when it fails, or
  // when it prints none (`unmeasured` then says why).
  QSize Size(const QStringList& arguments, qint64 pixels, const QString& unmeasured, ConvertResult* result);
  QTemporaryDir dir_;
};

class ImageConverter {
 public:
  // The tool name used to find the converter (Environment::ToolPath may put another program there).
  static QString ToolName();
  // True when the converter is found.
  static bool Available();

  // How long a conversion of a picture of this many pixels may take before it is stopped: 10 seconds,
  // and 1 second more for each started million pixels (a 24-megapixel picture has 34 seconds). The
  // converter needs well under a second per million pixels for these formats, so only a converter that
  // hangs meets the limit; meanwhile the window repaints and shows the busy cursor. A file that is read
  // counts the pixels its header gives (a small file may hold a large picture).
  static int TimeoutMs(qint64 pixels);
  // Tests shorten the rule (base and per million pixels, in milliseconds); negative values restore it.
  static void SetTimeoutRule(int baseMs, int perMegapixelMs);

  // The message of a conversion stopped after its time-out.
  static QString TimeoutMessage();

  // Converts the file `from`, read as `fromFormat`, into the file `to`, written as `toFormat`, through a
  // private folder. Waits for it (the window repaints meanwhile); `pixels` scales the time-out.
  static ConvertResult Convert(const QString& from, const QString& fromFormat, const QString& to,
                               const QString& toFormat, qint64 pixels = 0);
};

}  // namespace Platform
