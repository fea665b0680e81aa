#pragma once
// The outside image converter (ImageMagick's "convert"), run with an argument list through the shell.
// It writes GIF and TIFF files and reads the picture types that Qt has no decoder for.
#include <QString>

namespace Platform {

struct ConvertResult {
  bool found = false;  // false: the converter could not be started (it is not installed)
  bool ok = false;     // it ran, ended with exit code 0 and wrote a file that is not empty
  QString output;      // what it printed (its error messages)
};

class ImageConverter {
 public:
  // The tool name used to find the converter (Environment::ToolPath may put another program there).
  static QString ToolName();
  // True when the converter is found.
  static bool Available();
  // Converts the file `from`, read as `fromFormat` ("png", "tiff", ...; empty: by its contents), into `to`,
  // written as `toFormat`. Waits for it; time-out after timeoutMs.
  static ConvertResult Convert(const QString& from, const QString& fromFormat, const QString& to,
                               const QString& toFormat, int timeoutMs = 300000);
};

}  // namespace Platform
