// The font and size lists of the text windows' popups.
#include <QComboBox>
#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QTest>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "text/classTEXT2.h"
#include "text/modTEXT_INPUT.h"
#include "text/winTEXT.h"
#include "text/winTEXT2.h"

namespace {
QStringList Rows(const QComboBox& popup) {
  QStringList rows;
  for (int i = 0; i < popup.count(); ++i) rows << popup.itemText(i);
  return rows;
}

bool Installed(const QString& family) { return QFontDatabase::families().contains(family, Qt::CaseInsensitive); }

// Whether text set in the two families comes out as the same pixels.
bool Same_Drawing(const QString& a, const QString& b) {
  const auto draw = [](const QString& family) {
    QImage image(400, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    QFont font;
    font.setFamily(family);
    font.setPixelSize(36);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(5, 45, QStringLiteral("Hamburg 1960 Wg"));
    return image;
  };
  return draw(a) == draw(b);
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
    // "*": the row of the family the text is drawn in.
    QTest::newRow("not installed") << "Nothing Like It Sans" << true << "*";
    // Where that face is not installed, the text is drawn in another family, which is shown.
    QTest::newRow("a face the tests leave out")
        << "DejaVu Sans Condensed" << false << (Installed("DejaVu Sans Condensed") ? "" : "*");
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
    if (selected == QLatin1String("*")) {
      QVERIFY(popup.currentIndex() >= 0);
      QVERIFY2(Same_Drawing(popup.currentText(), font), qPrintable(popup.currentText()));
    } else {
      QCOMPARE(popup.currentText(), selected);
      QCOMPARE(popup.currentIndex() == -1, selected.isEmpty());
    }
    QCOMPARE(popup.toolTip(), helpTags ? QStringLiteral("Change Font") : QString());
    QCOMPARE(modMAIN::Info_Text2->TextFont(), font);
  }

  // When the text's family is not installed, the font popups of both text windows show the family the
  // text is drawn in, and opening them leaves the chosen family as it was.
  void theWindowsShowTheFamilyInUse_data() {
    QTest::addColumn<int>("tool");
    QTest::newRow("Text Options") << int(modMAIN::TOOL_TEXT2);
    QTest::newRow("Add Text") << int(modMAIN::TOOL_STYLEDTEXT);
  }
  void theWindowsShowTheFamilyInUse() {
    QFETCH(int, tool);
    const QString chosen = QStringLiteral("Nothing Like It Sans");
    QVERIFY(!Installed(chosen));
    // The family drawn in place of the missing one is not the one drawn for a serif family.
    QVERIFY(!Same_Drawing(chosen, QStringLiteral("DejaVu Serif")));
    modMAIN::Info_Text2->TextFont(chosen);
    Fixture::NewDocument(200, 100);
    modMAIN::Zoom = 1;
    winMAIN::instance()->drawing_TOOL_GET(tool);
    QComboBox* popup = nullptr;
    if (tool == modMAIN::TOOL_TEXT2) popup = winTEXT2::existing() ? winTEXT2::existing()->puFONT : nullptr;
    else popup = winTEXT::existing() ? winTEXT::existing()->puFONT : nullptr;
    QVERIFY(popup);
    QVERIFY(popup->currentIndex() >= 0);
    QVERIFY2(Same_Drawing(popup->currentText(), chosen), qPrintable(popup->currentText()));
    QCOMPARE(modMAIN::Info_Text2->TextFont(), chosen);
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
