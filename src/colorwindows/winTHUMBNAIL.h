#pragma once
// The navigator: the whole picture scaled into a small floating window.
#include <QWidget>

#include "platform/Canvas.h"
#include "platform/WindowInstance.h"

class winTHUMBNAIL : public QWidget, public Platform::WindowInstance<winTHUMBNAIL> {
  Q_OBJECT
 public:
  winTHUMBNAIL();
  Platform::Canvas* Canvas1;

 protected:
  // Closing the window, by its close box too, clears modMAIN::active_THUMBNAIL.
  void closeEvent(QCloseEvent* event) override;

 private:
  void Canvas1_Paint(Platform::Graphics& g);
};
