// Keys typed on the main window and files dropped on it.
#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <QWindow>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "effects/modColorSplash.h"
#include "mainwindow/winMAIN.h"
#include "platform/Environment.h"
#include "support/Fixture.h"
#include "support/Selections.h"
#include "support/TestMain.h"

using namespace modMAIN;

namespace {
winMAIN* Main() { return winMAIN::instance(); }

// Types a key where the user types it: the painting canvas has the keys, and what it does not take goes
// on to the window. Answers whether the key was taken.
bool Type(Qt::Key key, const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QApplication::sendEvent(Main()->Screen_Canvas, &press);
  return press.isAccepted();
}

// A 2 x 2 black picture floating over the picture at (1, 1).
void Float_Over_The_Picture() {
  Fixture::Select(1, 1, 3, 3);
  active_DRAG = true;
  drag_Picture = Fixture::Filled(2, 2, 0x000000);
  img_DRAG_DROP = Point_of(1, 1);
}

// The same over a white 8 x 8 document.
void Float_A_Selection() {
  Fixture::NewDocument(8, 8, 0xFFFFFF);
  Float_Over_The_Picture();
}

QString Picture_File(const QString& name, int w, int h, QRgb colour) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(colour);
  const QString path = Fixture::Home() + QLatin1Char('/') + name;
  image.save(path, "PNG");
  return path;
}

void Drop(const QList<QUrl>& urls) {
  QMimeData data;
  data.setUrls(urls);
  // The drag comes into the window first; the drop goes where the drag was taken.
  QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction, &data, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(Main(), &enter);
  QDropEvent drop(QPointF(300, 300), Qt::CopyAction, &data, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(Main(), &drop);
}

QString Title() { return Main()->windowHandle()->title(); }
}  // namespace

class KeyAndDropTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void lettersChooseTools_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("tool");
    const struct {
      Qt::Key key;
      char letter;
      int tool;
    } table[] = {{Qt::Key_B, 'b', 11}, {Qt::Key_P, 'p', 2},  {Qt::Key_E, 'e', 3},  {Qt::Key_T, 't', 8},
                 {Qt::Key_F, 'f', 4},  {Qt::Key_O, 'o', 15}, {Qt::Key_L, 'l', 5},  {Qt::Key_C, 'c', 14},
                 {Qt::Key_K, 'k', 12}, {Qt::Key_S, 's', 10}, {Qt::Key_G, 'g', 16}, {Qt::Key_A, 'a', 13},
                 {Qt::Key_R, 'r', 6}};
    for (const auto& row : table) {
      QTest::addRow("%c", row.letter) << int(row.key) << QString(QChar(row.letter)) << row.tool;
      QTest::addRow("%c", QChar(row.letter).toUpper().toLatin1())
          << int(row.key) << QString(QChar(row.letter).toUpper()) << row.tool;
    }
  }
  void lettersChooseTools() {
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(int, tool);
    // The pencil is the tool at start; choose another first so the pencil's own key shows too.
    Main()->drawing_TOOL_SET(TOOL_RECT == tool ? TOOL_LINE : TOOL_RECT);
    QVERIFY(!Type(Qt::Key(key), text));
    QCOMPARE(drawing_TOOL, tool);
  }

  void shiftSChoosesTheFreeHandSelection() {
    Platform::Environment::OverrideKeys(Qt::ShiftModifier);
    QVERIFY(!Type(Qt::Key_S, QStringLiteral("S"), Qt::ShiftModifier));
    QCOMPARE(drawing_TOOL, int32_t(TOOL_SUPERLASSO));
    Platform::Environment::OverrideKeys(Qt::NoModifier);
    QVERIFY(!Type(Qt::Key_S, QStringLiteral("S")));
    QCOMPARE(drawing_TOOL, int32_t(TOOL_LASSO));
  }

  void otherKeysDoNothing() {
    const auto before = work_area->Image();
    for (const auto& [key, text] : std::initializer_list<std::pair<Qt::Key, QString>>{
             {Qt::Key_X, QStringLiteral("x")}, {Qt::Key_1, QStringLiteral("1")}, {Qt::Key_Return, QString()}}) {
      QVERIFY(!Type(key, text));
      QCOMPARE(drawing_TOOL, int32_t(TOOL_PENCIL));
    }
    QCOMPARE(work_area->Image(), before);
  }

  void escapeDropsAFloatingSelectionAsOneStep() {
    Float_A_Selection();
    QCOMPARE(pic_Stack.Ubound(), 0);
    QVERIFY(Type(Qt::Key_Escape, QString(QChar(27))));
    QVERIFY(!active_DRAG && !active_LASSO);
    QCOMPARE(work_area->Pixel(1, 1), Platform::Color(0x000000));
    QCOMPARE(work_area->Pixel(3, 3), Platform::Color(0xFFFFFF));
    QCOMPARE(pic_Stack.Ubound(), 1);
    QCOMPARE(pic_Stack[1]->Pixel(2, 2), Platform::Color(0x000000));
    // The selection tool gives way to the last drawing tool.
    QCOMPARE(drawing_TOOL, int32_t(TOOL_PENCIL));
  }

  void escapeLeavesThePartialColourModeFirst() {
    Fixture::NewDocument(8, 8, 0x0000FF);
    Fixture::ExpectMessageBox(QStringLiteral("Partial Color Mode : ON - Graylevels=16^Use BLACK to reveal COLOR portion of "
                                             "your drawing^Use WHITE to replace GRAY background^Press [ESC] when "
                                             "finished^^Note : Pencil size set to 10"),
                              QStringLiteral("Ok"));
    Fixture::ExpectMessageBox(QStringLiteral("Partial Color Mode: OFF^Resume drawing as normal"), QStringLiteral("Ok"));
    modColorSplash::Switch_ColorSplash_Mode(16);
    QCOMPARE(modColorSplash::ColorSplash_Mode, 16);
    Float_Over_The_Picture();
    const int32_t steps = pic_Stack.Ubound();
    QVERIFY(Type(Qt::Key_Escape, QString(QChar(27))));
    QCOMPARE(modColorSplash::ColorSplash_Mode, 0);
    // Then the floating selection is dropped as one step.
    QVERIFY(!active_DRAG);
    QCOMPARE(pic_Stack.Ubound(), steps + 1);
    QCOMPARE(work_area->Pixel(1, 1), Platform::Color(0x000000));
  }

  void whileATextIsPlacedOnlyEscapeActsAndDiscardsIt() {
    Float_A_Selection();
    active_TEXTMODE = true;
    for (const auto& [key, text] : std::initializer_list<std::pair<Qt::Key, QString>>{
             {Qt::Key_B, QStringLiteral("b")}, {Qt::Key_Delete, QString(QChar(127))}, {Qt::Key_S, QStringLiteral("s")}}) {
      QVERIFY(!Type(key, text));
      QCOMPARE(drawing_TOOL, int32_t(TOOL_PENCIL));
      QVERIFY(active_LASSO && active_DRAG);
    }
    QVERIFY(Type(Qt::Key_Escape, QString(QChar(27))));
    QVERIFY(!active_TEXTMODE && !active_DRAG && !active_LASSO);
    QCOMPARE(work_area->Pixel(1, 1), Platform::Color(0xFFFFFF));
    QCOMPARE(pic_Stack.Ubound(), 0);
  }

  void backspaceAndDeleteCutTheSelection_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << QString(QChar(8));
    QTest::newRow("delete") << int(Qt::Key_Delete) << QString(QChar(127));
  }
  void backspaceAndDeleteCutTheSelection() {
    QFETCH(int, key);
    QFETCH(QString, text);
    Fixture::NewDocument(8, 8, 0x000000);
    Draw_Color[2] = 0xFFFFFF;
    // Without a selection nothing changes.
    QVERIFY(!Type(Qt::Key(key), text));
    QCOMPARE(pic_Stack.Ubound(), 0);
    Fixture::Select(2, 2, 4, 4);
    QVERIFY(!Type(Qt::Key(key), text));
    QVERIFY(!active_LASSO);
    QCOMPARE(pic_Stack.Ubound(), 1);
    QCOMPARE(work_area->Pixel(2, 2), Platform::Color(0xFFFFFF));
    QCOMPARE(work_area->Pixel(5, 5), Platform::Color(0x000000));
    // A free-hand selection is not cut by the keys.
    Fixture::SelectFreeHand(1, 1, 3, 3, [](int, int) { return true; });
    QVERIFY(!Type(Qt::Key(key), text));
    QCOMPARE(pic_Stack.Ubound(), 1);
  }

  void anUnsupportedFileIsReportedAndChangesNothing() {
    modOptions::supported_types = QStringLiteral("png,jpg,bmp,pict");
    const QString notes = Fixture::WriteFile(QStringLiteral("notes.txt"), "hello");
    const auto before = work_area;
    Fixture::ExpectAlert(QStringLiteral("The selected file format 'txt'"),
                         QStringLiteral("Is not a supported graphic file format.\nPlease use .PNG, .JPG, .BMP or .PICT"),
                         QStringLiteral("OK"), {QStringLiteral("OK")});
    Drop({QUrl::fromLocalFile(notes)});
    QCOMPARE(work_area, before);
    QCOMPARE(Title(), QStringLiteral("Pixmura:<untitled>"));
  }

  void aDroppedPictureOpensAndOnlyTheFirstOfTwo() {
    QVERIFY(Main()->acceptDrops());
    const QString first = Picture_File(QStringLiteral("first.png"), 30, 20, qRgb(10, 200, 30));
    const QString second = Picture_File(QStringLiteral("second.png"), 5, 5, qRgb(1, 2, 3));
    Drop({QUrl::fromLocalFile(first), QUrl::fromLocalFile(second)});
    QCOMPARE(Title(), QStringLiteral("Pixmura:first.png"));
    QCOMPARE(work_area->Width(), 30);
    QCOMPARE(work_area->Pixel(0, 0), Platform::RGB(10, 200, 30));
    QCOMPARE(MRU_Files, QStringList{first});
  }

  void aDropWithoutAFileDoesNothing() {
    const auto before = work_area;
    Drop({QUrl(QStringLiteral("https://example.org/photo.png"))});
    Drop({});
    QCOMPARE(work_area, before);
  }

  void aDropOverUnsavedChangesAsksFirst() {
    const QString photo = Picture_File(QStringLiteral("photo.png"), 12, 10, qRgb(0, 0, 255));
    Main()->SetWindowModified(true);
    Fixture::ExpectAlert(QStringLiteral("Do you want to save the changes you made in\nthe picture 'Untitled'?"),
                         QStringLiteral("Your changes will be lost if you don't save them."), QStringLiteral("Cancel"),
                         {QStringLiteral("Save"), QStringLiteral("Don\u2019t Save"), QStringLiteral("Cancel")});
    Drop({QUrl::fromLocalFile(photo)});
    QCOMPARE(work_area->Width(), 640);
    QVERIFY(img_changed);
  }

  void thePointerComingInGivesTheCanvasTheKeys() {
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(Main(), &enter);
    QCOMPARE(Main()->focusWidget(), static_cast<QWidget*>(Main()->Screen_Canvas));
  }
};
PIXMURA_TEST_CLASS(KeyAndDropTests)
#include "KeyAndDropTests.moc"
