// The font and size lists of the text windows' popups.
#include <QComboBox>
#include <QFontDatabase>
#include <QTest>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "text/classTEXT2.h"
#include "text/modTEXT_INPUT.h"

namespace {
QStringList Rows(const QComboBox& popup) {
  QStringList rows;
  for (int i = 0; i < popup.count(); ++i) rows << popup.itemText(i);
  return rows;
}
}  // namespace

class FontSizeListTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void theNameTests_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("listed");  // the row, or empty when the name is left out
    QTest::newRow("a plain family") << "Helvetica" << "Helvetica";
    QTest::newRow("a bold face") << "Helvetica Bold" << "";
    QTest::newRow("a light face") << "Helvetica Light" << "";
    QTest::newRow("the word inside another") << "Highlight" << "";
    QTest::newRow("words in capitals") << "TIMES ITALIC" << "";
    QTest::newRow("oblique") << "Courier Oblique" << "";
    QTest::newRow("condensed") << "Sans condensed" << "";
    QTest::newRow("STIX") << "STIXGeneral" << "";
    QTest::newRow("bitmap") << "Fixed Bitmap" << "";
    QTest::newRow("Central European") << "Times CE" << "";
    QTest::newRow("Cyrillic") << "Times CY" << "";
    QTest::newRow("CE then a space is listed trimmed") << "Times CE " << "Times CE";
    QTest::newRow("blanks around are trimmed") << "  Geneva\t" << "Geneva";
    QTest::newRow("non-ASCII first character") << QString::fromUtf8("Éclat") << "";
    QTest::newRow("non-ASCII third character") << QString::fromUtf8("Moñaco") << "";
    QTest::newRow("non-ASCII last character") << QString::fromUtf8("Garamondé") << "";
    QTest::newRow("non-ASCII elsewhere is listed") << QString::fromUtf8("Zapfé Sans") << QString::fromUtf8("Zapfé Sans");
    QTest::newRow("two characters pass the third test") << "Ab" << "Ab";
  }
  void theNameTests() {
    QFETCH(QString, name);
    QFETCH(QString, listed);
    QCOMPARE(modTEXT_INPUT::Font_Left_Out(name), listed.isEmpty());
    QCOMPARE(modTEXT_INPUT::Font_List({name}), listed.isEmpty() ? QStringList() : QStringList{listed});
  }

  void theListIsSortedWithTwinsKept() {
    QCOMPARE(modTEXT_INPUT::Font_List({"Zeta", " beta", "Alpha Bold", "alpha", "Zeta"}),
             (QStringList{"alpha", "beta", "Zeta", "Zeta"}));
  }

  // The popup holds the installed families that pass and selects the text's font, if listed.
  void theFontPopup_data() {
    QTest::addColumn<QString>("font");
    QTest::addColumn<bool>("helpTags");
    QTest::addColumn<QString>("selected");
    QTest::newRow("an installed family") << "DejaVu Sans" << true << "DejaVu Sans";
    QTest::newRow("another letter case") << "dejavu serif" << false << "DejaVu Serif";
    QTest::newRow("not installed") << "Arial" << true << "";
    QTest::newRow("a face the tests leave out") << "DejaVu Sans Condensed" << false << "";
  }
  void theFontPopup() {
    QFETCH(QString, font);
    QFETCH(bool, helpTags);
    QFETCH(QString, selected);
    modOptions::option_HelpTags = helpTags;
    modMAIN::Info_Text2->TextFont(font);
    QComboBox popup;
    popup.addItem(QStringLiteral("left over"));
    modTEXT_INPUT::LB_FONTS(&popup);
    const QStringList rows = Rows(popup);
    QCOMPARE(rows, modTEXT_INPUT::Font_List(QFontDatabase::families()));
    QVERIFY(rows.contains("DejaVu Sans") && rows.contains("DejaVu Serif"));
    QVERIFY(!rows.contains("DejaVu Sans Condensed"));
    QCOMPARE(popup.currentText(), selected);
    QCOMPARE(popup.currentIndex() == -1, selected.isEmpty());
    QCOMPARE(popup.toolTip(), helpTags ? QStringLiteral("Change Font") : QString());
    QCOMPARE(modMAIN::Info_Text2->TextFont(), font);
  }

  void theSizePopup_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("row");
    QTest::newRow("8 is the first row") << 8 << 0;
    QTest::newRow("144 is the last row") << 144 << 19;
    QTest::newRow("17 leaves 18") << 17 << 9;
    QTest::newRow("200 leaves 18") << 200 << 9;
    QTest::newRow("36") << 36 << 13;
  }
  void theSizePopup() {
    QFETCH(int, size);
    QFETCH(int, row);
    modMAIN::Info_Text2->TextSize(size);
    QComboBox popup;
    popup.addItems({"1", "2"});
    modTEXT_INPUT::LB_FONTSIZE(&popup);
    QCOMPARE(Rows(popup), (QStringList{"8", "9", "10", "11", "12", "13", "14", "15", "16", "18", "20", "24", "30",
                                       "36", "48", "64", "72", "96", "128", "144"}));
    QCOMPARE(popup.currentIndex(), row);
    QCOMPARE(modMAIN::Info_Text2->TextSize(), size);
  }
};

PIXMURA_TEST_CLASS(FontSizeListTests)
#include "FontSizeListTests.moc"
