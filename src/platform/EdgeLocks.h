#pragma once
// Controls locked to edges of their parent: a control keeps its distance to each edge it is locked to
// when the parent changes size, so a control locked to two opposite edges stretches. Apply() brings
// every registered control up to its parent's current size; the owner calls it when a parent may have
// been resized.
#include <QPointer>
#include <QSize>
#include <QWidget>
#include <vector>

namespace Platform {

class EdgeLocks {
 public:
  enum Edge { Left = 1, Top = 2, Right = 4, Bottom = 8 };

  // Registers the control with its locks, taking its parent's present size as the reference.
  void Lock(QWidget* control, int edges);
  // Moves and stretches the controls whose parent's size changed since the last call, parents before
  // children (the order of registration).
  void Apply();

 private:
  struct Entry {
    QPointer<QWidget> control;
    int edges = 0;
    QSize parentSize;
  };
  std::vector<Entry> entries_;
};

}  // namespace Platform
