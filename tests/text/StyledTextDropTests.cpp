// Dropping a placed styled text into the picture: the letters alone (transparent background) or a box of
// the background colour with the letters cut out (knock-out), each as one undo step.
#include <QTest>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "platform/Environment.h"
#include "platform/StyledText.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "text/KnockOutText.h"
#include "text/StyledTextDrawing.h"

using namespace modMAIN;

namespace {
winMAIN* Main() { return winMAIN::instance(); }

std::shared_ptr<Platform::StyledText> Text(const QString& s, int size, Platform::Color colour) {
  auto t = std::make_shared<Platform::StyledText>();
  Platform::StyleRun r;
  r.Text = s;
  r.Font = QStringLiteral("DejaVu Sans");
  r.Size = size;
  r.Bold = true;
  r.TextColor = colour;
  t->InsertStyleRun(r, 0);
  return t;
}

// A floating text as the Add Text window's Place leaves it: the picture of the text at (2, 0) over the
// fill colour, at the drop point.
void Float(const std::shared_ptr<Platform::StyledText>& text, int mode, Platform::Color fill, QPoint at) {
  myStyledText = text;
  Dragging_Text_Mode = mode;
  Dragging_Text = true;
  const int w = StyledTextDrawing::StyledTextWidth(*text, 9999), h = StyledTextDrawing::StyledTextHeight(*text, 9999);
  drag_Picture = Fixture::Filled(w, h, fill);
  Platform::Graphics g = drag_Picture->Graphics();
  StyledTextDrawing::DrawStyledText(g, *text, 2, 0, 9999);
  img_DRAG_DROP = Point_of(at.x(), at.y());
}

int Count(const Platform::PicturePtr& pic, Platform::Color c) {
  int n = 0;
  for (int y = 0; y < pic->Height(); ++y)
    for (int x = 0; x < pic->Width(); ++x) n += pic->Pixel(x, y) == c;
  return n;
}
}  // namespace

