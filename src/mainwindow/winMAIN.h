#pragma once
// The one main window: the palettes, the picture canvas inside its surround with rulers and two kinds
// of scroll bars, the status bar with its sliders and progress bar, and the three timers. Its
// implementation is split by topic (form, layout, view, scrolling, events, commit, tools, menus).
#include <QMainWindow>
#include <QProgressBar>
#include <QHash>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "core/Points.h"
#include "platform/Canvas.h"
#include "platform/EdgeLocks.h"

class QGroupBox;
class QScrollBar;
class QUrl;
class RoundSlider;
class QAction;
class classCOLORS;
class classPATTERNS;
class classRECTANGLE;
class classScrollbar;
class classTEXT2;
class classTOOLS;

class winMAIN : public QMainWindow {
  Q_OBJECT
 public:
  // The implicit instance: created on first use, the same window afterwards.
  static winMAIN* instance();
  static winMAIN* existing();

  // ---- Form: the controls, in the order they are made ----
  // Places are in the window's content (the area below the menu bar). The designed content is
  // 1063 x 600 and can shrink to 940 x 480.
  static constexpr int kDesignWidth = 1063, kDesignHeight = 600;
  static constexpr int kMinimumWidth = 940, kMinimumHeight = 480;
  QGroupBox* gbTools = nullptr;               // holds the tool palette
  classTOOLS* classTOOLS1 = nullptr;          // the tool palette
  QGroupBox* gbColors = nullptr;              // holds the colour and pattern palettes and their page buttons
  classCOLORS* classCOLORS1 = nullptr;        // the colour palette
  classPATTERNS* classPATTERNS1 = nullptr;    // the pattern palette, which also carries the pattern fills
  // The page buttons: btnPAT(0) up and btnPAT(1) down page the pattern palette; btnPAL(1) up and
  // btnPAL(0) down switch the colour palette.
  Platform::Canvas* btnPAT(int index) const { return btnPAT_[index & 1]; }
  Platform::Canvas* btnPAL(int index) const { return btnPAL_[index & 1]; }
  QScrollBar* Scroll_V_OS = nullptr;          // the platform's scroll bars
  QScrollBar* Scroll_H_OS = nullptr;
  Platform::Canvas* canvas_BG = nullptr;      // the surround behind the picture canvas
  Platform::Canvas* Screen_Canvas = nullptr;  // the painting canvas, 4 pixels inside the surround
  Platform::Canvas* statusbar = nullptr;
  Platform::Canvas* canvasARROW = nullptr;    // the arrow-head chooser in the status bar
  RoundSlider* Slider_Zoom = nullptr;         // positions 1 to 7: 25 % to 1600 %
  RoundSlider* Slider_Pencil = nullptr;       // the current tool's pen size, 1 to 10
  QProgressBar* pb_BARBER = nullptr;
  // canvasRULER(0) is the horizontal ruler, canvasRULER(1) the vertical one.
  Platform::Canvas* canvasRULER(int index) const { return canvasRULER_[index & 1]; }
  Platform::Canvas* canvasFiller = nullptr;   // the corner square where the rulers meet
  Platform::Canvas* myHelpTag = nullptr;      // the floating help tag and size tag, hidden at start
  classScrollbar* Scroll_V_Custom = nullptr;  // the program's own drawn scroll bars
  classScrollbar* Scroll_H_Custom = nullptr;
  QTimer* timer_HELPTAG = nullptr;
  QTimer* timer_LASSO = nullptr;
  QTimer* timer_SPRAYCAN = nullptr;

  // ---- Window properties ----
  // The printer's page while a print runs; empty otherwise.
  std::shared_ptr<Platform::Graphics> Printer_graphics;
  // Re-entry guard of the canvas's drag and move handlers.
  bool Busy = false;
  // The corner of a canvas-size drag in the surround's coordinates: the new right and bottom edges.
  int32_t bkgd_x = 0;
  int32_t bkgd_y = 0;

  // ---- Commit and undo ----
  // The one commit path: every finished operation becomes one undo step here. When the memory for the
  // undo step cannot be had, the working picture goes back to the state on show and the user is told
  // "Out of Memory"; the history and the modified mark stay as they were.
  void Draw_Complete();
  // The commit itself: a shortage of memory is left to the caller (OutOfMemoryException or
  // std::bad_alloc), with the history as it was whenever the undo step could not be made.
  void Commit_Drawing();
  // Steps back (-1) or forward (+1) in the history.
  void Manage_Undo_Stack(int32_t step);

