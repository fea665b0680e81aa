// Copy and paste through the X clipboard with another program (xclip). The test starts its own X
// server and runs itself again on it; there the real window copies to and pastes from the clipboard.
#include <QClipboard>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "CanvasDriver.h"
#include "support/Selections.h"
#include "support/TestMain.h"

using namespace modMAIN;
using namespace Canvas;

namespace {
// Runs the program to its end while the event loop goes on, so that this process can answer the
// clipboard requests it makes; its standard output, or a null array when it failed.
QByteArray Run(const QString& program, const QStringList& args, const QByteArray& input = {}) {
  QProcess p;
  p.start(program, args);
  if (!p.waitForStarted(5000)) return {};
  if (!input.isNull()) {
    p.write(input);
    p.closeWriteChannel();
  }
  for (int i = 0; i < 200 && p.state() != QProcess::NotRunning; ++i) QTest::qWait(25);
  if (p.state() != QProcess::NotRunning) {
    p.kill();
    p.waitForFinished();
    return {};
  }
  if (p.exitCode() != 0) return {};
  QByteArray out = p.readAllStandardOutput();
  if (out.isNull()) out = QByteArray("");
  return out;
}
}  // namespace

class XClipboardTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void copyAndPasteWithAnotherProgram() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
      // Here: start an X server of our own and run this test again on it.
      const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
      QVERIFY2(!xvfb.isEmpty(), "Xvfb is not installed");
      QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty(), "xclip is not installed");
      QProcess server;
      server.setProcessChannelMode(QProcess::SeparateChannels);
      server.start(xvfb, {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                          QStringLiteral("0"), QStringLiteral("1200x900x24"), QStringLiteral("-nolisten"),
                          QStringLiteral("tcp")});
      QVERIFY(server.waitForStarted(5000));
      QByteArray number;
      for (int i = 0; i < 100 && !number.contains('\n'); ++i) {
        server.waitForReadyRead(100);
        number += server.readAllStandardOutput();
      }
      QVERIFY2(number.contains('\n'), "the X server did not start");
      QProcess child;
      QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
      env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
      env.insert(QStringLiteral("DISPLAY"), QStringLiteral(":") + QString::fromLatin1(number.trimmed()));
      child.setProcessEnvironment(env);
      child.setProcessChannelMode(QProcess::MergedChannels);
      child.start(QCoreApplication::applicationFilePath(),
                  {QStringLiteral("XClipboardTests"), QStringLiteral("copyAndPasteWithAnotherProgram")});
      const bool finished = child.waitForFinished(120000);
      const QByteArray output = child.readAll();
      server.terminate();
      server.waitForFinished(5000);
      QVERIFY2(finished && child.exitCode() == 0, output.constData());
      return;
    }

    // On the X server: another program offers a picture, Paste floats it.
    QTemporaryDir dir;
    QImage offered(30, 20, QImage::Format_RGB32);
    offered.fill(0xFF00FF00u);
    const QString png = dir.filePath(QStringLiteral("offered.png"));
    QVERIFY(offered.save(png));
    Start(120, 90, TOOL_PENCIL);
    QVERIFY(!Run(QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-t"),
                                           QStringLiteral("image/png"), QStringLiteral("-i"), png})
                 .isNull());
    for (int i = 0; i < 100 && QGuiApplication::clipboard()->image().isNull(); ++i) QTest::qWait(50);
    Main()->image_PASTE(false, nullptr);
    QVERIFY(active_DRAG);
    QCOMPARE(img_lasso->Bot_Right(), Point_of(30, 20));
    Main()->Turn_Lasso_OFF();
    QCOMPARE(work_area->Pixel(29, 19) & 0xFFFFFFu, 0x00FF00u);
    QCOMPARE(work_area->Pixel(30, 19) & 0xFFFFFFu, 0xFFFFFFu);

    // Copy of a selection, read by the other program.
    Fixture::PaintMarkers(work_area);
    pic_Stack[Current_Picture] = work_area->CopyAtDepth(32);
    Main()->drawing_TOOL_SET(TOOL_LASSO);
    Stroke({{10, 10}, {15, 15}, {20, 18}});
    QVERIFY(active_LASSO);
    Main()->Handle_Menu(QStringLiteral("menu_COPY"), 0);
    const QByteArray read = Run(QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard"),
                                                         QStringLiteral("-t"), QStringLiteral("image/png"), QStringLiteral("-o")});
    QVERIFY(!read.isEmpty());
    const QImage copied = QImage::fromData(read, "PNG");
    QCOMPARE(copied.size(), QSize(10, 8));
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 10; ++x) QCOMPARE(copied.pixel(x, y) & 0xFFFFFFu, Fixture::Marker(10 + x, 10 + y));
  }
};

PIXMURA_TEST_CLASS(XClipboardTests)
#include "XClipboardTests.moc"
