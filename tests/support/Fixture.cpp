#include "support/Fixture.h"

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QTimer>
#include <QFile>
#include <QFileInfo>
#include <atomic>

#include "app/App.h"
#include "app/modOptions.h"
#include "app/modProgress.h"
#include "core/EditingState.h"
#include "core/UndoHistory.h"
#include "effects/DozerIvidEffectsLibrary.h"
#include "effects/modColorSplash.h"
#include "gradients/modGRADIENT.h"
#include "mainwindow/winMAIN.h"
#include "palettes/modSHAPES.h"
#include "platform/Environment.h"
#include "platform/ImageConverter.h"
#include "platform/SpellCheck.h"

namespace Fixture {

namespace {
QString& Root() {
  static QString r;
  return r;
}
QString& CurrentHome() {
  static QString h;
  return h;
}
int& Counter() {
  static int n = 0;
  return n;
}
}  // namespace

void SetRoot(const QString& path) { Root() = path; }

void UseFreshHome() {
  const QString home = Root() + QStringLiteral("/home%1").arg(++Counter());
  QDir().mkpath(home);
  for (const char* sub : {"/data", "/config", "/cache", "/tmp", "/Desktop"}) QDir().mkpath(home + QLatin1String(sub));
  qputenv("HOME", home.toLocal8Bit());
  qputenv("XDG_DATA_HOME", (home + QStringLiteral("/data")).toLocal8Bit());
  qputenv("XDG_CONFIG_HOME", (home + QStringLiteral("/config")).toLocal8Bit());
  qputenv("XDG_CACHE_HOME", (home + QStringLiteral("/cache")).toLocal8Bit());
  qputenv("TMPDIR", (home + QStringLiteral("/tmp")).toLocal8Bit());
  qputenv("XDG_DESKTOP_DIR", (home + QStringLiteral("/Desktop")).toLocal8Bit());
  // Spell checking keeps the personal word list here (it would read the first test's folder otherwise,
  // as the desktop library remembers the configuration folder it saw first).
  qputenv("ENCHANT_CONFIG_DIR", (home + QStringLiteral("/config/enchant")).toLocal8Bit());
  CurrentHome() = home;
}

QString Home() { return CurrentHome(); }

QString SettingsFolder() {
  const QString f = CurrentHome() + QStringLiteral("/data/pixmura");
  QDir().mkpath(f);
  return f;
}

void Begin() {
  UseFreshHome();
  Platform::Environment::ResetOverrides();
  Platform::SpellChecker::OverrideLanguages(std::nullopt);
  Platform::Environment::ResetBeepCount();
  Platform::ImageConverter::SetTimeoutRule(-1, -1);
  Platform::SetAllocationRefusal(nullptr);
  Platform::Environment::SetRandomSeed(12345);
  // Every test starts before the automatic update check is first due, so that no start asks the web
  // site; tests of the check set the clock themselves and start again.
  Platform::Environment::OverrideLocalNow(QDateTime(QDate(2009, 1, 1), QTime(12, 0)));
  Platform::ModalHost::ClearScript();
  Platform::ModalHost::TakeFailures();
  StartProgram();
}

void StartProgram(const QStringList& documents) {
  // Every window of an earlier start goes, so that the program comes up as from its launch.
  QList<QPointer<QWidget>> windows;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (!w->parentWidget()) windows << w;
  for (const QPointer<QWidget>& w : windows) delete w.data();
  modMAIN::Reset_Globals();
  modOptions::Reset_Globals();
  modProgress::Reset_Globals();
  DozerIvidEffectsLibrary::Reset_Globals();
  modColorSplash::Reset_Globals();
  modSHAPES::Reset_Globals();
  modGRADIENT::Reset_Globals();
  // No printing system: the probe finds no printer (tests of the probe name stand-ins).
  Platform::Environment::OverrideToolPath(QStringLiteral("lpstat"), Home() + QStringLiteral("/no-lpstat"));
  Platform::Environment::OverrideToolPath(QStringLiteral("lpoptions"), Home() + QStringLiteral("/no-lpoptions"));
  App::instance()->Start(documents);
}

QString End() {
  QStringList problems = Platform::ModalHost::TakeFailures();
  if (Platform::ModalHost::Pending() > 0)
    problems << QStringLiteral("%1 expected modal wait(s) never came").arg(Platform::ModalHost::Pending());
  Platform::ModalHost::ClearScript();
  Platform::Environment::ResetOverrides();
  return problems.join(QLatin1Char('\n'));
}

void NewDocument(int w, int h, Platform::Color fill) {
  using namespace modMAIN;
  pic_Stack.clear();
  pic_Stack.Append(Filled(w, h, fill));
  Current_Picture = 0;
  Working_Color_Depth = 32;
  Move_to_WorkArea();
  winMAIN::instance()->Update_Display();
}

static void Check(const QString& what, const QString& expected, const QString& actual) {
  if (expected != actual)
    Platform::ModalHost::RecordFailure(QStringLiteral("%1: expected \"%2\", shown \"%3\"").arg(what, expected, actual));
}

void ExpectAlert(const QString& message, const QString& explanation, const QString& answer,
                 const QStringList& buttons) {
  Platform::ModalHost::Enqueue([=](Platform::ModalRequest& r) -> QVariant {
    if (r.kind != Platform::ModalKind::Alert) {
      Platform::ModalHost::RecordFailure(QStringLiteral("Expected an alert, got ") + Platform::ModalHost::Describe(r));
      return QVariant();
    }
    Check(QStringLiteral("alert message"), message, r.message);
    Check(QStringLiteral("alert explanation"), explanation, r.explanation);
    if (!buttons.isEmpty()) Check(QStringLiteral("alert buttons"), buttons.join('|'), r.buttons.join('|'));
    if (!r.buttons.contains(answer))
      Platform::ModalHost::RecordFailure(QStringLiteral("alert has no button \"%1\"").arg(answer));
    return answer;
  });
}

void ExpectMessageBox(const QString& message, const QString& answer) {
  Platform::ModalHost::Enqueue([=](Platform::ModalRequest& r) -> QVariant {
    if (r.kind != Platform::ModalKind::MessageBox) {
      Platform::ModalHost::RecordFailure(QStringLiteral("Expected a message box, got ") +
                                         Platform::ModalHost::Describe(r));
      return QVariant();
    }
    Check(QStringLiteral("message box"), message, r.message);
    return answer;
  });
}

void ExpectDialog(const QString& objectName, std::function<void(QDialog*)> drive, const QString& answer) {
  Platform::ModalHost::Enqueue([=](Platform::ModalRequest& r) -> QVariant {
    if (!r.dialog || r.dialog->objectName() != objectName) {
      Platform::ModalHost::RecordFailure(QStringLiteral("Expected dialog %1, got ").arg(objectName) +
                                         Platform::ModalHost::Describe(r));
      return QVariant();
    }
    if (drive) drive(r.dialog);
    return answer.isEmpty() ? QVariant() : QVariant(answer);
  });
}

void ExpectOpenFile(const QString& path) {
  Platform::ModalHost::Enqueue([=](Platform::ModalRequest& r) -> QVariant {
    if (r.kind != Platform::ModalKind::OpenFile)
      Platform::ModalHost::RecordFailure(QStringLiteral("Expected the open dialog, got ") +
                                         Platform::ModalHost::Describe(r));
    return path;
  });
}

void ExpectSaveFile(const QString& path, const QString& expectedDefaultName) {
  Platform::ModalHost::Enqueue([=](Platform::ModalRequest& r) -> QVariant {
    if (r.kind != Platform::ModalKind::SaveFile)
      Platform::ModalHost::RecordFailure(QStringLiteral("Expected the save dialog, got ") +
                                         Platform::ModalHost::Describe(r));
    if (!expectedDefaultName.isNull()) Check(QStringLiteral("suggested name"), expectedDefaultName, r.defaultName);
    return path;
  });
}

void ExpectColorPicker(const QColor& answer, const QColor& expectedStart) {
  Platform::ModalHost::Enqueue([=](Platform::ModalRequest& r) -> QVariant {
    if (r.kind != Platform::ModalKind::ColorPicker)
      Platform::ModalHost::RecordFailure(QStringLiteral("Expected the colour picker, got ") +
                                         Platform::ModalHost::Describe(r));
    if (expectedStart.isValid()) Check(QStringLiteral("picker start"), expectedStart.name(), r.color.name());
    return answer.isValid() ? QVariant(answer) : QVariant();
  });
}

void ExpectAny(Platform::ModalHandler handler) { Platform::ModalHost::Enqueue(std::move(handler)); }

bool KeyOnRealModal(Qt::Key key, const std::function<void()>& call, const QString& otherwise) {
  QPointer<QWidget> modal;
  bool pressed = false;
  int ticks = 0;
  QTimer poll;
  poll.setInterval(20);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (!pressed) {
      if (QWidget* m = QApplication::activeModalWidget()) {
        modal = m;
        pressed = true;
        QTest::keyClick(m, key);
      }
      return;
    }
    if (!modal || !modal->isVisible()) {
      poll.stop();
      return;
    }
    if (++ticks < 10) return;
    // Still open: leave it through the other button, or by force when it has none.
    poll.stop();
    if (!Platform::ModalHost::ClickButton(modal, otherwise))
      if (auto* d = qobject_cast<QDialog*>(modal.data())) d->done(QDialog::Rejected);
  });
  Platform::ModalHost::SetScripted(false);
  poll.start();
  call();
  poll.stop();
  Platform::ModalHost::SetScripted(true);
  // The call returns only once the window has closed: by the key unless the other button was needed.
  return pressed && ticks < 10;
}