  // ---- View: zoom, scrolling and the two pixel spaces ----
  // "Screen" pixels are the painting canvas's own; "image" pixels those of the working picture. The
  // image pixel modMAIN::offset lies at the canvas's top-left corner, magnified by modMAIN::Zoom.
  modMAIN::point_record Screen_to_image_Coordinates(modMAIN::point_record screen) const;
  modMAIN::point_record Screen_to_image_Coordinates(int32_t x, int32_t y) const;
  modMAIN::point_record image_to_Screen_Coordinates(modMAIN::point_record image) const;
  modMAIN::point_record image_to_Screen_Coordinates(int32_t x, int32_t y) const;
  // A new rectangle on the canvas from the image rectangle's normalised corners.
  std::shared_ptr<classRECTANGLE> image_to_Screen_Rectangle(const classRECTANGLE& image) const;
  // Sizes the painting canvas to the smaller of the surround and the zoomed picture, gives both pairs
  // of scroll bars their ranges in image pixels and repaints the canvas. Nothing without a picture.
  // Every change of the picture's size ends here: for a picture of another size or zoom than the
  // window was arranged for, the window is arranged first, and after an arrangement the offset is
  // taken from the bars that show (0 along an axis without one). Whatever shows the picture's size or
  // place follows: the surround with its handles, the rulers, the status bar and the navigator.
  void Update_Display();
  // The view goes to the picture's top-left pixel: every bar at 0, quietly, and the offset (0, 0).
  void Scroll_To_Top_Left();
  // Sets the zoom, held to 0.25 .. 16; when that changes it, the zoom slider, status bar, layout,
  // display and rulers follow.
  void Set_Zoom(float zoom);
  // Repaint requests: the painting canvas; the rulers and their corner while rulers are shown.
  void C_INVALIDATE();
  void Refresh_Rulers();
  // Repaints the surround when the painting canvas's size differs from the one last seen.
  void Cleanup_Background_Artifacts(int32_t w, int32_t h);
  // Lays every control out from the window's size and the view settings, and takes the scroll offset
  // afresh from the bars that show; inert until the one-time initialisation is done. It remembers the
  // picture size and zoom it chose the bars for.
  void Arrange_Controls();
  void SetWindowModified(bool changed);
  void update_title();
  void Update_Statusbar();

  // ---- Scroll bars ----
  // A bar's value is the image column (horizontal) or row (vertical) at the view's edge. A value change
  // moves the view, unless no bar of its axis shows (the offset stays 0 there); a wheel turn over a bar
  // moves that bar by the wheel's vertical amount, in image pixels, and reports the turn as not handled.
  void Scroll_H_OS_ValueChanged();
  void Scroll_V_OS_ValueChanged();
  void Scroll_H_Custom_ValueChanged();
  void Scroll_V_Custom_ValueChanged();
  bool Scroll_H_OS_MouseWheel(int32_t x, int32_t y, int32_t deltaX, int32_t deltaY);
  bool Scroll_V_OS_MouseWheel(int32_t x, int32_t y, int32_t deltaX, int32_t deltaY);
  bool Scroll_H_Custom_MouseWheel(int32_t x, int32_t y, int32_t deltaX, int32_t deltaY);
  bool Scroll_V_Custom_MouseWheel(int32_t x, int32_t y, int32_t deltaX, int32_t deltaY);
  // How many image pixels one notch of the wheel scrolls along an axis: three of the axis's line steps,
  // a tenth of the view each, so a notch moves the picture the same share of the view at every zoom.
  int32_t Wheel_Step(bool horizontal) const;
  // Whether a bar of the axis shows, so that the view scrolls along it.
  bool Axis_Scrolls(bool horizontal) const;

  // ---- Zoom slider ----
  void Slider_Zoom_Open();
  void Slider_Zoom_valueChanged(float value);
  void Slider_Pencil_Open();
  void Slider_Pencil_valueChanged(float value);

  // ---- Window events ----
  void Event_Deactivate();
  // While the user drags the window's size, and once more when the size has settled (which also makes
  // the transparency checkerboard anew).
  void Event_Resizing();
  void Event_Resized();
  // The pointer came into the window: the painting canvas takes the keys, without the window coming to
  // the front.
  void Event_MouseEnter();
  // A key that no control took: Escape ends what is going on (true: handled); while a text is being
  // placed nothing else acts; Backspace and Delete cut the selection; letters choose tools.
  bool Event_KeyDown(const QString& key);
  // Files dropped on the window: the first one opens as the document when it is a supported picture.
  void Event_DropObject(const QList<QUrl>& items, int32_t action);

