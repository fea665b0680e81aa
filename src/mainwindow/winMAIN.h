#pragma once
// The one main window: the picture canvas inside its surround, the status bar with its progress bar,
// and the three timers. Its implementation is split by topic (layout, view, commit, tools).
#include <QMainWindow>
#include <QProgressBar>
#include <QHash>
#include <QTimer>
#include <functional>

#include "core/Points.h"
#include "platform/Canvas.h"

class classCOLORS;
class classPATTERNS;
class classTEXT2;
class classTOOLS;

class winMAIN : public QMainWindow {
  Q_OBJECT
 public:
  // The implicit instance: created on first use, the same window afterwards.
  static winMAIN* instance();
  static winMAIN* existing();

  // ---- Controls ----
  Platform::Canvas* canvas_BG = nullptr;      // the surround behind the picture canvas
  Platform::Canvas* Screen_Canvas = nullptr;  // the painting canvas
  Platform::Canvas* statusbar = nullptr;
  QProgressBar* pb_BARBER = nullptr;
  classCOLORS* classCOLORS1 = nullptr;        // the colour palette
  classPATTERNS* classPATTERNS1 = nullptr;    // the pattern palette, which also carries the pattern fills
  // The page buttons: btnPAT(0) up and btnPAT(1) down page the pattern palette; btnPAL(1) up and
  // btnPAL(0) down switch the colour palette.
  Platform::Canvas* btnPAT(int index) const { return btnPAT_[index & 1]; }
  Platform::Canvas* btnPAL(int index) const { return btnPAL_[index & 1]; }
  classTOOLS* classTOOLS1 = nullptr;          // the tool palette
  Platform::Canvas* myHelpTag = nullptr;      // the floating help tag and size tag, hidden at start
  QTimer* timer_LASSO = nullptr;
  QTimer* timer_SPRAYCAN = nullptr;
  QTimer* timer_HELPTAG = nullptr;
  // Re-entry guard of the canvas's drag and move handlers.
  bool Busy = false;
  // The corner of a canvas-size drag in the surround's coordinates: the new right and bottom edges.
  int32_t bkgd_x = 0;
  int32_t bkgd_y = 0;

  // ---- Commit and undo ----
  // The one commit path: every finished operation becomes one undo step here.
  void Draw_Complete();
  // Steps back (-1) or forward (+1) in the history.
  void Manage_Undo_Stack(int32_t step);

  // ---- View ----
  void Update_Display();
  void C_INVALIDATE();
  void SetWindowModified(bool changed);
  void update_title();
  void Update_Statusbar();
  void Arrange_Controls();
  void Set_Zoom(float zoom);
  void Cleanup_Background_Artifacts(int32_t w, int32_t h);

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
  // The window's enabling pass, run after the application's each time a menu is about to be used.
  void Event_EnableMenuItems();
  // Binds the window's handlers to the menu items by name.
  void AddMenuHandlers();
  // Binds one item name to a handler, replacing the one bound before; the handler returns whether it
  // handled the command.
  void Bind_Menu(const QString& name, std::function<bool()> handler);
  // Runs the handler bound to the name; false when there is none or it did not handle the command.
  bool Handle_Menu(const QString& name, int index);
  // Closes every other open window of the program.
  void Close_Extra_Windows();
  // File > New from Clipboard: a new untitled document holding the clipboard's picture, one undo step.
  // Nothing happens when the user cancels the question about unsaved changes.
  void image_New_from_clipboard();
  bool _menu_ABOUT_Action();
  bool _menu_CLOSE_Action();
  bool _menu_ClearRecent_Action();

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
  // Pattern > Edit Pattern Template and Revert to Orignal Template; View > Color Palette > Standard,
  // Enhanced and Skin Tones.
  bool _menu_Pat_EDIT_Action();
  bool _menu_Pat_Revert_Action();
  bool _Menu_Palette_STD_Action();
  bool _menu_Palette_ENH_Action();
  bool _menu_Palette_Skin_Action();

  // ---- Timers ----
  void timer_LASSO_Action();
  void timer_SPRAYCAN_Action();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool event(QEvent* event) override;
  // The close request: ends the tool state, asks about unsaved changes (cancel keeps the window open),
  // writes the settings, closes the other windows and lets the program end.
  void closeEvent(QCloseEvent* event) override;

 private:
  winMAIN();
  void Screen_Canvas_Paint(Platform::Graphics& g);
  // Hooks the painting canvas's events to the handlers above.
  void Bind_Screen_Canvas();
  void statusbar_Paint(Platform::Graphics& g);
  // The single-line text changed: the floating text box takes its size and the canvas repaints.
  void Text2_Was_Updated(classTEXT2* sender);
  // The palettes and their page buttons with their handlers bound.
  void Create_Palettes(QWidget* parent);
  // The palettes' open events, before the window's own: the colour palette reports its start colours.
  void Open_Palettes();
  void AddPaletteMenuHandlers();
  // Places the palette strip along the top, from the left edge given; answers the top edge left for the
  // picture.
  int Arrange_Palettes(int left);

  Platform::Canvas* btnPAT_[2] = {};
  Platform::Canvas* btnPAL_[2] = {};

  QHash<QString, std::function<bool()>> menuHandlers_;
};
