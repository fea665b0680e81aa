#pragma once
// The page set-up that printing works with: page size, orientation and margins, and the most dots per
// inch the print may use on each axis. It saves itself as a text of key=value pairs that a fresh set-up
// reads back; a damaged text gives the defaults.
#include <QPageLayout>
#include <QString>
#include <cstdint>

class QPrinter;

class PageSetup {
 public:
  // The defaults: the locale's paper (US Letter where inches are the custom, else A4), portrait,
  // a quarter-inch margin on every side, 72 x 72 dots per inch.
  PageSetup();

  bool Landscape() const { return layout_.orientation() == QPageLayout::Landscape; }
  void SetLandscape(bool landscape);

  int32_t MaxHorizontalResolution() const { return horizontal_; }
  int32_t MaxVerticalResolution() const { return vertical_; }
  // Values below 1 dot per inch are refused.
  void SetMaxHorizontalResolution(int32_t dpi);
  void SetMaxVerticalResolution(int32_t dpi);

  // Page size, orientation and margins (in points).
  const QPageLayout& Layout() const { return layout_; }

  // "PageSize=A4;Width=595.28;Height=841.89;Orientation=Portrait;Margins=18,18,18,18;
  // HorizontalResolution=72;VerticalResolution=72" (sizes and margins in points).
  QString SetupString() const;
  // Reads a text made by SetupString. An empty or damaged text (an item without "=", a value that is no
  // number or out of range, margins that leave no room on the page) restores every default and answers
  // false.
  bool SetSetupString(const QString& text);

  // Gives the printer the page size, orientation and margins (its own margins stand where it cannot
  // print as near the edge as asked).
  void ApplyLayoutTo(QPrinter& printer) const;
  // Takes page size, orientation and margins from a printer whose page set-up the user changed.
  void TakeLayoutFrom(const QPrinter& printer);

  static QPageLayout DefaultLayout();

 private:
  QPageLayout layout_;
  int32_t horizontal_ = 72;
  int32_t vertical_ = 72;
};