Platform::PicturePtr Filled(int w, int h, Platform::Color c) {
  auto p = Platform::Picture::Create(w, h, 32);
  p->Image().fill(Platform::ToQRgb(c));
  return p;
}

QString Difference(const Platform::PicturePtr& a, const Platform::PicturePtr& b) {
  if (!a || !b) return QStringLiteral("missing picture");
  if (a->Width() != b->Width() || a->Height() != b->Height())
    return QStringLiteral("size %1x%2 vs %3x%4").arg(a->Width()).arg(a->Height()).arg(b->Width()).arg(b->Height());
  for (int y = 0; y < a->Height(); ++y)
    for (int x = 0; x < a->Width(); ++x)
      if (a->Pixel(x, y) != b->Pixel(x, y))
        return QStringLiteral("pixel (%1,%2): %3 vs %4")
            .arg(x)
            .arg(y)
            .arg(a->Pixel(x, y), 6, 16, QLatin1Char('0'))
            .arg(b->Pixel(x, y), 6, 16, QLatin1Char('0'));
  return QString();
}

QString WriteFile(const QString& relativePath, const QByteArray& bytes) {
  const QString path = CurrentHome() + QLatin1Char('/') + relativePath;
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  f.open(QIODevice::WriteOnly);
  f.write(bytes);
  return path;
}

QByteArray ReadFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QString StandInTool(const QString& name, const QString& scriptBody) {
  const QString path = WriteFile(QStringLiteral("bin/") + name, "#!/bin/sh\n" + scriptBody.toUtf8() + "\n");
  QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  Platform::Environment::OverrideToolPath(name, path);
  return path;
}

}  // namespace Fixture
