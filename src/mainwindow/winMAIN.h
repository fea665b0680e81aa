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

#include "core/Points.h"
#include "platform/Canvas.h"
#include "platform/EdgeLocks.h"

class QGroupBox;
class QScrollBar;
class QUrl;
class RoundSlider;
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
  // The one commit path: every finished operation becomes one undo step here.
  void Draw_Complete();
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
  void Update_Display();
  // Sets the zoom, held to 0.25 .. 16; when that changes it, the zoom slider, status bar, layout,
  // display and rulers follow.
  void Set_Zoom(float zoom);
  // Repaint requests: the painting canvas; the rulers and their corner while rulers are shown.
  void C_INVALIDATE();
  void Refresh_Rulers();
  // Repaints the surround when the painting canvas's size differs from the one last seen.
  void Cleanup_Background_Artifacts(int32_t w, int32_t h);
  // Lays every control out from the window's size and the view settings, and takes the scroll offset
  // afresh from the bars that show; inert until the one-time initialisation is done.
  void Arrange_Controls();
  void SetWindowModified(bool changed);
  void update_title();
  void Update_Statusbar();

  // ---- Scroll bars ----
  // A bar's value is the image column (horizontal) or row (vertical) at the view's edge. A value change
  // moves the view; a wheel turn over a bar moves that bar by the wheel's vertical amount, in image
  // pixels, and reports the turn as not handled.
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
  void keyPressEvent(QKeyEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dragMoveEvent(QDragMoveEvent* e) override;
  void dropEvent(QDropEvent* e) override;
  void enterEvent(QEnterEvent* e) override;
  // The close request: ends the tool state, asks about unsaved changes (cancel keeps the window open),
  // writes the settings, closes the other windows and lets the program end.
  void closeEvent(QCloseEvent* event) override;

 private:
  winMAIN();
  void Screen_Canvas_Paint(Platform::Graphics& g);
  void statusbar_Paint(Platform::Graphics& g);
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
};