  // ---- Status message and help tags ----
  // The status bar's red message, trimmed; "" when none.
  QString status_msg;
  // Stores the trimmed text as the message and redraws the status bar when it changed.
  void Set_Status_msg(const QString& text);
  void Clear_Status_Msg();
  // A help tag request: with show and help tags switched on, the tag gets the text, moves its top-left
  // corner to (x, y) and shows when timer_HELPTAG fires; otherwise a showing tag is hidden.
  void Set_myHelpTag(bool show, int32_t x, int32_t y, const QString& text);
  // Shows at once, at (x, y), a size tag reading w "x" h in white on dark grey.
  void Cursor_Tag(int32_t x, int32_t y, int32_t w, int32_t h);
  void timer_HELPTAG_Action();
  void myHelpTag_Paint(Platform::Graphics& g);

  // ---- Painting canvas: mouse events (x, y in canvas pixels) ----
  // The press: true makes drag events and one release follow.
  bool Screen_Canvas_MouseDown(int32_t x, int32_t y);
  void Screen_Canvas_MouseDrag(int32_t x, int32_t y);
  void Screen_Canvas_MouseUp(int32_t x, int32_t y);
  // Moves with the button up: the hover switch between the selection tools and the grabber.
  void Screen_Canvas_MouseMove(int32_t x, int32_t y);
  void Screen_Canvas_MouseEnter();
  void Screen_Canvas_MouseExit();
  // The wheel scrolls one image pixel per unit; always false.
  bool Screen_Canvas_MouseWheel(int32_t x, int32_t y, int32_t deltaX, int32_t deltaY);
  void Screen_Canvas_Open();
  // The hover test over the rectangular selection: 999 inside, -1 outside or without one.
  int32_t Mouse_Inside_Lasso(modMAIN::point_record p);
  // The Shift constraint of a drag step, relative to the stroke's anchor: axis or 45-degree lines for
  // the line tool, squares for the box tools.
  void Adjust_XY(modMAIN::point_record& p);

  // ---- Stroke tools that hook into the canvas's events ----
  // One eraser (3) or brush (11) stroke step to the image point.
  void execute_eraser(modMAIN::point_record point, int32_t tool);
  // One burst of the spray can around the stroke's anchor.
  void spurt_paint();
  // The polygon tool: a vertex at a plain press, the rubber band of a drag step, the completion.
  void Polygon_Add_Vertex(modMAIN::point_record p);
  void Polygon_Rubber_Band(modMAIN::point_record p);
  void polygon_complete();
  // The closed vertex list the graphics context takes: a placeholder, x and y of each vertex, the first again.
  static std::vector<int> Polygon_Vertex_List(const std::vector<modMAIN::point_record>& vertices);
  // The free-hand selection: its start at the press and its conversion at the release.
  void Init_SuperLasso();
  void convert_SuperLasso_to_normal_lasso();

  // ---- Tools and selection ----
  void Reset_Everything();
  void Turn_Lasso_OFF();
  void Turn_ERASER_OFF();
  void Turn_Polygon_OFF();
  void Revert_to_Last_Draw_Tool(bool force);
  // Selects a tool on the program's behalf: lights it in the tool palette and applies it.
  void drawing_TOOL_SET(int32_t tool);
  // Applies a change of tool: ends what the old tool left open and updates the status bar.
  void drawing_TOOL_GET(int32_t tool);
  void Set_Paint_Cursor(bool busy);

  // ---- Picture files (new, open, save, drops) ----
  // Menu commands: File > Save, File > Save As ..., File > Revert to Saved, Colors > Change Color Depth.
  bool _menu_Save_Action();
  bool _menu_SaveAs_Action();
  bool _menu_REVERT_Action();
  bool _menu_DEPTH_Action();

  // ---- Whole-picture operations (turns, resize, canvas size, clipboard) ----
  // Edit > Cut, Copy, Delete, Crop and Colors > Sepia Tones; each returns whether it handled the command.
  bool _menu_CUT_Action();
  bool _menu_COPY_Action();
  bool _menu_PASTE_Action();
  bool _menu_DELETE_Action();
  bool _menu_CROP_Action();
  bool _menu_Sepia_Action();
  // Colors > Reverse Colors and Remove Red Eye.
  bool _menu_InvertColors_Action();
  bool _menu_REDEYE_Action();

