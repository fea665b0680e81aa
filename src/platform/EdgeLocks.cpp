#include "platform/EdgeLocks.h"

namespace Platform {

void EdgeLocks::Lock(QWidget* control, int edges) {
  entries_.push_back({control, edges, control->parentWidget() ? control->parentWidget()->size() : QSize()});
}

void EdgeLocks::Apply() {
  for (Entry& e : entries_) {
    if (!e.control || !e.control->parentWidget()) continue;
    const QSize now = e.control->parentWidget()->size();
    const int dw = now.width() - e.parentSize.width(), dh = now.height() - e.parentSize.height();
    e.parentSize = now;
    if (dw == 0 && dh == 0) continue;
    QRect r = e.control->geometry();
    // Locked to the right only: it moves with that edge; locked to both: it stretches.
    if (e.edges & Right) {
      if (e.edges & Left) r.setWidth(r.width() + dw);
      else r.moveLeft(r.left() + dw);
    }
    if (e.edges & Bottom) {
      if (e.edges & Top) r.setHeight(r.height() + dh);
      else r.moveTop(r.top() + dh);
    }
    r.setWidth(std::max(0, r.width()));
    r.setHeight(std::max(0, r.height()));
    e.control->setGeometry(r);
  }
}

}  // namespace Platform
