#include <QTest>

#include "platform/Array.h"
#include "platform/Graphics.h"
#include "platform/ModalHost.h"
#include "platform/Numbers.h"
#include "platform/Picture.h"
#include "platform/RuntimeError.h"
#include "platform/Shell.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

using namespace Platform;

class NumberTests : public QObject {
  Q_OBJECT
 private slots:
  void val_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("plain") << "42" << 42.0;
    QTest::newRow("blanks in front") << "   7" << 7.0;
    QTest::newRow("sign") << "-12" << -12.0;
    QTest::newRow("plus") << "+3" << 3.0;
    QTest::newRow("fraction") << "2.5" << 2.5;
    QTest::newRow("point first") << ".25" << 0.25;
    QTest::newRow("stops at letter") << "12abc" << 12.0;
    QTest::newRow("stops at second point") << "1.2.3" << 1.2;
    QTest::newRow("stops at comma") << "640,480" << 640.0;
    QTest::newRow("no exponent") << "1e3" << 1.0;
    QTest::newRow("hex") << "&hFF" << 255.0;
    QTest::newRow("hex lower") << "&hff00" << 65280.0;
    QTest::newRow("hex colour") << "&hFFFFFF" << 16777215.0;
    QTest::newRow("hex stops") << "&h1Fz" << 31.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("blank inside") << "1 2" << 1.0;
  }
  void val() {
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(Val(text), value);
  }

  void toInt_data() {
    QTest::addColumn<double>("in");
    QTest::addColumn<int>("out");
    QTest::newRow("truncates up") << 2.9 << 2;
    QTest::newRow("truncates toward zero") << -2.9 << -2;
    QTest::newRow("saturates high") << 1e12 << 2147483647;
    QTest::newRow("saturates low") << -1e12 << int(-2147483648LL);
    QTest::newRow("nan") << std::nan("") << 0;
  }
  void toInt() {
    QFETCH(double, in);
    QFETCH(int, out);
    QCOMPARE(ToInt(in), out);
  }

  void grouped() {
    QCOMPARE(FormatGrouped(1234.5, 3), QStringLiteral("1,234.500"));
    QCOMPARE(FormatGrouped(0.25, 3), QStringLiteral("0.250"));
    QCOMPARE(FormatGrouped(1234567, 0), QStringLiteral("1,234,567"));
  }
};
PIXMURA_TEST_CLASS(NumberTests)

