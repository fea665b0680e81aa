#pragma once
// The settings dialog of the PNG export that the colour-depth change uses: the user picks the colour
// depth at which the picture is written; OK or Cancel. The choice is kept for the next time.
#include <QDialog>
#include <QImage>
#include <QStringList>

class QComboBox;
class QPushButton;

namespace Platform {

class Picture;

// The depths offered, in the order of the list.
enum class PngDepth {
  BlackAndWhite,
  Grays4,
  Grays16,
  Grays256,
  Colors16,
  Colors256,
  Thousands,
  Millions,
  MillionsPlus
};

class PngExportDialog : public QDialog {
  Q_OBJECT
 public:
  explicit PngExportDialog(QWidget* parent = nullptr);

  QComboBox* popDepth = nullptr;
  QPushButton* pbOK = nullptr;
  QPushButton* pbCancel = nullptr;

  // The depth chosen (the last one chosen before; Millions of Colors at first).
  PngDepth Depth() const;
  void SetDepth(PngDepth depth);
  // The captions of the list, in order.
  static QStringList DepthNames();
  // Puts the remembered choice back to its first value.
  static void ResetRemembered();

  void pbOK_Action();
  void pbCancel_Action();
};

// The picture as the PNG file of that depth holds it: indexed (with a palette of at most 256 entries),
// grey levels, 15-bit colour, 24-bit colour, or 32-bit colour with alpha from the mask.
QImage ReduceToDepth(const Picture& picture, PngDepth depth);

}  // namespace Platform