  // ---- Tool stamps (the line walk calls them at every pixel of a stroke) ----
  // One eraser stamp at a point in image pixels: the square of the eraser's size becomes the background
  // colour (for the colour eraser only where it has the foreground colour).
  void Eraser_Function(modMAIN::point_record point);
  // One brush stamp: each pixel under the brush tip becomes a blend of the foreground colour (the
  // background colour for a right-button stroke) and the same pixel of the undo history's current
  // state, weighted by the tip's grey.
  void PaintBrush_Function(modMAIN::point_record point);

  // ---- Application shell (start-up, menus, closing) ----
  // The window's open event; its activate event, which also shows again the floating windows that are
  // open.
  void Event_Open();
  void Event_Activate();
  // The one-time initialisation (flag 1 from the open event, 2 from the activate event): settings,
  // blank document, tool start values, zoom 100 %, the document handed over at launch; then the window
  // shows. An activate before any open only hides the window.
  void Check_For_Init(int32_t flag);
  // The window is about to close (close box, File > Close or Quit): ends every tool state and, with
  // unsaved changes, asks whether to save them. True cancels the close. Otherwise the settings are
  // written and every other window is closed.
  bool Event_CancelClose(bool appQuitting);
  // The window closes: the floating windows go, and the working picture and the history are released.
  void Event_Close();
  // The window's enabling pass, run after the application's each time a menu is about to be used.
  void Event_EnableMenuItems();
  // Binds the window's handlers to the menu items by name; a command not built yet answers "not
  // handled".
  void AddMenuHandlers();
  // Binds one item name to a handler, replacing the one bound before; the handler returns whether it
  // handled the command.
  void Bind_Menu(const QString& name, std::function<bool()> handler);
  bool Has_Menu_Handler(const QString& name) const { return menuHandlers_.contains(name); }
  // Runs the handler bound to the name; false when there is none or it did not handle the command.
  bool Handle_Menu(const QString& name, int index);
  // File > New from Clipboard: a new untitled document holding the clipboard's picture, one undo step.
  // Nothing happens when the user cancels the question about unsaved changes.
  void image_New_from_clipboard();
  // Makes a picture (the given one, or the clipboard's) the floating selection at the view's top-left
  // corner under the grabber; a wider or taller picture first enlarges the canvas.
  void image_PASTE(bool use_given, const Platform::PicturePtr& picture);

  // The items of the window's menu bar, each named like its item; they throw NilObjectException while
  // the window has no menu bar or the bar has no such item.
#define PIXMURA_WINMAIN_MENU_ITEMS(X)                                                                      \
  X(xMenuHelp) X(menu_EMAIL) X(menu_WEBSITE) X(UntitledSeparator11) X(menu_Help) X(xmenu_PATTERNS)         \
  X(menu_Pat_Revert) X(menu_Pat_EDIT) X(xmenu_FRAMES) X(menu_FRAME_FEATHERED_RECTANGLE)                    \
  X(menu_FRAME_RECTANGLE) X(menu_FRAME_FEATHER) X(menu_FRAME_OVAL) X(xmenu_Colors) X(menu_GetInfo)         \
  X(UntitledSeparator5) X(menu_REDEYE) X(UntitledSeparator12) X(menu_DEPTH) X(menu_GRADIENT) X(menu_Sepia) \
  X(menu_InvertColors) X(UntitledSeparator10) X(menu_EFFECTS) X(xmenu_Image) X(menu_AntiAlias)             \
  X(menu_DrawOpaque) X(UntitledSeparator9) X(menuSplash) X(menu_CS4) X(menu_CS16) X(menu_CS256)            \
  X(UntitledSeparator14) X(menu_ClearImage) X(menu_CANVAS_SIZE) X(UntitledSeparator8) X(menu_Transparent)  \
  X(UntitledSeparator4) X(menu_RESIZE) X(UntitledSeparator6) X(menu_ROTATE) X(ViewMenu) X(menu_ColorMeter) \
  X(menu_THUMBNAIL) X(menu_Grid) X(UntitledSeparator7) X(menu_ZoomOut) X(menu_ZoomIN) X(menu_ZoomNormal)  \
  X(UntitledSeparator3) X(menu_GALLERY) X(UntitledSeparator13) X(menu_ViewRulers) X(menu_ViewPatterns)     \
  X(menu_Palette) X(menu_Palette_Skin) X(menu_Palette_ENH) X(Menu_Palette_STD) X(UntitledSeparator15)      \
  X(menu_ViewColors) X(menu_ViewTools) X(xmenu_Edit) X(menu_SELECTALL) X(UntitledMenu0) X(menu_CROP)       \
  X(UntitledSeparator0) X(menu_DELETE) X(menu_PASTE) X(menu_COPY) X(menu_CUT) X(UntitledMenu1)             \
  X(menu_ReDo) X(menu_UnDo) X(xmenu_File) X(menu_Print) X(menu_PageSetup) X(UntitledSeparator)             \
  X(menu_REVERT) X(menu_SaveAs) X(menu_Save) X(menu_CLOSE) X(UntitledSeparator1) X(xmenu_OpenRecent)       \
  X(menu_ClearRecent) X(UntitledSeparator2) X(menu_Open) X(menu_New_FROM_CLIPBOARD) X(menu_New)            \
  X(FileQuit) X(menu_Pref) X(menu_Updates) X(menu_ABOUT)
#define PIXMURA_DECLARE_MENU_ITEM(name) QAction* name() const;
  PIXMURA_WINMAIN_MENU_ITEMS(PIXMURA_DECLARE_MENU_ITEM)
#undef PIXMURA_DECLARE_MENU_ITEM
  // The recent-file item of that index, 0 to 7.
  QAction* menu_Recent(int32_t index) const;