class PictureTests : public QObject {
  Q_OBJECT
 private slots:
  void newPictureIsOpaqueWhite() {
    for (int depth : {24, 32}) {
      auto p = Picture::Create(37, 5, depth);
      QCOMPARE(p->Depth(), depth);
      for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 37; ++x) QCOMPARE(p->Pixel(x, y), Color(0xFFFFFF));
      QVERIFY(!p->HasMask());
    }
  }

  void writesOutsideAreSkipped() {
    auto p = Picture::Create(4, 4);
    p->SetPixel(-1, 0, 0);
    p->SetPixel(4, 0, 0);
    p->SetPixel(0, 4, 0);
    p->SetPixel(2, 2, 0x123456);
    QCOMPARE(p->Pixel(2, 2), Color(0x123456));
    QCOMPARE(p->Pixel(-1, 0), Color(0));
    int white = 0;
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x) white += p->Pixel(x, y) == 0xFFFFFF;
    QCOMPARE(white, 15);
  }

  void impossibleSizesAreReported() {
    QVERIFY_THROWS_EXCEPTION(OutOfMemoryException, Picture::Create(0, 10));
    QVERIFY_THROWS_EXCEPTION(OutOfMemoryException, Picture::Create(10, -1));
    QVERIFY_THROWS_EXCEPTION(OutOfMemoryException, Picture::Create(200000, 200000));
    try {
      Picture::Create(100000, 100000);
      QFAIL("no exception");
    } catch (const RuntimeException& e) {
      QCOMPARE(e.ClassName(), QStringLiteral("OutOfMemoryException"));
      QVERIFY(!e.Stack().isEmpty());
    }
  }

  void maskAndFlagBecomeAlpha() {
    auto p = Picture::Create(3, 1);
    p->SetPixel(1, 0, 0xFF0000);
    p->Mask()->SetPixel(2, 0, 0xFFFFFF);  // left out
    p->Transparent = 1;                   // white at 0 is transparent
    const QImage a = p->ToARGB().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(qAlpha(a.pixel(0, 0)), 0);
    QCOMPARE(a.pixel(1, 0), qRgba(255, 0, 0, 255));
    QCOMPARE(qAlpha(a.pixel(2, 0)), 0);
  }

  void copyAtDepthKeepsColours() {
    auto p = Picture::Create(5, 3);
    p->SetPixel(4, 2, 0x0A0B0C);
    auto d24 = p->CopyAtDepth(24);
    QCOMPARE(d24->Depth(), 24);
    QCOMPARE(d24->Pixel(4, 2), Color(0x0A0B0C));
    auto back = d24->CopyAtDepth(32);
    QCOMPARE(Fixture::Difference(back, p), QString());
  }

  void depthConversionsOfWideRows() {
    // Rows long enough for the block conversions, with a tail that is not a whole block.
    auto p = Picture::Create(53, 3);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 53; ++x) p->SetPixel(x, y, RGB(x * 4, y * 80 + x, 255 - x));
    auto d24 = p->CopyAtDepth(24);
    for (int x = 0; x < 53; ++x) QCOMPARE(d24->Pixel(x, 2), RGB(x * 4, 160 + x, 255 - x));
    auto back = d24->CopyAtDepth(32);
    QCOMPARE(Fixture::Difference(back, p), QString());
    QCOMPARE(qAlpha(back->Image().pixel(52, 1)), 255);
  }

  void refillKeepsOthersPixels() {
    auto a = Fixture::Filled(20, 2, 0x112233);
    auto b = Fixture::Filled(20, 2, 0x445566);
    const QImage shared = a->Image();  // another holder of a's pixels
    QVERIFY(!a->RefillFrom(*b));
    QCOMPARE(a->Pixel(0, 0), Color(0x112233));
    auto c = Fixture::Filled(20, 2, 0);
    c->Mask();
    c->Transparent = 1;
    QVERIFY(c->RefillFrom(*b));
    QCOMPARE(Fixture::Difference(c, b), QString());
    QVERIFY(!c->HasMask());
    QCOMPARE(c->Transparent, 0);
    QVERIFY(!Fixture::Filled(21, 2, 0)->RefillFrom(*b));
  }

  void arrayAccessIsChecked() {
    Array<int> a(2, 0);
    QVERIFY_THROWS_EXCEPTION(OutOfBoundsException, a[2]);
    QVERIFY_THROWS_EXCEPTION(OutOfBoundsException, a[-1]);
    QCOMPARE(a.Ubound(), 1);
  }
};
PIXMURA_TEST_CLASS(PictureTests)

// Pixels set in a picture, as a set of "x,y" strings.
static QStringList Painted(const PicturePtr& p, Color c) {
  QStringList out;
  for (int y = 0; y < p->Height(); ++y)
    for (int x = 0; x < p->Width(); ++x)
      if (p->Pixel(x, y) == c) out << QStringLiteral("%1,%2").arg(x).arg(y);
  return out;
}

class GraphicsTests : public QObject {
  Q_OBJECT
 private slots:
  void framedRectangleLiesInsideItsBounds() {
    auto p = Picture::Create(8, 8);
    Graphics g = p->Graphics();
    g.SetForeColor(0);
    g.DrawRect(1, 2, 4, 3);
    QStringList expected{"1,2", "2,2", "3,2", "4,2", "1,3", "4,3", "1,4", "2,4", "3,4", "4,4"};
    QCOMPARE(Painted(p, 0), expected);
  }

  void thickFrameGrowsInwards() {
    auto p = Picture::Create(8, 8);
    Graphics g = p->Graphics();
    g.SetForeColor(0);
    g.SetPenWidth(2);
    g.SetPenHeight(2);
    g.DrawRect(0, 0, 6, 6);
    QCOMPARE(Painted(p, 0).size(), 36 - 4);
    QCOMPARE(p->Pixel(2, 2), Color(0xFFFFFF));
    QCOMPARE(p->Pixel(6, 0), Color(0xFFFFFF));
  }

  void fillRectCoversExactly() {
    auto p = Picture::Create(6, 6);
    Graphics g = p->Graphics();
    g.SetForeColor(0x00FF00);
    g.FillRect(1, 1, 3, 2);
    QCOMPARE(Painted(p, 0x00FF00).size(), 6);
    QCOMPARE(p->Pixel(3, 2), Color(0x00FF00));
    QCOMPARE(p->Pixel(4, 2), Color(0xFFFFFF));
  }

