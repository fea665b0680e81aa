#pragma once
// "Add Text": the floating window of the styled text tool. The user types text in a styled area, styles any
// range of it (font, size, bold, italic, underline and, through the main window's colour palette, its
// colour), chooses whether the text's background or the text itself is transparent, and presses Place:
// the text becomes a floating picture just inside the top-left corner of the view, moved with the
// grabber and dropped when the selection ends. The window remembers its bounds for the rest of the run
// and offers the last placed text again when it opens.
#include <QWidget>
#include <memory>

#include "platform/Array.h"
#include "platform/Types.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTextEdit;
namespace Platform {
class StyledText;
}

class winTEXT : public QWidget {
  Q_OBJECT
 public:
  // The open window, made (its controls opened from the editing state and the window placed) when there
  // is none; not shown yet.
  static winTEXT* instance();
  // The open window, or nullptr; never makes one.
  static winTEXT* existing();
  // Shows the window, making it when there is none: what choosing the styled text tool does.
  static void Show_Window();
  // Closes the window when it is open: what choosing another tool, or the main window's close, does.
  static void Close_If_Open();

  // ---- Controls ----
  QTextEdit* inpText = nullptr;
  QComboBox* puFONT = nullptr;
  QComboBox* puSIZE = nullptr;
  QPushButton* btnBOLD = nullptr;
  QPushButton* btnITALIC = nullptr;
  QPushButton* btnUNDERLINE = nullptr;
  QPushButton* btn_Color = nullptr;
  QPushButton* btnCANCEL = nullptr;
  QPushButton* btnPLACE = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QLabel* Label1 = nullptr;
  Platform::Array<QCheckBox*> cbTRANS;

  // The area's background colour.
  void Set_BackColor(Platform::Color colour);
  Platform::Color BackColor() const { return backColor_; }
  // Gives the selected range of the area's text the colour.
  void Set_TextColor(Platform::Color colour);
  // The styled text of the area.
  Platform::StyledText& Area_Text();

  // The help tag of the text area: a carriage return breaks it in two lines.
  static QString Area_Help_Tag();

 protected:
  void closeEvent(QCloseEvent* e) override;
  void moveEvent(QMoveEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  bool event(QEvent* e) override;
  // Escape presses Cancel, the window's cancel button, also while the text area has the keyboard.
  void keyPressEvent(QKeyEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  winTEXT();
  ~winTEXT() override;
  void Make_Controls();
  // Keeps the controls at their distances to the edges they are anchored to.
  void Arrange();
  int32_t SelStart() const;
  int32_t SelLength() const;

  void inpText_SelChange();
  void inpText_Open();
  void btnPLACE_Action();
  void btnBOLD_Action();
  void btnBOLD_Open();
  void btnUNDERLINE_Action();
  void btnUNDERLINE_Open();
  void btnITALIC_Action();
  void btnITALIC_Open();
  void puFONT_Open();
  void puFONT_Change();
  void btnCANCEL_Action();
  void btn_Color_Action();
  void cbTRANS_Action(int32_t index);
  void cbTRANS_Open(int32_t index);
  void puSIZE_Change();
  void puSIZE_Open();
  void Event_Resized();
  void Event_Moved();
  void Event_Activate();
  void Event_Open();
  void Event_Close();

  // Shows the font of the selection's first character in the font popup.
  void Update_FontInfo();
  // Appends copies of the source's style runs to the destination (alignment is not copied).
  static void Clone_StyledText(const Platform::StyledText& source, Platform::StyledText& destination);
  void Close_Window();

  bool Ready = false;
  bool Busy = false;
  // The window has been placed by its open handler: moves and sizes from then on are the user's.
  bool placed_ = false;
  bool closed_ = false;
  // Handlers under way: a close during one of them (a tool change closes the window while its own
  // button's handler still runs, and status updates let pending events run) deletes the window only
  // once the handler has ended.
  int handling_ = 0;
  bool deletePending_ = false;
  friend class Handling;
  Platform::Color backColor_ = 0xFFFFFF;
  std::unique_ptr<Platform::StyledText> area_;
};