  // Menu commands of the File, Edit, View, Image and Help menus.
  bool _menu_Grid_Action();
  bool _menu_ABOUT_Action();
  bool _menu_DrawOpaque_Action();
  bool _menu_UnDo_Action();
  bool _menu_ClearImage_Action();
  bool _menu_ClearRecent_Action();
  bool _menu_ReDo_Action();
  bool _menu_SELECTALL_Action();
  bool _menu_ZoomIN_Action();
  bool _menu_ZoomOut_Action();
  bool _menu_ZoomNormal_Action();
  bool _menu_ViewColors_Action();
  bool _menu_ViewTools_Action();
  bool _menu_AntiAlias_Action();
  bool _menu_CLOSE_Action();
  bool _menu_GALLERY_Action();
  bool _menu_Transparent_Action();
  bool _menu_WEBSITE_Action();
  bool _menu_Help_Action();
  bool _menu_ViewRulers_Action();
  bool _menu_ViewPatterns_Action();

  // ---- Update check and feedback ----
  // Help > eMail Feedback: opens a feedback mail to the maker in the desktop's mail program.
  bool _menu_EMAIL_Action();

  // ---- Palette wiring: the palettes' events into the editing state ----
  void classTOOLS1_Open();
  void classTOOLS1_tool_Changed();
  void classTOOLS1_FillMode_Changed(int32_t mode);
  void classTOOLS1_MouseEnter();
  void classCOLORS1_FColor_Changed(Platform::Color colour);
  void classCOLORS1_BColor_Changed(Platform::Color colour);
  void classCOLORS1_MouseEnter();
  void classPATTERNS1_Pattern_Changed(int32_t index);
  void classPATTERNS1_MouseEnter();
  // The page buttons act once, on the press, and claim no drag.
  bool btnPAT_MouseDown(int index, int32_t x, int32_t y);
  bool btnPAL_MouseDown(int index, int32_t x, int32_t y);
  // Pattern > Edit Pattern Template and Revert to Original Template; View > Color Palette > Standard,
  // Enhanced and Skin Tones.
  bool _menu_Pat_EDIT_Action();
  bool _menu_Pat_Revert_Action();
  bool _Menu_Palette_STD_Action();
  bool _menu_Palette_ENH_Action();
  bool _menu_Palette_Skin_Action();

