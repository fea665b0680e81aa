#include <QElapsedTimer>
#include <QTest>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "platform/Graphics.h"
#include "platform/Numbers.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

namespace {
winMAIN* Main() { return winMAIN::instance(); }
QWidget* Tag() { return Main()->myHelpTag; }
bool Showing() { return !Tag()->isHidden(); }

// The tag font's measures, from the same text engine the tag uses.
Platform::Graphics Measure() {
  Platform::Graphics g(nullptr, 0, 0);
  g.SetTextFont(QStringLiteral("SmallSystem"));
  g.SetTextSize(0);
  return g;
}

void Fire_Timer() {
  QVERIFY(Main()->timer_HELPTAG->isActive());
  Main()->timer_HELPTAG->stop();
  Main()->timer_HELPTAG_Action();
}
}  // namespace

class HelpTagTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void aHelpTagShowsASecondAfterTheRequest() {
    modOptions::option_HelpTags = true;
    QElapsedTimer clock;
    clock.start();
    Main()->Set_myHelpTag(true, 30, 40, QStringLiteral("Set Magnification Level"));
    QVERIFY(!Showing());
    QTRY_VERIFY_WITH_TIMEOUT(Showing(), 2000);
    QVERIFY2(clock.elapsed() >= 950, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(Tag()->pos(), QPoint(30, 40));
    QCOMPARE(modMAIN::HelpTag_Text, QStringLiteral("Set Magnification Level"));
    QVERIFY(modMAIN::HelpTag_Mode);
    QVERIFY(!Main()->timer_HELPTAG->isActive());
    // The next hide request hides it.
    Main()->Set_myHelpTag(false, 0, 0, QString());
    QVERIFY(!Showing());
  }

  void aHideRequestWhileWaitingLeavesTheTagArmed() {
    modOptions::option_HelpTags = true;
    Main()->Set_myHelpTag(true, 30, 40, QStringLiteral("Set Drawing Width"));
    Main()->Set_myHelpTag(false, 0, 0, QString());
    Fire_Timer();
    QVERIFY(Showing());
    // A new request moves a showing tag at once and keeps it shown.
    Main()->Set_myHelpTag(true, 50, 60, QStringLiteral("Line Tool"));
    QVERIFY(Showing());
    QCOMPARE(Tag()->pos(), QPoint(50, 60));
  }

  void noHelpTagsWhenSwitchedOff() {
    modOptions::option_HelpTags = false;
    Main()->Set_myHelpTag(true, 30, 40, QStringLiteral("Line Tool"));
    QVERIFY(!Main()->timer_HELPTAG->isActive());
    QVERIFY(!Showing());
    // A size tag still shows during a drag, and a show request then hides it.
    Main()->Cursor_Tag(10, 20, 120, 80);
    QVERIFY(Showing());
    Main()->Set_myHelpTag(true, 30, 40, QStringLiteral("Line Tool"));
    QVERIFY(!Showing());
  }

  void theSizeTagShowsAtOnceInWhiteOnDarkGrey() {
    modOptions::option_HelpTags = false;
    Main()->Cursor_Tag(10, 20, 120, 80);
    QVERIFY(Showing());
    QCOMPARE(Tag()->pos(), QPoint(10, 20));
    QCOMPARE(modMAIN::HelpTag_Text, QStringLiteral("120x80"));
    QVERIFY(!modMAIN::HelpTag_Mode);
    const QImage shot = Tag()->grab().toImage();
    QCOMPARE(shot.pixel(0, 0) & 0xFFFFFF, 0xAAAAAAu);
    QCOMPARE(shot.pixel(shot.width() - 1, shot.height() - 1) & 0xFFFFFF, 0xAAAAAAu);
    QCOMPARE(shot.pixel(2, 2) & 0xFFFFFF, 0x3B3B3Bu);
    int white = 0;
    for (int y = 0; y < shot.height(); ++y)
      for (int x = 0; x < shot.width(); ++x) white += (shot.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
    QVERIFY(white > 10);
    // The next help-tag request, the hide at the end of a drag, sets the help-tag look back.
    Main()->Set_myHelpTag(false, 0, 0, QString());
    QVERIFY(modMAIN::HelpTag_Mode);
    QVERIFY(!Showing());
  }

  void theTagFitsItsText() {
    modOptions::option_HelpTags = true;
    const Platform::Graphics g = Measure();
    const QString one = QStringLiteral("Predefined Shapes");
    Main()->Set_myHelpTag(true, 0, 0, one);
    Fire_Timer();
    Tag()->grab();
    QCOMPARE(Tag()->width(), Platform::ToInt(g.StringWidth(one) + 8));
    QCOMPARE(Tag()->height(), g.TextHeight() + 4);
    QCOMPARE(Tag()->grab().toImage().pixel(2, 2) & 0xFFFFFF, 0xFFFFCAu);
    // Two lines, the second the longer: its width + 8, two lines + 4.
    const QString first = QStringLiteral("R 10"), second = QStringLiteral("Red 255, Green 128, Blue 64");
    Main()->Set_myHelpTag(true, 0, 0, first + QChar(13) + second);
    Tag()->grab();
    QCOMPARE(Tag()->width(), Platform::ToInt(g.StringWidth(second) + 8));
    QCOMPARE(Tag()->height(), 2 * g.TextHeight() + 4);
  }

  void theStatusMessageIsTrimmed() {
    Main()->Set_Status_msg(QStringLiteral("  Must be at 100% for Text Tool \t"));
    QCOMPARE(Main()->status_msg, QStringLiteral("Must be at 100% for Text Tool"));
    Main()->Clear_Status_Msg();
    QCOMPARE(Main()->status_msg, QString());
  }
};

PIXMURA_TEST_CLASS(HelpTagTests)
#include "HelpTagTests.moc"
