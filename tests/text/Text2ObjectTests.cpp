// The single-line text object: stored values, the display form, events and the measured box.
#include <QFontMetricsF>
#include <QSignalSpy>
#include <QTest>

#include "core/EditingState.h"
#include "platform/Numbers.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "text/classTEXT2.h"

namespace {
// A font as a user sets it: the family (or what the system puts in its place) at a pixel size.
QFont Font_Of(const QString& family, int size, bool bold = false, bool italic = false) {
  QFont f;
  f.setFamily(family);
  f.setPixelSize(size);
  f.setBold(bold);
  f.setItalic(italic);
  return f;
}

// The box the Part asks for: the text's width plus half the width of "W", each made whole first; the
// height of one line.
QSize Expected_Box(const QFont& font, const QString& shown) {
  const QFontMetricsF m(font);
  return {Platform::ToInt(m.horizontalAdvance(shown)) + Platform::ToInt(m.horizontalAdvance(QStringLiteral("W"))) / 2,
          Platform::ToInt(std::ceil(m.height()))};
}
}  // namespace

class Text2ObjectTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void aNewObjectHoldsItsStartValues() {
    classTEXT2 t;
    QCOMPARE(t.Text(), QStringLiteral("Enter Text Here"));
    QCOMPARE(t.TextFont(), QStringLiteral("Arial"));
    QCOMPARE(t.TextSize(), 18);
    QCOMPARE(t.Rotate(), 0);
    QCOMPARE(t.Angle(), 0.0);
    QCOMPARE(t.TextColor(), 0x000000u);
    QCOMPARE(t.ShadowColor(), 0xC0C0C0u);
    QVERIFY(!t.Bold() && !t.Italic() && !t.Underline());
    QCOMPARE(t.Shadow_Offset(0), 0);
    QCOMPARE(t.Shadow_Offset(1), 0);
    // "Arial" is measured in whatever the system draws for it.
    QCOMPARE(QSize(t.Width(), t.Height()), Expected_Box(Font_Of("Arial", 18), QStringLiteral("Enter Text Here")));
  }

  // Each setter acts only on a change: the events it raises and the value it stores.
  void settersActOnlyOnAChange_data() {
    QTest::addColumn<std::function<void(classTEXT2&)>>("before");
    QTest::addColumn<std::function<void(classTEXT2&)>>("change");
    QTest::addColumn<int>("events");
    QTest::addColumn<std::function<bool(const classTEXT2&)>>("holds");
    using F = std::function<void(classTEXT2&)>;
    using C = std::function<bool(const classTEXT2&)>;
    const F none = [](classTEXT2&) {};
    QTest::newRow("size 5 stores 8") << none << F([](classTEXT2& t) { t.TextSize(5); }) << 1
                                     << C([](const classTEXT2& t) { return t.TextSize() == 8; });
    QTest::newRow("then 8 is no change") << F([](classTEXT2& t) { t.TextSize(5); })
                                         << F([](classTEXT2& t) { t.TextSize(8); }) << 0
                                         << C([](const classTEXT2& t) { return t.TextSize() == 8; });
    QTest::newRow("rotation -45 stores 315")
        << none << F([](classTEXT2& t) { t.Rotate(-45); }) << 1
        << C([](const classTEXT2& t) { return t.Rotate() == 315 && t.Angle() == -315 * 0.0174532925; });
    QTest::newRow("rotation 360 stays 360") << none << F([](classTEXT2& t) { t.Rotate(360); }) << 1
                                            << C([](const classTEXT2& t) { return t.Rotate() == 360; });
    QTest::newRow("rotation 720 is 360") << none << F([](classTEXT2& t) { t.Rotate(720); }) << 1
                                         << C([](const classTEXT2& t) { return t.Rotate() == 360; });
    QTest::newRow("rotation -360 is 0, no change") << none << F([](classTEXT2& t) { t.Rotate(-360); }) << 0
                                                   << C([](const classTEXT2& t) { return t.Rotate() == 0; });
    QTest::newRow("rotation -90 is 270") << none << F([](classTEXT2& t) { t.Rotate(-90); }) << 1
                                         << C([](const classTEXT2& t) { return t.Rotate() == 270; });
    QTest::newRow("the lowest whole number ends in range")
        << none << F([](classTEXT2& t) { t.Rotate(std::numeric_limits<int32_t>::min()); }) << 1
        << C([](const classTEXT2& t) { return t.Rotate() == 232; });
    QTest::newRow("the same text with other spaces") << F([](classTEXT2& t) { t.Text(QStringLiteral("Hi")); })
                                                     << F([](classTEXT2& t) { t.Text(QStringLiteral("  Hi \t")); })
                                                     << 0 << C([](const classTEXT2& t) { return t.Text() == "Hi"; });
    QTest::newRow("letter case is a change") << F([](classTEXT2& t) { t.Text(QStringLiteral("hi")); })
                                             << F([](classTEXT2& t) { t.Text(QStringLiteral("HI")); }) << 1
                                             << C([](const classTEXT2& t) { return t.Display_Text() == "HI"; });
    QTest::newRow("bold twice") << none << F([](classTEXT2& t) { t.Bold(true), t.Bold(true); }) << 1
                                << C([](const classTEXT2& t) { return t.Bold(); });
    QTest::newRow("italic and underline") << none
                                          << F([](classTEXT2& t) { t.Italic(true), t.Underline(true), t.Underline(true); })
                                          << 2 << C([](const classTEXT2& t) { return t.Italic() && t.Underline(); });
    QTest::newRow("font") << none << F([](classTEXT2& t) { t.TextFont("DejaVu Serif"), t.TextFont("DejaVu Serif"); })
                          << 1 << C([](const classTEXT2& t) { return t.TextFont() == "DejaVu Serif"; });
    QTest::newRow("shadow offsets") << none
                                    << F([](classTEXT2& t) { t.Shadow_Offset(0, 3), t.Shadow_Offset(1, -2), t.Shadow_Offset(1, -2); })
                                    << 2 << C([](const classTEXT2& t) { return t.Shadow_Offset(0) == 3 && t.Shadow_Offset(1) == -2; });
    // Only two offsets exist: another index neither stores nor raises anything, and reads 0.
    QTest::newRow("shadow offset index 2 is ignored")
        << none << F([](classTEXT2& t) { t.Shadow_Offset(2, 5), t.Shadow_Offset(-1, 5); }) << 0
        << C([](const classTEXT2& t) {
             return t.Shadow_Offset(2) == 0 && t.Shadow_Offset(-1) == 0 && t.Shadow_Offset(0) == 0 && t.Shadow_Offset(1) == 0;
           });
  }
  void settersActOnlyOnAChange() {
    QFETCH(std::function<void(classTEXT2&)>, before);
    QFETCH(std::function<void(classTEXT2&)>, change);
    QFETCH(int, events);
    QFETCH(std::function<bool(const classTEXT2&)>, holds);
    classTEXT2 t;
    before(t);
    QSignalSpy spy(&t, &classTEXT2::Text2_Updated);
    change(t);
    QCOMPARE(spy.count(), events);
    for (const auto& args : spy) QCOMPARE(args.at(0).value<classTEXT2*>(), &t);
    QVERIFY(holds(t));
  }

  // The colours raise the event, and only once per change, but the box stays as measured.
  void coloursRaiseTheEventWithoutMeasuring() {
    classTEXT2 t;
    t.TextFont(QStringLiteral("DejaVu Sans"));
    const QSize box(t.Width(), t.Height());
    QSignalSpy spy(&t, &classTEXT2::Text2_Updated);
    t.TextColor(0xFF0000);
    t.TextColor(0xFF0000);
    t.ShadowColor(0x00FF00);
    t.ShadowColor(0x00FF00);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(t.TextColor(), 0xFF0000u);
    QCOMPARE(t.ShadowColor(), 0x00FF00u);
    QCOMPARE(QSize(t.Width(), t.Height()), box);
  }

  // What is kept as set and what is drawn.
  void theTextAndItsDisplayForm_data() {
    QTest::addColumn<QString>("set");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("trimmed, (C) only in the display form") << "  Pixmura (C) 2009 \t" << "Pixmura (C) 2009" << "Pixmura © 2009";
    QTest::newRow("two in a row") << "(c)(c)" << "(c)(c)" << "©©";
    QTest::newRow("inside parentheses") << "((c)c)" << "((c)c)" << "(©c)";
    QTest::newRow("registered and trade mark") << "X(R) Y(t)" << "X(R) Y(t)" << "X® Y™";
    QTest::newRow("CR kept, LF shown") << "one\rtwo" << "one\rtwo" << "one\ntwo";
    QTest::newRow("CR LF kept, LF shown") << "one\r\ntwo" << "one\r\ntwo" << "one\ntwo";
    QTest::newRow("empty after trimming") << "   " << "" << "";
  }
  void theTextAndItsDisplayForm() {
    QFETCH(QString, set);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    classTEXT2 t;
    t.Text(set);
    QCOMPARE(t.Text(), text);
    QCOMPARE(t.Display_Text(), shown);
  }

  // The box, measured with the same font's own metrics.
  void theBoxFitsTheText_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("sans 18") << "DejaVu Sans" << 18 << false << false << "Enter Text Here" << "Enter Text Here";
    QTest::newRow("sans bold 40") << "DejaVu Sans" << 40 << true << false << "Wide" << "Wide";
    QTest::newRow("serif italic 12") << "DejaVu Serif" << 12 << false << true << "Tiny text" << "Tiny text";
    QTest::newRow("measured with the sign") << "DejaVu Sans" << 24 << false << false << "(c) Me" << "© Me";
    QTest::newRow("empty is half a W") << "DejaVu Sans" << 30 << false << false << "" << "";
  }
  void theBoxFitsTheText() {
    QFETCH(QString, family);
    QFETCH(int, size);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    classTEXT2 t;
    t.TextFont(family);
    t.TextSize(size);
    t.Bold(bold);
    t.Italic(italic);
    t.Text(text);
    QCOMPARE(QSize(t.Width(), t.Height()), Expected_Box(Font_Of(family, size, bold, italic), shown));
    if (shown.isEmpty()) QCOMPARE(t.Width(), Platform::ToInt(QFontMetricsF(Font_Of(family, size)).horizontalAdvance("W")) / 2);
  }
};

PIXMURA_TEST_CLASS(Text2ObjectTests)
#include "Text2ObjectTests.moc"