  // ---- Floating colour windows (colour meter and navigator) ----
  // View > Show Color Meter and Show Thumbnail: each flips its window's open flag, then closes the window
  // or shows it (making it when there is none). The items never show a check mark.
  bool _menu_ColorMeter_Action();
  bool _menu_THUMBNAIL_Action();
  // Binds the two items; called last by AddMenuHandlers, so these bindings stand.
  void AddColorWindowMenuHandlers();
  // ---- Picture geometry sheets (src/geometry/winMAIN_Geometry.cpp) ----
  // Image > Resize/Scale, Canvas Size and Flip / Rotate: each shows its sheet and applies the answer.
  // Resize and canvas size always report the command handled; Flip / Rotate reports a cancel as not
  // handled.
  bool _menu_RESIZE_Action();
  bool _menu_CANVAS_SIZE_Action();
  bool _menu_ROTATE_Action();
  void AddGeometryMenuHandlers();
  // ---- Gradients (src/gradients/winMAIN_Gradients.cpp) ----
  // Binds Colors > Gradient Overlay to modGRADIENT::Gradient_Fill, which reports it handled.
  void AddGradientMenuHandlers();
  // ---- Printing and the information sheet ----
  // Binds the three commands below to their menu items.
  void AddPrintingMenuHandlers();
  // File > Page Setup shows the print options sheet, then repaints the rulers; it answers false.
  bool _menu_PageSetup_Action();
  // File > Print: the page set-up from the stored text, the orientation and the resolution in force,
  // the print dialog, and the working picture on one page.
  bool _menu_Print_Action();
  // Colors > Get Information shows the information sheet.
  bool _menu_GetInfo_Action();
  // ---- Photo effects window (src/effects/winMAIN_Effects.cpp) ----
  // Colors > Photo Effects: shows the effects window modally, unless the effect would be lost (then it
  // beeps); reports the command handled.
  bool _menu_EFFECTS_Action();
  void AddEffectsMenuHandlers();
  // ---- Preferences window (src/preferences/winMAIN_Preferences.cpp) ----
  // File > Preferences shows the preferences window, making it when none is open, and brings it to the
  // front; it always reports the command handled.
  bool _menu_Pref_Action();
  void AddPreferencesMenuHandlers();
  // ---- Styled text: dropping a text placed from the Add Text window ----
  // Draws a floating styled text of the transparent modes into the working picture at the drop point and
  // commits the result as one undo step: mode 1 the letters alone, mode 2 a box of the background colour
  // with the letters cut out of it. With any other mode it only commits.
  void Place_Styled_Text();

  // ---- Timers ----
  void timer_LASSO_Action();
  void timer_SPRAYCAN_Action();

  // ---- Status bar, rulers and canvas-size handles ----
  // One status-bar cell: draws the text (when there is one) with its baseline in the bar's middle and
  // moves past it and 10 pixels more; then, with separator and while x is still inside the bar, draws
  // a separator line at x and moves 10 pixels more. Answers the x where the next cell starts.
  int32_t Put_Text(Platform::Graphics& g, int32_t x, const QString& text, bool separator);
  // The point as "x,y" in decimal, without blanks.
  QString XY_of(modMAIN::point_record point) const;
  // A text the status bar's last paint drew: its left edge, its text and its colour, in the order drawn.
  struct StatusCell {
    int32_t x;
    QString text;
    Platform::Color color;
  };
  const QList<StatusCell>& Statusbar_Cells() const { return statusCells_; }
  // The arrow-head chooser: draws the current style; a plain click steps the style 0, 1, 2, 3, 0; a
  // contextual click opens the arrow-head options. Claims no press.
  void canvasARROW_Paint(Platform::Graphics& g);
  bool canvasARROW_MouseDown(int32_t x, int32_t y);
  // The status-bar controls ask for their help tags when the pointer comes in and hide them when it
  // moves over them or leaves.
  void Slider_Zoom_MouseEnter();
  void Slider_Pencil_MouseEnter();
  void canvasARROW_MouseEnter();
  void Status_Control_MouseLeave();
  // The rulers (0 horizontal, 1 vertical) count pixels, inches or centimetres from the picture's
  // top-left corner at the view's scroll position and zoom; the corner names the unit.
  void canvasRULER_Paint(int index, Platform::Graphics& g);
  void canvasFiller_Paint(Platform::Graphics& g);
  // The surround with its three canvas-size handles (1 right edge, 2 corner, 3 bottom edge) and, while
  // a handle is dragged, the dashed guides of the new edges.
  void canvas_BG_Paint(Platform::Graphics& g);
  bool canvas_BG_MouseDown(int32_t x, int32_t y);
  void canvas_BG_MouseMove(int32_t x, int32_t y);
  void canvas_BG_MouseDrag(int32_t x, int32_t y);
  void canvas_BG_MouseUp(int32_t x, int32_t y);
  // Draws the handle picture centred on (x, y) of the surround.
  void Handle(Platform::Graphics& g, int32_t x, int32_t y);
  // Whether (x, y) lies on the handle drawn at the handle point (hx, hy).
  bool In_Handle(int32_t x, int32_t y, int32_t hx, int32_t hy) const;
  // The handle under a point of the surround (0 for none): a handle answers exactly on its pixels that
  // show beside the painting canvas. Sets the arrows of that handle as the pointer of the surround and
  // of the painting canvas, or the standard pointer beside the handles; a point under the painting
  // canvas changes no pointer.
  int32_t Background_Mode(int32_t x, int32_t y);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dragMoveEvent(QDragMoveEvent* e) override;
  void dropEvent(QDropEvent* e) override;
  void enterEvent(QEnterEvent* e) override;
  // Every close of the window passes through Event_CancelClose and, unless it cancels, Event_Close.
  void closeEvent(QCloseEvent* event) override;

