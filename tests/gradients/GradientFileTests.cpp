// Gradient files: the built-in gradient at start, the reader, the writer and their failures.
#include <sys/stat.h>

#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>

#include "core/EditingState.h"
#include "gradients/modGRADIENT.h"
#include "platform/ModalHost.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "GradientHelpers.h"

using namespace GradientHelpers;

namespace {
// A gradient file of exactly that many bytes: style 1, centre 5 %, 6 %, one stop at 40 and a line of
// no stop that fills it up.
QByteArray FileOfSize(qint64 bytes) {
  QByteArray content("1,5,6\n40:&h102030\n");
  content += QByteArray(bytes - content.size() - 1, 'x') + '\n';
  return content;
}

const QString kSpectrumStops =
    QStringLiteral("0:FF0000,16:F900FC,33:0000FE,50:1EFFF0,67:1FFF0A,83:FFFF00,100:FF0000");
}

class GradientFileTests : public FixtureTest {
  Q_OBJECT
 private slots:
  // A hand-edited "Spectrum" file is the start gradient of the next start.
  void editedSpectrumAtStart() {
    WriteSetting(QStringLiteral("Spectrum.Gradient"),
                 "0,0,0\n0:&hFF0000\n16:&hF900FC\n33:&h0000FE\n50:&h000000\n67:&h1FFF0A\n83:&hFFFF00\n100:&hFF0000\n");
    Fixture::StartProgram();
    QCOMPARE(Stops(), QStringLiteral("0:FF0000,16:F900FC,33:0000FE,50:000000,67:1FFF0A,83:FFFF00,100:FF0000"));
    QCOMPARE(modGRADIENT::Get_Gradient_Name(), QStringLiteral("Spectrum"));
    QVERIFY(!modGRADIENT::Gradient_Changed);
  }

