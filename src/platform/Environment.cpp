#include "platform/Environment.h"

#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QStorageInfo>
#include <QUrl>

namespace Platform {

namespace {
struct State {
  std::optional<Qt::KeyboardModifiers> keys;
  std::optional<bool> mouseDown;
  std::optional<QPoint> mousePos;
  int beeps = 0;
  bool busy = false;
  std::optional<QSize> screen;
  std::optional<double> micros;
  std::optional<QDateTime> now;
  uint32_t seed = 0;
  QMap<QString, QString> tools;
  std::optional<int> printWait;
  std::function<bool(const QString&)> openDocument;
  std::function<bool(const QString&)> openURL;
  std::optional<QStringList> volumes;
  QString updateRoot = QStringLiteral("http://www.pixmura.example");
  bool testing = false;
};
State& S() {
  static State s;
  return s;
}
QElapsedTimer& Clock() {
  static QElapsedTimer t = [] {
    QElapsedTimer e;
    e.start();
    return e;
  }();
  return t;
}
Qt::KeyboardModifiers Keys() {
  if (S().keys) return *S().keys;
  return QGuiApplication::queryKeyboardModifiers();
}
}  // namespace

bool Environment::ShiftKey() { return Keys() & Qt::ShiftModifier; }
bool Environment::OptionKey() { return Keys() & Qt::AltModifier; }
bool Environment::CommandKey() { return Keys() & Qt::ControlModifier; }
bool Environment::ControlKey() { return Keys() & Qt::MetaModifier; }
void Environment::OverrideKeys(std::optional<Qt::KeyboardModifiers> keys) { S().keys = keys; }

bool Environment::MouseDown() {
  if (S().mouseDown) return *S().mouseDown;
  return QGuiApplication::mouseButtons() != Qt::NoButton;
}
QPoint Environment::MousePosition() {
  if (S().mousePos) return *S().mousePos;
  return QCursor::pos();
}
void Environment::OverrideMouse(std::optional<bool> down, std::optional<QPoint> position) {
  S().mouseDown = down;
  S().mousePos = position;
}

void Environment::Beep() {
  ++S().beeps;
  if (!S().testing) QApplication::beep();
}
int Environment::BeepCount() { return S().beeps; }
void Environment::ResetBeepCount() { S().beeps = 0; }

void Environment::SetBusyCursor(bool on) {
  if (on == S().busy) return;
  S().busy = on;
  if (!qApp) return;
  if (on) QApplication::setOverrideCursor(Qt::WaitCursor);
  else QApplication::restoreOverrideCursor();
}
bool Environment::BusyCursor() { return S().busy; }

QSize Environment::MainScreenSize() {
  if (S().screen) return *S().screen;
  if (QScreen* s = QGuiApplication::primaryScreen()) return s->size();
  return QSize(1024, 768);
}
QRect Environment::MainScreenAvailable() {
  if (S().screen) return QRect(QPoint(0, 0), *S().screen);
  if (QScreen* s = QGuiApplication::primaryScreen()) return s->availableGeometry();
  return QRect(0, 0, 1024, 768);
}
void Environment::OverrideScreenSize(std::optional<QSize> size) { S().screen = size; }

QDateTime Environment::LocalNow() { return S().now ? *S().now : QDateTime::currentDateTime(); }
void Environment::OverrideLocalNow(std::optional<QDateTime> now) { S().now = std::move(now); }

double Environment::Microseconds() {
  if (S().micros) return *S().micros;
  return double(Clock().nsecsElapsed()) / 1000.0;
}
void Environment::OverrideMicroseconds(std::optional<double> us) { S().micros = us; }

uint32_t Environment::RandomSeed() { return S().seed; }
void Environment::SetRandomSeed(uint32_t seed) { S().seed = seed; }

QString Environment::ToolPath(const QString& name) { return S().tools.value(name, name); }
void Environment::OverrideToolPath(const QString& name, const QString& path) {
  if (path.isEmpty()) S().tools.remove(name);
  else S().tools.insert(name, path);
}

int Environment::PrintSystemWaitMs() { return S().printWait.value_or(5000); }
void Environment::OverridePrintSystemWait(std::optional<int> ms) { S().printWait = ms; }

bool Environment::OpenDocument(const QString& path) {
  if (S().openDocument) return S().openDocument(path);
  if (S().testing) return false;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
void Environment::OverrideOpenDocument(std::function<bool(const QString&)> open) { S().openDocument = std::move(open); }

bool Environment::OpenURL(const QString& address) {
  if (S().openURL) return S().openURL(address);
  if (S().testing) return false;
  return QDesktopServices::openUrl(QUrl(address));
}
void Environment::OverrideOpenURL(std::function<bool(const QString&)> open) { S().openURL = std::move(open); }

QStringList Environment::MountedVolumeNames() {
  if (S().volumes) return *S().volumes;
  QStringList names;
  for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) names << v.displayName();
  return names;
}
void Environment::OverrideMountedVolumes(std::optional<QStringList> names) { S().volumes = std::move(names); }

QString Environment::UpdateSiteRoot() { return S().updateRoot; }
void Environment::SetUpdateSiteRoot(const QString& root) { S().updateRoot = root; }

bool Environment::Testing() { return S().testing; }
void Environment::SetTesting(bool on) { S().testing = on; }

namespace {
int userInputHolders = 0;
}

UserInputHeld::UserInputHeld() { ++userInputHolders; }
UserInputHeld::~UserInputHeld() { --userInputHolders; }
bool UserInputHeld::Active() { return userInputHolders > 0; }

void Environment::ProcessEvents() {
  if (!qApp) return;
  if (UserInputHeld::Active()) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  else QCoreApplication::processEvents();
}

void Environment::ResetOverrides() {
  const bool testing = S().testing;
  if (S().busy) SetBusyCursor(false);
  S() = State();
  S().testing = testing;
}

}  // namespace Platform