 private:
  winMAIN();
  void Screen_Canvas_Paint(Platform::Graphics& g);
  // Hooks the painting canvas's events to the handlers above.
  void Bind_Screen_Canvas();
  void statusbar_Paint(Platform::Graphics& g);
  // Binds the events of the status-bar controls, the rulers, their corner and the surround.
  void Bind_View_Surroundings();
  // The status bar's paint is under way: a status-bar update asked for from inside it only marks the
  // bar for the next paint.
  bool statusbarPainting_ = false;
  QList<StatusCell> statusCells_;
  // The single-line text changed: the floating text box takes its size and the canvas repaints.
  void Text2_Was_Updated(classTEXT2* sender);
  // The palettes and their page buttons with their handlers bound.
  void Create_Palettes(QWidget* parent);
  void AddPaletteMenuHandlers();
  // Makes the controls at their designed places, with their locks, and binds their events.
  void CreateControls(QWidget* central);
  // The custom controls' open events, in the order the controls were made, before the window's own:
  // the tool palette chooses the pencil, the colour palette reports its start colours, the sliders
  // take their first values.
  void Open_Controls();
  // The scroll bars' common steps: the view follows a bar's value along its axis; a drawn bar's change
  // also goes to the platform bar of its axis; the wheel moves a drawn bar.
  void View_Follows_Bar(bool horizontal, int32_t value);
  void Drawn_Bar_Moved(bool horizontal);
  bool Drawn_Bar_Wheel(bool horizontal, int32_t amount);
  // The menu bar's item of that name (and index, for the recent files).
  QAction* Menu_Item(const QString& name, int32_t index = -1) const;
  // Closes the open floating windows: the styled-text window, the navigator and the colour meter.
  void Close_Extra_Windows(bool);
  // The close question is being asked, or the window has closed: a further close asks nothing again.
  bool closeAsking_ = false;
  bool closed_ = false;

  Platform::Canvas* btnPAT_[2] = {};
  Platform::Canvas* btnPAL_[2] = {};
  Platform::Canvas* canvasRULER_[2] = {};

  QHash<QString, std::function<bool()>> menuHandlers_;

  // ---- Form state ----
  Platform::EdgeLocks locks_;
  // Restarted by every resize; fires the resized event once the size has settled.
  QTimer* resizeDone_ = nullptr;
  // The wheel's turns over the platform bars not yet amounting to a notch.
  QPoint wheelRemainderH_, wheelRemainderV_;
  // Where a canvas-size drag began on the surround, in the surround's pixels.
  modMAIN::point_record bkgd_point;
  // What the view was last arranged and shown for. The arrangement's picture size and zoom tell
  // Update_Display when the bars must be chosen again; offsetFromBars_ asks it to take the offset from
  // the bars once their ranges are set; shown_ is what the rulers, the status bar and the navigator
  // were last asked to show.
  struct View_Shown {
    int32_t pictureW = -1, pictureH = -1;
    float zoom = 0;
    int32_t offsetX = 0, offsetY = 0, canvasW = -1, canvasH = -1;
    bool operator==(const View_Shown&) const = default;
  };
  QSize arrangedPicture_{-1, -1};
  float arrangedZoom_ = 0;
  bool offsetFromBars_ = false;
  View_Shown shown_;
  // Takes the offset from the bars in use that show; 0 along an axis without one.
  void Take_Offset_From_Bars();
};