  // A "Spectrum" that cannot be read leaves the built-in gradient in memory and stays as it is: also a
  // file larger than any gradient (by one byte), which is not read at all.
  void unreadableSpectrumAtStart_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("folder") << "folder";
    QTest::newRow("pipe") << "pipe";
    QTest::newRow("link to a device") << "device";
    QTest::newRow("larger than any gradient") << "large";
  }
  void unreadableSpectrumAtStart() {
    QFETCH(QString, kind);
    const QString path = GradientFile(QStringLiteral("Spectrum.Gradient"));
    QVERIFY(QFile::remove(path));
    if (kind == QLatin1String("folder")) QVERIFY(QDir().mkdir(path));
    else if (kind == QLatin1String("pipe")) QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (kind == QLatin1String("device")) QVERIFY(QFile::link(QStringLiteral("/dev/null"), path));
    else WriteSetting(QStringLiteral("Spectrum.Gradient"), FileOfSize(modGRADIENT::kMaxGradientFileBytes + 1));
    const QFileInfo before(path);
    Fixture::StartProgram();
    QCOMPARE(Stops(), kSpectrumStops);
    QCOMPARE(modGRADIENT::Gradient_style, 0);
    QVERIFY(!modGRADIENT::Gradient_Changed);
    const QFileInfo after(path);
    QCOMPARE(after.isDir(), before.isDir());
    QCOMPARE(after.isFile(), before.isFile());
    QCOMPARE(after.isSymLink(), before.isSymLink());
    QCOMPARE(after.size(), before.size());
    QCOMPARE(after.lastModified(), before.lastModified());
  }

  // The reader, on files as a hand may leave them.
  void reader_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("cx");
    QTest::addColumn<int>("cy");
    QTest::addColumn<QString>("stops");
    QTest::newRow("style alone") << QByteArray("1") << 1 << 50 << 50 << "";
    QTest::newRow("two fields") << QByteArray("2,10\n") << 2 << 50 << 50 << "";
    QTest::newRow("four fields") << QByteArray("2,10,90,5\n") << 2 << 50 << 50 << "";
    QTest::newRow("short colour") << QByteArray("0,30,70\n25:&h12\n") << 0 << 30 << 70 << "25:120000";
    QTest::newRow("header alone") << QByteArray("2,30,70\n") << 2 << 30 << 70 << "";
    QTest::newRow("empty file") << QByteArray() << 0 << 50 << 50 << "";
    QTest::newRow("order kept") << QByteArray("0,0,0\n100:&h0000FF\n0:&hff0000\n") << 0 << 0 << 0
                                << "100:0000FF,0:FF0000";
    QTest::newRow("empty line") << QByteArray("1,5,6\n\n50:&hABCDEF\n") << 1 << 5 << 6 << "50:ABCDEF";
    QTest::newRow("CR LF") << QByteArray("1,50,50\r\n0:&h0000FF\r\n100:&hFFFF00\r\n") << 1 << 50 << 50
                           << "0:0000FF,100:FFFF00";
    QTest::newRow("not numbers") << QByteArray("x,y,z\nq:&hzz10zz\n") << 0 << 0 << 0 << "0:001000";
    QTest::newRow("as large as a gradient file may be")
        << FileOfSize(modGRADIENT::kMaxGradientFileBytes) << 1 << 5 << 6 << "40:102030";
    QTest::newRow("huge") << QByteArray("2,2147483647,-99999999999\n99999999999:&hFFFFFF\n") << 2 << 2147483647
                          << int(-2147483647 - 1) << "2147483647:FFFFFF";
  }
  void reader() {
    QFETCH(QByteArray, content);
    QFETCH(int, style);
    QFETCH(int, cx);
    QFETCH(int, cy);
    QFETCH(QString, stops);
    WriteSetting(QStringLiteral("Hand.Gradient"), content);
    modGRADIENT::Get_Gradient_Path(QStringLiteral("Hand"));
    QVERIFY(modGRADIENT::Load_Gradient(false));
    QCOMPARE(modGRADIENT::Gradient_style, style);
    QCOMPARE(modGRADIENT::gradient_cx, cx);
    QCOMPARE(modGRADIENT::gradient_cy, cy);
    QCOMPARE(Stops(), stops);
    QCOMPARE(modGRADIENT::Get_Gradient_Name(), QStringLiteral("Hand"));
  }

  // What is written is read back the same; saving over a name replaces the whole file.
  void writeAndReadBack() {
    modGRADIENT::Gradient_style = 1;
    modGRADIENT::gradient_cx = 50;
    modGRADIENT::gradient_cy = 50;
    SetStops(QStringLiteral("0:0000FF,100:FFFF00"));
    modGRADIENT::Gradient_Changed = true;
    modGRADIENT::Save_Gradient(false, QStringLiteral("Sky"));
    QCOMPARE(Fixture::ReadFile(GradientFile(QStringLiteral("Sky.Gradient"))),
             QByteArray("1,50,50\n0:&h0000FF\n100:&hFFFF00\n"));
    QVERIFY(!modGRADIENT::Gradient_Changed);
    QCOMPARE(modGRADIENT::Get_Gradient_Name(), QStringLiteral("Sky"));
    QCOMPARE(modMAIN::Dialog_Answer, QStringLiteral("Sky.Gradient"));

    modGRADIENT::Gradient_style = 2;
    modGRADIENT::gradient_cx = modGRADIENT::gradient_cy = 7;
    SetStops(QStringLiteral("3:010203"));
    QVERIFY(modGRADIENT::Load_Gradient(false));
    QCOMPARE(modGRADIENT::Gradient_style, 1);
    QCOMPARE(modGRADIENT::gradient_cx, 50);
    QCOMPARE(modGRADIENT::gradient_cy, 50);
    QCOMPARE(Stops(), QStringLiteral("0:0000FF,100:FFFF00"));

    SetStops(QStringLiteral("-5:ABCDEF"));
    modGRADIENT::Save_Gradient(false, QStringLiteral("Sky"));
    QCOMPARE(Fixture::ReadFile(GradientFile(QStringLiteral("Sky.Gradient"))), QByteArray("1,50,50\n-5:&hABCDEF\n"));
  }

  // Reading the current name again while untitled tries "untitled.Gradient": without it the stops stay,
  // but the gradient now refers to that file.
  void reloadUntitled() {
    modGRADIENT::Gradient_Path.reset();
    SetStops(QStringLiteral("0:000000,100:FFFFFF"));
    QVERIFY(!modGRADIENT::Load_Gradient(false));
    QCOMPARE(Stops(), QStringLiteral("0:000000,100:FFFFFF"));
    QVERIFY(modGRADIENT::Gradient_Path);
    QCOMPARE(modGRADIENT::Gradient_Path->Name(), QStringLiteral("untitled.Gradient"));
    QCOMPARE(modGRADIENT::Get_Gradient_Name(), QStringLiteral("untitled"));
  }

  // A name holding "/" writes nothing anywhere, and an empty name nothing at all; neither counts as saved.
  void refusedNames_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("parent") << "../x";
    QTest::newRow("absolute") << "/tmp/x";
    QTest::newRow("empty") << "";
  }
  void refusedNames() {
    QFETCH(QString, name);
    const QStringList before = QDir(Fixture::SettingsFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    modGRADIENT::Gradient_Changed = true;
    modGRADIENT::Save_Gradient(false, name);
    QVERIFY(!QFile::exists(Fixture::SettingsFolder() + QStringLiteral("/../x.Gradient")));
    QVERIFY(!QFile::exists(QStringLiteral("/tmp/x.Gradient")));
    QCOMPARE(QDir(Fixture::SettingsFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    QVERIFY(modGRADIENT::Gradient_Changed);
    QCOMPARE(modGRADIENT::Get_Gradient_Name(), QStringLiteral("Spectrum"));
  }

  // A save that fails says so, keeps the gradient's file and its unsaved changes.
  void failedSave() {
    QVERIFY(QDir().mkdir(GradientFile(QStringLiteral("Busy.Gradient"))));
    modGRADIENT::Gradient_Changed = true;
    Fixture::ExpectDialog(QStringLiteral("winGradientFiles"), [](QDialog* d) {
      d->show();
      auto* field = d->findChild<QLineEdit*>(QStringLiteral("inpGname"));
      field->clear();
      QTest::keyClicks(field, QStringLiteral("Busy"));
      QTest::keyClick(field, Qt::Key_Return);
    });
    QString shown;
    Fixture::ExpectAny([&](Platform::ModalRequest& r) -> QVariant {
      shown = r.message;
      return QStringLiteral("Ok");
    });
    modGRADIENT::Save_Gradient(true);
    QVERIFY2(shown.startsWith(QStringLiteral("ERROR^The Gradient 'Busy' could not be saved.^")), qPrintable(shown));
    QVERIFY(modGRADIENT::Gradient_Changed);
    QCOMPARE(modGRADIENT::Get_Gradient_Name(), QStringLiteral("Spectrum"));
    QVERIFY(QFileInfo(GradientFile(QStringLiteral("Busy.Gradient"))).isDir());
  }

  // Stops and a centre far outside the picture draw in time bounded by the picture.
  void hugeValuesDrawQuickly() {
    WriteSetting(QStringLiteral("Far.Gradient"),
                 "0,2147483647,2147483647\n-2147483648:&h000000\n2147483647:&hFFFFFF\n");
    modGRADIENT::Get_Gradient_Path(QStringLiteral("Far"));
    QVERIFY(modGRADIENT::Load_Gradient(false));
    QElapsedTimer timer;
    timer.start();
    auto pic = Fixture::Filled(300, 200, 0x123456);
    for (int style : {0, 1, 2}) {
      modGRADIENT::Gradient_style = style;
      modGRADIENT::Draw_Gradient(*pic, false);
      // The picture lies in the middle of a band from -2^31 % to 2^31 %: mid-grey everywhere (radial:
      // every pixel lies at almost exactly 100 % from the far centre, also the middle of the band).
      for (int y = 0; y < 200; y += 199)
        for (int x = 0; x < 300; x += 299) QCOMPARE(pic->Pixel(x, y), Platform::Color(0x7F7F7F));
    }
    QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
  }
};

PIXMURA_TEST_CLASS(GradientFileTests)
#include "GradientFileTests.moc"