class StyledTextDropTests : public FixtureTest {
  Q_OBJECT
 private slots:
  // What each pixel of the text's black-on-white picture becomes in the floating picture and its mask.
  void knockOutOfEachPixel_data() {
    QTest::addColumn<uint>("scratch");
    QTest::addColumn<bool>("box");
    QTest::addColumn<uint>("mask");
    QTest::newRow("black") << 0x000000u << false << 0xFFFFFFu;
    QTest::newRow("grey 32") << 0x202020u << false << 0xFFFFFFu;
    QTest::newRow("grey 33") << 0x212121u << false << 0xDEDEDEu;
    QTest::newRow("grey 128") << 0x808080u << false << 0x7F7F7Fu;
    QTest::newRow("grey 223") << 0xDFDFDFu << false << 0x202020u;
    QTest::newRow("grey 224") << 0xE0E0E0u << true << 0x000000u;
    QTest::newRow("white") << 0xFFFFFFu << true << 0x000000u;
    // Not a grey: the mask takes its grey, which for this almost black colour is black.
    QTest::newRow("not grey, dark") << 0x000001u << false << 0x000000u;
    // Green weighs 16 of 32: 255 x 16 / 32 = 127.5, cut to 127.
    QTest::newRow("not grey, green") << 0x00FF00u << false << 0x7F7F7Fu;
    QTest::newRow("not grey, red") << 0xFF0000u << false << Platform::RGB(qGray(255, 0, 0), qGray(255, 0, 0), qGray(255, 0, 0));
  }
  void knockOutOfEachPixel() {
    QFETCH(uint, scratch);
    QFETCH(bool, box);
    QFETCH(uint, mask);
    const auto in = Fixture::Filled(3, 2, scratch);
    auto out = Fixture::Filled(3, 2, 0x123456);
    int rows = 0;
    StyledTextDrawing::Knock_Out_Text(*in, *out, 0xC00000, [&rows](int32_t done) { rows += done == 3; });
    QCOMPARE(rows, 2);
    QVERIFY(out->HasMask());
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x) {
        QCOMPARE(out->Pixel(x, y), box ? 0xC00000u : 0xFFFFFFu);
        QCOMPARE(out->Mask()->Pixel(x, y), Platform::Color(mask));
      }
  }

  // Mode 1 draws the letters alone, 2 pixels right of the drop point with the first line's top on its row;
  // nothing of the floating picture's white. One undo step.
  void transparentBackgroundDrawsTheLettersAlone() {
    // Anti-aliasing off, so that every pixel of the letters has their colour.
    modOptions::option_AntiAlias = true;
    Fixture::NewDocument(200, 80, 0x00A000);
    const auto text = Text(QStringLiteral("Hi there"), 24, 0x0000FF);
    Float(text, 1, 0xFFFFFF, QPoint(10, 7));
    Main()->Place_Styled_Text();
    QCOMPARE(int(pic_Stack.size()), 2);
    QCOMPARE(Current_Picture, 1);
    QCOMPARE(Count(work_area, 0xFFFFFF), 0);
    // The same text drawn straight at (12, 7) on the same ground.
    auto expected = Fixture::Filled(200, 80, 0x00A000);
    Platform::Graphics g = expected->Graphics();
    StyledTextDrawing::DrawStyledText(g, *text, 12, 7, 9999);
    QCOMPARE(Fixture::Difference(work_area, expected), QString());
    QVERIFY(Count(work_area, 0x0000FF) > 30);
  }

  // White letters with a transparent background are drawn as &hFEFEFE, so that a picture saved with white
  // as transparent keeps them.
  void whiteLettersStayVisible() {
    Fixture::NewDocument(120, 50, 0x000000);
    Float(Text(QStringLiteral("HH"), 30, 0xFFFFFF), 1, 0xFFFFFF, QPoint(0, 0));
    Main()->Place_Styled_Text();
    QCOMPARE(Count(work_area, 0xFFFFFF), 0);
    QVERIFY(Count(work_area, 0xFEFEFE) > 50);
  }

  // Mode 2: a box of the background colour, opaque, with the letters cut out so that the picture shows
  // through them; a white background gives a box of &hFEFEFE.
  void knockOutCutsTheLettersOutOfTheBox_data() {
    QTest::addColumn<uint>("background");
    QTest::addColumn<uint>("box");
    QTest::newRow("red") << 0xFF0000u << 0xFF0000u;
    QTest::newRow("white") << 0xFFFFFFu << 0xFEFEFEu;
  }
  void knockOutCutsTheLettersOutOfTheBox() {
    QFETCH(uint, background);
    QFETCH(uint, box);
    Fixture::NewDocument(160, 60, 0x0000FF);
    Draw_Color[2] = background;
    const auto text = Text(QStringLiteral("HIH"), 36, 0x000000);
    Float(text, 2, box, QPoint(5, 4));
    const int w = drag_Picture->Width(), h = drag_Picture->Height();
    Main()->Place_Styled_Text();
    QCOMPARE(int(pic_Stack.size()), 2);
    // The letters, drawn black on white as the knock-out draws them.
    auto letters = Fixture::Filled(w, h, 0xFFFFFF);
    Platform::Graphics g = letters->Graphics();
    StyledTextDrawing::DrawStyledText(g, *text, 2, 0, 9999);
    int holes = 0;
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 160; ++x) {
        const bool inBox = x >= 5 && y >= 4 && x < 5 + w && y < 4 + h;
        const bool letter = inBox && letters->Pixel(x - 5, y - 4) == 0x000000;
        holes += letter;
        const Platform::Color want = !inBox || letter ? 0x0000FF : box;
        if (work_area->Pixel(x, y) != want)
          QFAIL(qPrintable(QStringLiteral("pixel %1,%2 is %3").arg(x).arg(y).arg(work_area->Pixel(x, y), 6, 16)));
      }
    QVERIFY(holes > 50);
    QCOMPARE(drag_Picture->Transparent, 1);
  }

  // A knock-out box of more than 199,999 pixels moves the progress bar in twentieths, each with a beep.
  void aLargeKnockOutShowsProgress() {
    Fixture::NewDocument(1600, 300);
    Draw_Color[2] = 0xFF0000;
    Float(Text(QStringLiteral("WWWWWWWWWW"), 144, 0), 2, 0xFF0000, QPoint(0, 0));
    QVERIFY(qint64(drag_Picture->Width()) * drag_Picture->Height() > 199999);
    Platform::Environment::ResetBeepCount();
    Main()->Place_Styled_Text();
    QCOMPARE(Platform::Environment::BeepCount(), 20);
  }

  // Any other mode only commits.
  void theOpaqueModeOnlyCommits() {
    Fixture::NewDocument(50, 40, 0x336699);
    Float(Text(QStringLiteral("A"), 20, 0), 0, 0xFFFFFF, QPoint(0, 0));
    Main()->Place_Styled_Text();
    QCOMPARE(int(pic_Stack.size()), 2);
    QCOMPARE(Fixture::Difference(work_area, Fixture::Filled(50, 40, 0x336699)), QString());
  }
};

PIXMURA_TEST_CLASS(StyledTextDropTests)
#include "StyledTextDropTests.moc"
