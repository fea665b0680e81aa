#pragma once
// The test fixture: a fresh home and settings folder for every test, the program's start-up state,
// scripted answers for modal waits, and picture helpers.
#include <QDialog>
#include <QString>
#include <QStringList>
#include <QTest>
#include <functional>

#include "platform/ModalHost.h"
#include "platform/Picture.h"

namespace Fixture {

void SetRoot(const QString& path);
// Points HOME, XDG_DATA_HOME, XDG_CONFIG_HOME, XDG_CACHE_HOME, TMPDIR and the spell checker's personal
// word list (ENCHANT_CONFIG_DIR) at new empty folders.
void UseFreshHome();
QString Home();
// The program's settings folder for this test ($XDG_DATA_HOME/pixmura), made when missing.
QString SettingsFolder();

// Before each test: fresh home, every global at its start value, overrides off, an empty script, and the
// program started with its blank document.
void Begin();
// Starts the program again as from its launch (every window made anew, every global at its start
// value), with the documents handed over at launch; the home and settings folder stay.
void StartProgram(const QStringList& documents = {});
// After each test: the problems found (unexpected or unanswered modal waits, failed checks); empty when
// all is well.
QString End();

// Makes a document of w x h filled with the colour, the only state of the history.
void NewDocument(int w, int h, Platform::Color fill = 0xFFFFFF);

// ---- Scripted modal answers, taken in order ----
// The standard alert: checks its message and explanation (and buttons, when given) and presses answer.
void ExpectAlert(const QString& message, const QString& explanation, const QString& answer,
                 const QStringList& buttons = {});
// The program's message box: checks its message (as passed to it) and presses answer.
void ExpectMessageBox(const QString& message, const QString& answer);
// A dialog window: runs drive on it (which may press buttons itself); presses answer afterwards when given.
void ExpectDialog(const QString& objectName, std::function<void(QDialog*)> drive, const QString& answer = {});
// The open and save dialogs answer with a path (empty: cancel).
void ExpectOpenFile(const QString& path);
void ExpectSaveFile(const QString& path, const QString& expectedDefaultName = QString());
void ExpectColorPicker(const QColor& answer, const QColor& expectedStart = QColor());
void ExpectAny(Platform::ModalHandler handler);
// Runs call while the modal host shows the real windows, as the program does, and presses the key on the
// first modal window that shows. True when the key closed it; when the window is still open a moment
// later, presses the button `otherwise` (caption or name) and returns false.
bool KeyOnRealModal(Qt::Key key, const std::function<void()>& call, const QString& otherwise);

// ---- Pictures ----
Platform::PicturePtr Filled(int w, int h, Platform::Color c);
// Empty when equal; else the first differing pixel.
QString Difference(const Platform::PicturePtr& a, const Platform::PicturePtr& b);
// Writes a file under the test's home and returns its path.
QString WriteFile(const QString& relativePath, const QByteArray& bytes);
// Puts a stand-in for an outside tool ("convert", "lpstat", ...) in its place: a shell script with the
// given body, written under the test's home. Returns the script's path.
QString StandInTool(const QString& name, const QString& scriptBody);
// The whole content of a file; "<missing>" when it cannot be read.
QByteArray ReadFile(const QString& path);

}  // namespace Fixture

// Base of test classes that run the fixture around each test function.
class FixtureTest : public QObject {
  Q_OBJECT
 protected slots:
  void init() { Fixture::Begin(); }
  void cleanup() {
    const QString problems = Fixture::End();
    QVERIFY2(problems.isEmpty(), qPrintable(problems));
  }
};
