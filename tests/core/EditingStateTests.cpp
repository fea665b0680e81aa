#include <QFile>
#include <QTest>
#include <QWindow>

#include "app/ProgramIdentity.h"
#include <QDir>

#include "colorwindows/winCOLORMeter.h"
#include "colorwindows/winTHUMBNAIL.h"
#include "core/EditingState.h"
#include "core/TraceLog.h"
#include "core/UndoHistory.h"
#include "mainwindow/winMAIN.h"
#include "platform/Environment.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

using namespace modMAIN;

class RectangleTests : public QObject {
  Q_OBJECT
 private slots:
  void normalisedOnRead() {
    classRECTANGLE r;
    r.set_Top_Left(Point_of(20, 5));
    r.set_Bot_Right(Point_of(10, 15));
    QCOMPARE(r.Top_Left(), Point_of(10, 5));
    QCOMPARE(r.Bot_Right(), Point_of(20, 15));
    QCOMPARE(r.Width(), 10);
    QCOMPARE(r.Height(), 10);
    QCOMPARE(r.Center_Point(), Point_of(15, 10));
  }
  void onePixelPress() {
    classRECTANGLE r;
    r.set_Top_Left(Point_of(3, 4));
    r.set_Bot_Right(Point_of(3, 4));
    QCOMPARE(r.Width(), 0);
    QCOMPARE(r.Height(), 0);
    QCOMPARE(r.Point_Inside(Point_of(3, 4)), 999);
    QCOMPARE(r.Point_Inside(Point_of(4, 4)), -1);
  }
  void centreUsesWholeHalves() {
    classRECTANGLE r;
    r.set_Bot_Right(Point_of(5, 3));
    QCOMPARE(r.Center_Point(), Point_of(2, 1));
  }
  void edgesCountAsInside_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("result");
    QTest::newRow("right edge") << 20 << 12 << 999;
    QTest::newRow("bottom edge") << 15 << 20 << 999;
    QTest::newRow("top-left corner") << 10 << 10 << 999;
    QTest::newRow("beyond right") << 21 << 12 << -1;
    QTest::newRow("beyond bottom") << 15 << 21 << -1;
    QTest::newRow("above") << 15 << 9 << -1;
  }
  void edgesCountAsInside() {
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, result);
    classRECTANGLE r;
    r.set_Top_Left(Point_of(10, 10));
    r.set_Bot_Right(Point_of(20, 20));
    QCOMPARE(r.Point_Inside(Point_of(x, y)), result);
  }
  void sizeSettersKeepTheLeftAndTopEdges() {
    classRECTANGLE r;
    r.set_Top_Left(Point_of(50, 0));
    r.set_Bot_Right(Point_of(10, 0));
    r.set_Width(30);
    QCOMPARE(r.Top_Left().x, 10);
    QCOMPARE(r.Bot_Right().x, 40);
    classRECTANGLE s;
    s.set_Top_Left(Point_of(0, 5));
    s.set_Bot_Right(Point_of(0, 8));
    s.set_Height(10);
    QCOMPARE(s.Top_Left().y, 5);
    QCOMPARE(s.Bot_Right().y, 15);
  }
  void farCornersSaturateInsteadOfWrapping() {
    classRECTANGLE r;
    r.set_Top_Left(Point_of(-2000000000, 0));
    r.set_Bot_Right(Point_of(2000000000, 10));
    QCOMPARE(r.Width(), 2147483647);
    QCOMPARE(r.Center_Point().x, -2000000000 + 1073741823);
    classRECTANGLE far;
    far.set_Top_Left(Point_of(2000000000, 0));
    far.set_Bot_Right(Point_of(2000000000, 0));
    far.set_Width(2000000000);
    QCOMPARE(far.Bot_Right().x, 2147483647);
  }

  void handles() {
    classRECTANGLE r;
    r.set_Top_Left(Point_of(10, 20));
    r.set_Bot_Right(Point_of(30, 60));
    const point_record expected[8] = {{10, 20}, {20, 20}, {30, 20}, {30, 40}, {30, 60}, {20, 60}, {10, 60}, {10, 40}};
    for (int i = 0; i < 8; ++i) QCOMPARE(r.Handle_Point(i), expected[i]);
    QCOMPARE(r.Handle_Point(8), Point_of(0, 0));
    QCOMPARE(r.Handle_Point(-1), Point_of(0, 0));
  }
};
PIXMURA_TEST_CLASS(RectangleTests)

class EditingStateTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void startValues() {
    QCOMPARE(pic_Stack.size(), size_t(1));
    QCOMPARE(Current_Picture, 0);
    QCOMPARE(Working_Color_Depth, 32);
    QVERIFY(!Save_as_Transparent);
    // The tool palette opened on the pencil, which is then the tool to go back to.
    QCOMPARE(Last_DrawTool, 2);
    QCOMPARE(size_PENCIL, 1);
    QCOMPARE(size_BRUSH, 3);
    QCOMPARE(size_ERASER, 2);
    QCOMPARE(size_SPRAYCAN, 4);
    QCOMPARE(txt_box[0], -9999);
    QCOMPARE(winMAIN::instance()->windowHandle()->title(), QStringLiteral("Pixmura:<untitled>"));
    QCOMPARE(work_area->Pixel(0, 0), Platform::Color(0xFFFFFF));
  }

  void penSizes_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("tool");
    QTest::addColumn<QString>("global");
    QTest::addColumn<int>("stored");
    QTest::newRow("brush clamps up") << 0 << 11 << "brush" << 1;
    QTest::newRow("pencil clamps down") << 25 << 5 << "pencil" << 10;
    QTest::newRow("no tool is the pencil") << 7 << 9 << "pencil" << 7;
    QTest::newRow("grabber is the pencil") << 7 << 99 << "pencil" << 7;
    QTest::newRow("eraser") << 5 << 3 << "eraser" << 5;
    QTest::newRow("spray can") << 6 << 13 << "spray" << 6;
  }
  void penSizes() {
    QFETCH(int, size);
    QFETCH(int, tool);
    QFETCH(QString, global);
    QFETCH(int, stored);
    Pensize_SET(size, tool);
    const int value = global == "brush" ? size_BRUSH : global == "eraser" ? size_ERASER
                      : global == "spray"                     ? size_SPRAYCAN
                                                               : size_PENCIL;
    QCOMPARE(value, stored);
  }

  void penSizeUnchangedDoesNotRedrawStatusBar() {
    winMAIN* w = winMAIN::instance();
    int repaints = 0;
    auto oldPaint = w->statusbar->Paint;
    w->statusbar->Paint = [&](Platform::Graphics& g) {
      ++repaints;
      oldPaint(g);
    };
    QCoreApplication::processEvents();
    repaints = 0;
    Pensize_SET(1, TOOL_PENCIL);  // already 1
    QCOMPARE(repaints, 0);
    Pensize_SET(4, TOOL_PENCIL);
    QCOMPARE(repaints, 1);
    w->statusbar->Paint = oldPaint;
  }

  void penOfTheCurrentTool() {
    size_PENCIL = 10;
    for (int tool : {1, 3, 13}) {
      drawing_TOOL = tool;
      Pensize_GET();
      QCOMPARE(work_area->State().penWidth, 1);
      QCOMPARE(work_area->State().penHeight, 1);
    }
    drawing_TOOL = TOOL_LINE;
    Pensize_GET();
    QCOMPARE(work_area->State().penWidth, 10);
  }

  void settersWakeTheMarchingAnts() {
    winMAIN* w = winMAIN::instance();
    w->timer_LASSO->stop();
    Set_Active_Lasso(false);
    QVERIFY(w->timer_LASSO->isActive());
    w->timer_LASSO->stop();
    Set_BKGD_Mode(2);
    QCOMPARE(bkgd_mode, 2);
    QVERIFY(w->timer_LASSO->isActive());
    w->timer_LASSO->stop();
    Set_Active_SuperLasso(true);
    QVERIFY(active_SUPERLASSO);
    QVERIFY(w->timer_LASSO->isActive());
  }

  void marchingAntsTick() {
    winMAIN* w = winMAIN::instance();
    Lasso_State = false;
    w->timer_LASSO_Action();
    QVERIFY(Lasso_State);
    QCOMPARE(Marching_Ants, 4);
    w->timer_LASSO_Action();
    QCOMPARE(Marching_Ants, 0);
  }

  void smallServices() {
    size_ERASER = 1;
    QCOMPARE(EraserSize(), 4);
    size_ERASER = 10;
    QCOMPARE(EraserSize(), 22);
    QCOMPARE(Slash_Add_Trailing("/a/b/"), QStringLiteral("/a/b/"));
    QCOMPARE(Slash_Add_Trailing("/a/b"), QStringLiteral("/a/b/"));
    QCOMPARE(Slash_Add_Trailing(""), QStringLiteral("/"));
    QCOMPARE(EOL(), QStringLiteral("\n"));
    int32_t a = 1, b = 2;
    Swap(a, b);
    QCOMPARE(a, 2);
    QCOMPARE(b, 1);
  }

  void renderModeSwitch() {
    Platform::Graphics g = work_area->Graphics();
    RenderMode(g, false);
    QVERIFY(g.AntiAlias());
    RenderMode(g, true);
    QVERIFY(!g.AntiAlias());
  }
};
PIXMURA_TEST_CLASS(EditingStateTests)

class IdentityAndServicesTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void versionCut_data() {
    QTest::addColumn<QString>("longVersion");
    QTest::addColumn<QString>("version");
    QTest::newRow("bracketed") << "Pixmura [v1.2.3]" << "1.2.3";
    QTest::newRow("no brackets") << "1.2.3 final" << "1.2.3 final";
    QTest::newRow("no closing bracket") << "X [b4.5 beta" << "4.5 beta";
  }
  void versionCut() {
    QFETCH(QString, longVersion);
    QFETCH(QString, version);
    QCOMPARE(Cut_Version(longVersion), version);
  }
  void identityIsSet() {
    QCOMPARE(PGM_Name, QStringLiteral("Pixmura"));
    QVERIFY(!PGM_Version.isEmpty());
    QVERIFY(!PGM_Version.contains('['));
  }

  void numberKey_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("rejected");
    QTest::newRow("digit") << "7" << false;
    QTest::newRow("backspace") << QString(QChar(8)) << false;
    QTest::newRow("tab") << QString(QChar(9)) << false;
    QTest::newRow("return") << QString(QChar(13)) << false;
    QTest::newRow("enter") << QString(QChar(3)) << false;
    QTest::newRow("letter") << "a" << true;
    QTest::newRow("point") << "." << true;
    QTest::newRow("blank") << " " << true;
    QTest::newRow("minus") << "-" << true;
    QTest::newRow("delete") << QString(QChar(127)) << true;
  }
  void numberKey() {
    QFETCH(QString, key);
    QFETCH(bool, rejected);
    QCOMPARE(NumberKey(key), rejected);
  }

  void traceOffTouchesNoFileButRestartClearsOldLog() {
    const QString log = Fixture::Home() + "/Desktop/Pixmura.trace_log";
    use_bug_trace = false;
    Bug_Trace("hello");
    QVERIFY(!QFile::exists(log));
    Fixture::WriteFile("Desktop/Pixmura.trace_log", "old\n");
    Bug_Trace("!!!");
    QVERIFY(!QFile::exists(log));
    Bug_Trace("!!!");  // none there: nothing made
    QVERIFY(!QFile::exists(log));
  }

  void restartIgnoresAMissingDesktop() {
    QDir(Fixture::Home() + "/Desktop").removeRecursively();
    use_bug_trace = false;
    Bug_Trace("!!!");
    QVERIFY(!QFile::exists(Fixture::Home() + "/Desktop"));
  }

  void traceLinesAndIndentation() {
    use_bug_trace = true;
    Platform::Environment::OverrideMicroseconds(1000000.0);
    Bug_Trace("!!!");
    Bug_Trace("ENTER thing");
    Bug_Trace("plain");
    Bug_Trace("exit thing");
    Bug_Trace("last");
    Bug_Trace("EXIT again");
    QCOMPARE(bug_indent, 0);
    Platform::Environment::OverrideMicroseconds(1000000.0 + 1234.5e6);
    Bug_Trace("late");
    use_bug_trace = false;
    QFile f(Fixture::Home() + "/Desktop/Pixmura.trace_log");
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(f.readAll()).split('\n');
    QCOMPARE(lines.size(), 8);  // seven lines and the empty text after the last line feed
    QCOMPARE(lines[0], QStringLiteral("0.000 : Start logging ......"));
    QCOMPARE(lines[1], QStringLiteral("0.000 : ENTER thing"));
    QCOMPARE(lines[2], QStringLiteral("0.000 :   plain"));
    QCOMPARE(lines[3], QStringLiteral("0.000 : exit thing"));
    QCOMPARE(lines[4], QStringLiteral("0.000 : last"));
    QCOMPARE(lines[5], QStringLiteral("0.000 : EXIT again"));
    QCOMPARE(lines[6], QStringLiteral("1,234.500 : late"));
  }

  void indentationStopsAt34Blanks() {
    use_bug_trace = true;
    Bug_Trace("!!!");
    for (int i = 0; i < 18; ++i) Bug_Trace("ENTER");
    QCOMPARE(bug_indent, 36);
    Bug_Trace("deep");
    Bug_Trace("EXIT");
    QCOMPARE(bug_indent, 34);
    use_bug_trace = false;
    QFile f(Fixture::Home() + "/Desktop/Pixmura.trace_log");
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(f.readAll()).split('\n');
    const QString deep = lines[19];
    QCOMPARE(deep.mid(deep.indexOf(" : ") + 3), QString(34, ' ') + "deep");
  }

  void closedInspectorsAreNotCreated() {
    active_THUMBNAIL = false;
    active_COLORMETER = false;
    Update_Thumbnail();
    Update_ColorMeter();
    QVERIFY(!winTHUMBNAIL::existing());
    QVERIFY(!winCOLORMeter::existing());
  }
};
PIXMURA_TEST_CLASS(IdentityAndServicesTests)

#include "EditingStateTests.moc"