  void lineIncludesBothEnds() {
    auto p = Picture::Create(10, 10);
    Graphics g = p->Graphics();
    g.SetForeColor(0);
    g.DrawLine(1, 1, 6, 4);
    QVERIFY(p->Pixel(1, 1) == 0);
    QVERIFY(p->Pixel(6, 4) == 0);
    QCOMPARE(Painted(p, 0).size(), 6);  // one pixel per step of the major axis
    auto q = Picture::Create(5, 5);
    Graphics gq = q->Graphics();
    gq.SetForeColor(0);
    gq.DrawLine(2, 2, 2, 2);
    QCOMPARE(Painted(q, 0), QStringList{"2,2"});
  }

  void drawingStateSurvivesBetweenCalls() {
    auto p = Picture::Create(4, 4);
    {
      Graphics g = p->Graphics();
      g.SetForeColor(0x112233);
      g.SetPenWidth(3);
    }
    Graphics again = p->Graphics();
    QCOMPARE(again.ForeColor(), Color(0x112233));
    QCOMPARE(again.PenWidth(), 3);
  }

  void drawingAMaskedPictureHonoursTheMask() {
    auto dst = Picture::Create(4, 1);
    auto src = Picture::Create(4, 1);
    src->Image().fill(0xFF000000u);
    src->Mask()->SetPixel(1, 0, 0xFFFFFF);
    src->Mask()->SetPixel(2, 0, 0x808080);
    dst->Graphics().DrawPicture(src, 0, 0);
    QCOMPARE(dst->Pixel(0, 0), Color(0));
    QCOMPARE(dst->Pixel(1, 0), Color(0xFFFFFF));
    QVERIFY(Red(dst->Pixel(2, 0)) > 100 && Red(dst->Pixel(2, 0)) < 160);
    QCOMPARE(dst->Pixel(3, 0), Color(0));
  }

  void drawingPartlyOutsideIsClipped() {
    auto dst = Picture::Create(4, 4);
    auto src = Fixture::Filled(3, 3, 0x0000FF);
    dst->Graphics().DrawPicture(src, 2, 2);
    QCOMPARE(Painted(dst, 0x0000FF), (QStringList{"2,2", "3,2", "2,3", "3,3"}));
    auto part = Picture::Create(2, 2);
    part->Graphics().DrawPicture(dst, 0, 0, 2, 2, 3, 3, 2, 2);  // source reaches past the picture
    QCOMPARE(part->Pixel(0, 0), Color(0x0000FF));
    QCOMPARE(part->Pixel(1, 1), Color(0xFFFFFF));
  }
};
PIXMURA_TEST_CLASS(GraphicsTests)

class ShellTests : public QObject {
  Q_OBJECT
 private slots:
  void runsWithArgumentsAndReportsExitCode() {
    ShellResult r = Shell::Execute(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("echo \"$1\"; exit 3"),
                                                          QStringLiteral("x"), QStringLiteral("a b; rm -rf /")});
    QVERIFY(r.started);
    QCOMPARE(r.errorCode, 3);
    QCOMPARE(r.output.trimmed(), QStringLiteral("a b; rm -rf /"));
  }
  void missingProgramAndTimeOut() {
    ShellResult r = Shell::Execute(QStringLiteral("/nonexistent/tool"), {});
    QVERIFY(!r.started);
    QCOMPARE(r.errorCode, -1);
    ShellResult t = Shell::Execute(QStringLiteral("sleep"), {QStringLiteral("5")}, 200);
    QVERIFY(t.timedOut);
    QCOMPARE(t.errorCode, -1);
  }
};
PIXMURA_TEST_CLASS(ShellTests)

class ModalHostTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void scriptAnswersInOrderAndChecksTexts() {
    Fixture::ExpectAlert("Question?", "Why", "No", {"Yes", "No"});
    ModalRequest r;
    r.kind = ModalKind::Alert;
    r.message = "Question?";
    r.explanation = "Why";
    r.buttons = QStringList{"Yes", "No"};
    QCOMPARE(ModalHost::Run(r).toString(), QStringLiteral("No"));
  }
  void unexpectedWaitIsRecorded() {
    ModalRequest r;
    r.kind = ModalKind::Alert;
    r.message = "Surprise";
    QVERIFY(!ModalHost::Run(r).isValid());
    const QStringList failures = ModalHost::TakeFailures();
    QCOMPARE(failures.size(), 1);
    QVERIFY(failures[0].contains("Surprise"));
  }
};
PIXMURA_TEST_CLASS(ModalHostTests)

#include "PlatformTests.moc"
