// Opening pictures, the unsaved-changes question, Revert to Saved and new documents.
#include "FileHelpers.h"
#include "app/modOptions.h"
#include "platform/Environment.h"
#include "support/TestMain.h"

using namespace modMAIN;
using namespace FileTests;

namespace {
void ExpectRevertQuestion(const QString& name, const QString& answer) {
  Fixture::ExpectAlert(QStringLiteral("Do you want to revert to the most recently\nsaved version of this picture\n'") +
                           name + QStringLiteral("'?"),
                       QStringLiteral("Your changes will be lost if you don't save them."), answer,
                       {QStringLiteral("Revert"), QStringLiteral("Cancel")});
}
}  // namespace

class OpeningTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void openingAnUnchangedDocumentAsksNothing() {
    const QString path = WriteImage(QStringLiteral("pics/holiday.png"), Striped());
    Fixture::ExpectAny([](Platform::ModalRequest& r) -> QVariant {
      if (r.kind != Platform::ModalKind::OpenFile || r.title != QLatin1String("Open Image File") || !r.fileTypes.isEmpty())
        Platform::ModalHost::RecordFailure(QStringLiteral("not the open dialog: ") + Platform::ModalHost::Describe(r));
      return Fixture::Home() + QStringLiteral("/pics/holiday.png");
    });
    Save_as_Transparent = true;
    QVERIFY(Open_File());
    QCOMPARE(Compare(Shown(), Striped()), QString());
    QCOMPARE(pic_Stack.size(), size_t(1));
    QCOMPARE(Current_Picture, 0);
    QVERIFY(!img_changed);
    QVERIFY(!Save_as_Transparent);
    QCOMPARE(Title(), PGM_Name + QStringLiteral(":holiday.png"));
    QCOMPARE(MRU_Files.first(), path);
    QCOMPARE(image_FolderObject->AbsolutePath(), path);
  }

  void theUnsavedChangesQuestion_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("opened");
    QTest::addColumn<bool>("saved");
    QTest::newRow("don't save opens without saving") << QStringLiteral("Don\u2019t Save") << true << false;
    QTest::newRow("cancel keeps everything") << QStringLiteral("Cancel") << false << false;
    QTest::newRow("save writes, then opens") << QStringLiteral("Save") << true << true;
  }
  void theUnsavedChangesQuestion() {
    QFETCH(QString, answer);
    QFETCH(bool, opened);
    QFETCH(bool, saved);
    const QString mine = WriteImage(QStringLiteral("mine.png"), Striped(20, 10));
    const QString other = WriteImage(QStringLiteral("other.png"), Striped(30, 12));
    QVERIFY(Open_File(Item(mine)));
    Scribble(0x00FF00);
    const QByteArray before = Bytes(mine);
    ExpectSaveQuestion(QStringLiteral("mine.png"), answer);
    QCOMPARE(Open_File(Item(other)), opened);
    QCOMPARE(Title(), PGM_Name + (opened ? QStringLiteral(":other.png") : QStringLiteral(":mine.png*")));
    QCOMPARE(work_area->Width(), opened ? 30 : 20);
    QCOMPARE(img_changed, !opened);
    if (!opened) QCOMPARE(pic_Stack.size(), size_t(2));
    QCOMPARE(Bytes(mine) != before, saved);
    if (saved) {
      QImage back(mine);
      QCOMPARE(back.pixel(1, 1) & 0xFFFFFF, 0x00FF00u);
    }
  }

  // The real alerts, as the user meets them: Escape chooses Cancel, and nothing changes.
  void escapeInTheRealQuestionCancels_data() {
    QTest::addColumn<QString>("question");
    QTest::newRow("unsaved changes: Save, Don't Save, Cancel") << "close";
    QTest::newRow("revert: Revert, Cancel") << "revert";
  }
  void escapeInTheRealQuestionCancels() {
    QFETCH(QString, question);
    const QString mine = WriteImage(QStringLiteral("mine.png"), Striped(20, 10));
    QVERIFY(Open_File(Item(mine)));
    Scribble(0x00FF00);
    const QByteArray before = Bytes(mine);
    winMAIN* w = winMAIN::instance();
    bool done = true;
    QVERIFY(Fixture::KeyOnRealModal(Qt::Key_Escape, [&] {
      if (question == QLatin1String("close")) done = w->close();
      else done = Revert_to_Saved();
    }, QStringLiteral("Cancel")));
    QVERIFY(!done);
    QVERIFY(w->isVisible());
    QVERIFY(img_changed);
    QCOMPARE(pic_Stack.size(), size_t(2));
    QCOMPARE(work_area->Pixel(1, 1), Platform::Color(0x00FF00));
    QCOMPARE(Bytes(mine), before);
    QCOMPARE(Title(), PGM_Name + QStringLiteral(":mine.png*"));
  }

  void saveThatDoesNotWriteCountsAsCancel() {
    // Untitled: "Save" runs Save As, and its dialog is cancelled; then a save that fails.
    UseDocument(Striped(20, 10));
    Scribble();
    const QString other = WriteImage(QStringLiteral("other.png"), Striped(30, 12));
    modOptions::option_SaveAs = QStringLiteral("png");
    ExpectSaveQuestion(QStringLiteral("Untitled"), QStringLiteral("Save"));
    Fixture::ExpectSaveFile(QString());
    QVERIFY(!Open_File(Item(other)));
    QVERIFY(img_changed);
    QCOMPARE(work_area->Width(), 20);

    const QString blocked = Fixture::Home() + QStringLiteral("/blocked.png");
    QDir().mkpath(blocked);  // a folder stands where the file should go
    ExpectSaveQuestion(QStringLiteral("Untitled"), QStringLiteral("Save"));
    Fixture::ExpectSaveFile(blocked);
    Fixture::ExpectMessageBox(QStringLiteral("Image File already exists^Do you wish to overwrite it?"), QStringLiteral("Yes"));
    Fixture::ExpectAny([](Platform::ModalRequest& r) -> QVariant {
      if (!r.message.startsWith(QLatin1String("ERROR^The picture could not be saved as 'blocked.png'.^")))
        Platform::ModalHost::RecordFailure(QStringLiteral("unexpected: ") + Platform::ModalHost::Describe(r));
      return QStringLiteral("Ok");
    });
    image_New();
    QVERIFY(img_changed);
    QCOMPARE(work_area->Width(), 20);
    QVERIFY(QFileInfo(blocked).isDir());
  }

  void anUnsupportedFileIsRefusedBeforeTheQuestion() {
    UseDocument(Striped(20, 10));
    Scribble();
    const QString path = Fixture::WriteFile(QStringLiteral("notes.txt"), "hello");
    Fixture::ExpectAny([](Platform::ModalRequest& r) -> QVariant {
      if (r.message != QLatin1String("The selected file format 'txt'"))
        Platform::ModalHost::RecordFailure(QStringLiteral("unexpected: ") + Platform::ModalHost::Describe(r));
      return QStringLiteral("OK");
    });
    QVERIFY(!Open_File(Item(path)));
    QVERIFY(img_changed);
  }

  void cancellingTheOpenDialogChangesNothing() {
    UseDocument(Striped(20, 10));
    Fixture::ExpectOpenFile(QString());
    QVERIFY(!Open_File());
    QCOMPARE(work_area->Width(), 20);
  }

  // The view the choice compares with is the surround as the window is laid out for the new picture at
  // the zoom in force: without scroll bars for a picture about the size of the view, with both bars for
  // one twice as large. The rulers show, so a picture as wide as the bare view needs no bar.
  void theZoomChoice_data() {
    QTest::addColumn<bool>("bars");  // the sizes below are relative to the view with both bars
    QTest::addColumn<int>("dw");     // added to the view's width
    QTest::addColumn<int>("dh");
    QTest::addColumn<int>("factor");  // the picture is factor x the view (then dw, dh added)
    QTest::addColumn<float>("zoom");
    QTest::newRow("exactly the view's size opens at 50 %") << false << 0 << 0 << 1 << 0.5f;
    QTest::newRow("a pixel lower opens at 100 %") << false << 0 << -1 << 1 << 1.0f;
    QTest::newRow("a pixel wider opens at 50 %") << false << 1 << -1 << 1 << 0.5f;
    QTest::newRow("twice the view, a pixel lower, at 50 %") << true << 0 << -2 << 2 << 0.5f;
    QTest::newRow("too large for 50 % opens at 25 %") << true << 0 << 0 << 2 << 0.25f;
    QTest::newRow("even when it does not fit at 25 %") << true << 0 << 0 << 5 << 0.25f;
  }
  void theZoomChoice() {
    QFETCH(bool, bars);
    QFETCH(int, dw);
    QFETCH(int, dh);
    QFETCH(int, factor);
    QFETCH(float, zoom);
    winMAIN* w = winMAIN::instance();
    modOptions::option_ShowRuler = true;
    // A picture far larger than the window makes the layout show both bars.
    if (bars) Fixture::NewDocument(5000, 5000);
    w->Arrange_Controls();
    const int cw = w->canvas_BG->width(), ch = w->canvas_BG->height();
    QVERIFY(cw > 100 && ch > 100);
    QImage img(cw * factor + dw, ch * factor + dh, QImage::Format_RGB32);
    img.fill(Qt::gray);
    const QString path = WriteImage(QStringLiteral("view.png"), img);
    QVERIFY(Open_File(Item(path)));
    QCOMPARE(Zoom, zoom);
    if (factor > 2) QCOMPARE(w->canvas_BG->width(), cw);
  }

  void openingTheThirdRecentFileMovesItFirst() {
    QStringList paths;
    for (const char* n : {"a.png", "b.png", "c.png"}) paths << WriteImage(QString::fromLatin1(n), Striped(8, 8));
    for (int i = 2; i >= 0; --i) QVERIFY(Open_File(Item(paths[i])));
    QCOMPARE(MRU_Files, (QStringList{paths[0], paths[1], paths[2]}));
    QVERIFY(Open_File(Item(paths[0])));
    QCOMPARE(MRU_Files, (QStringList{paths[0], paths[1], paths[2]}));
    QVERIFY(Open_File(Item(paths[2])));
    QCOMPARE(MRU_Files, (QStringList{paths[2], paths[0], paths[1]}));
  }

  void revertReadsTheFileAgainWithoutASecondQuestion() {
    const QString path = WriteImage(QStringLiteral("r.png"), Striped());
    QVERIFY(Open_File(Item(path)));
    Scribble(0xFF00FF);
    ExpectRevertQuestion(QStringLiteral("r.png"), QStringLiteral("Revert"));
    QVERIFY(winMAIN::instance()->_menu_REVERT_Action());
    QCOMPARE(Compare(Shown(), Striped()), QString());
    QVERIFY(!img_changed);
    QCOMPARE(pic_Stack.size(), size_t(1));

    Scribble(0xFF00FF);
    ExpectRevertQuestion(QStringLiteral("r.png"), QStringLiteral("Cancel"));
    QVERIFY(!Revert_to_Saved());
    QCOMPARE(work_area->Pixel(1, 1), Platform::Color(0xFF00FF));
    QVERIFY(img_changed);
  }

  void aFailedRevertKeepsTheModifiedMark() {
    const QString path = WriteImage(QStringLiteral("r.png"), Striped());
    QVERIFY(Open_File(Item(path)));
    Scribble(0xFF00FF);
    // The file is damaged behind the program's back.
    Fixture::WriteFile(QStringLiteral("r.png"), "garbage");
    ExpectRevertQuestion(QStringLiteral("r.png"), QStringLiteral("Revert"));
    ExpectUnreadable(QStringLiteral("r.png"), QStringLiteral("png"));
    QVERIFY(!Revert_to_Saved());
    QVERIFY(img_changed);
    QCOMPARE(work_area->Pixel(1, 1), Platform::Color(0xFF00FF));
    QCOMPARE(pic_Stack.size(), size_t(2));
  }

  void newGivesABlankPictureOfTheCanvasSize() {
    const QString path = WriteImage(QStringLiteral("n.png"), Striped());
    QVERIFY(Open_File(Item(path)));
    modOptions::option_Width = 640;
    modOptions::option_Height = 480;
    Save_as_Transparent = true;
    image_New();
    QCOMPARE(pic_Stack.size(), size_t(1));
    QCOMPARE(Working_Color_Depth, 32);
    const Platform::PicturePtr state = pic_Stack[0];
    QCOMPARE(state->Width(), 640);
    QCOMPARE(state->Height(), 480);
    QVERIFY(!state->HasMask());
    QImage white(640, 480, QImage::Format_RGB32);
    white.fill(Qt::white);
    QCOMPARE(Compare(Shown(), white), QString());
    // The working picture is opaque: a mask that is black everywhere.
    QVERIFY(work_area->HasMask());
    QCOMPARE(work_area->Mask()->Image().pixelIndex(320, 240), 0);
    QVERIFY(!Save_as_Transparent);
    QVERIFY(!img_changed);
    QVERIFY(!image_FolderObject);
    QCOMPARE(Title(), PGM_Name + QStringLiteral(":<untitled>"));
  }

  void newWithAFloatingSelectionMakesOneState() {
    UseDocument(Striped(20, 10));
    modOptions::option_Width = 50;
    modOptions::option_Height = 40;
    img_lasso->set_Top_Left(Point_of(2, 2));
    img_lasso->set_Bot_Right(Point_of(6, 6));
    Set_Active_Lasso(true);
    active_DRAG = true;
    drag_Picture = Fixture::Filled(4, 4, 0x0000FF);
    img_DRAG_DROP = Point_of(2, 2);
    image_New();
    QCOMPARE(pic_Stack.size(), size_t(1));
    QCOMPARE(work_area->Width(), 50);
    QCOMPARE(work_area->Pixel(3, 3), Platform::Color(0xFFFFFF));
  }

  void newWithAnUnusableCanvasSizeGivesTheDefaultSize() {
    modOptions::option_Width = 0;
    modOptions::option_Height = -5;
    image_New();
    QCOMPARE(work_area->Width(), 640);
    QCOMPARE(work_area->Height(), 480);
  }

  void newWithChangesCanBeCancelled() {
    UseDocument(Striped(20, 10));
    Scribble();
    ExpectSaveQuestion(QStringLiteral("Untitled"), QStringLiteral("Cancel"));
    image_New();
    QCOMPARE(work_area->Width(), 20);
    QVERIFY(img_changed);
  }
};

PIXMURA_TEST_CLASS(OpeningTests)
#include "OpeningTests.moc"
