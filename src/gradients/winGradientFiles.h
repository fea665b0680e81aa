#pragma once
// The gradient chooser: lists the gradient files of the settings folder, lets the user type or pick a
// name for saving (modMAIN::Dialog_Setup 1) or pick one for opening (any other value), and deletes
// gradient files on request. It starts from the name in modMAIN::Dialog_Answer and answers through
// modMAIN::Dialog_Cancel and modMAIN::Dialog_Answer. Modal, left only through OK or Cancel.
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "platform/Graphics.h"

class winGradientFiles : public QDialog {
  Q_OBJECT
 public:
  // The implicit instance: created on first use, and again on the first use after it was deleted.
  static winGradientFiles* instance();
  static winGradientFiles* existing();
  winGradientFiles();

  // ---- Controls ----
  QLabel* lbl = nullptr;
  QLineEdit* inpGname = nullptr;
  QListWidget* Listbox1 = nullptr;
  QPushButton* pbCancel = nullptr;
  QPushButton* pbDelete = nullptr;
  QPushButton* pbOK = nullptr;

  // ---- Event handlers ----
  void inpGname_TextChange();
  // The key filter of the name field: true refuses the key.
  bool inpGname_KeyDown(const QString& key);
  void Listbox1_Open();
  bool Listbox1_CellClick(int row, int column, int x, int y);
  bool Listbox1_CellBackgroundPaint(Platform::Graphics& g, int row, int column);
  void pbOK_Action();
  void pbCancel_Action();
  void pbDelete_Action();
  void Event_Open();

  // ---- Methods ----
  // Enables OK while the name field is not empty, and Delete while it holds exactly the selected row's
  // text (never for "Spectrum").
  void set_Buttons();
  // Lists the gradients of the settings folder, sorted, and selects the caller's name when it is there.
  void Reload_Listbox();

  // The index of the selected row, -1 for none.
  int ListIndex() const;
  // Whether OK or Cancel has closed the window.
  bool Closed() const { return closed_; }

  // Shown, the name field keeps its insertion point after the name rather than selecting it all.
  void setVisible(bool visible) override;

 protected:
  // Escape is the Cancel button; the window has no close box.
  void reject() override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Puts the text into the name field with the insertion point after it.
  void Set_Name(const QString& text);
  bool closed_ = false;
};
