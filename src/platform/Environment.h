#pragma once
// The program's view of its surroundings: key and mouse state, the beep, the busy cursor, the screen,
// the clock, the random seed, the outside tools and the update site. Each can be set by tests.
#include <QDateTime>
#include <QMap>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>

namespace Platform {

class Environment {
 public:
  // Keys: Shift; the Option key is Alt; the Command key is Ctrl.
  static bool ShiftKey();
  static bool OptionKey();
  static bool CommandKey();
  static bool ControlKey();
  static void OverrideKeys(std::optional<Qt::KeyboardModifiers> keys);

  static bool MouseDown();
  static QPoint MousePosition();
  static void OverrideMouse(std::optional<bool> down, std::optional<QPoint> position = std::nullopt);

  // The beep: counted always, sounded only outside tests.
  static void Beep();
  static int BeepCount();
  static void ResetBeepCount();

  // The application-wide busy cursor.
  static void SetBusyCursor(bool on);
  static bool BusyCursor();

  // The main screen's size in pixels.
  static QSize MainScreenSize();
  // The part of the main screen that windows may cover (without the desktop's panels); the whole
  // overridden size while a test sets one.
  static QRect MainScreenAvailable();
  static void OverrideScreenSize(std::optional<QSize> size);

  // The local date and time.
  static QDateTime LocalNow();
  static void OverrideLocalNow(std::optional<QDateTime> now);

  // Microseconds since start.
  static double Microseconds();
  static void OverrideMicroseconds(std::optional<double> us);

  // Seed for the program's random generator; 0 means from the clock.
  static uint32_t RandomSeed();
  static void SetRandomSeed(uint32_t seed);

  // The program run for an outside tool's name ("convert", "lpstat", ...): the name itself unless a test
  // set another path.
  static QString ToolPath(const QString& name);
  static void OverrideToolPath(const QString& name, const QString& path);

  // How long the program waits for the printing system to answer (milliseconds): a few seconds.
  static int PrintSystemWaitMs();
  static void OverridePrintSystemWait(std::optional<int> ms);

  // Opens a file with its default application (the desktop's services); false when that failed. Tests
  // replace it; while testing without a replacement nothing is opened.
  static bool OpenDocument(const QString& path);
  static void OverrideOpenDocument(std::function<bool(const QString&)> open);
  // Opens a web address in the desktop's browser; false when that failed. Tests replace it; while
  // testing without a replacement nothing is opened.
  static bool OpenURL(const QString& address);
  static void OverrideOpenURL(std::function<bool(const QString&)> open);

  // The display names of the mounted volumes, in the system's order.
  static QStringList MountedVolumeNames();
  static void OverrideMountedVolumes(std::optional<QStringList> names);

  // The root address of the update site.
  static QString UpdateSiteRoot();
  static void SetUpdateSiteRoot(const QString& root);

  // True while tests run: beeps are silent and modal waits are answered by the test's script.
  static bool Testing();
  static void SetTesting(bool on);

  // Processes pending events once (the framework's DoEvents).
  static void ProcessEvents();

  // Puts every override back.
  static void ResetOverrides();
};

// While one of these lives, ProcessEvents runs everything but user input: mouse and key events stay
// queued until the holder has finished, so a handler that repaints on the way is never overtaken by the
// events that follow it.
class UserInputHeld {
 public:
  UserInputHeld();
  ~UserInputHeld();
  UserInputHeld(const UserInputHeld&) = delete;
  UserInputHeld& operator=(const UserInputHeld&) = delete;
  static bool Active();
};

}  // namespace Platform
