#pragma once
// A window's implicit instance: created on first use, reached through the class, forgotten when the
// window is destroyed.
#include <QPointer>

namespace Platform {

template <typename W>
class WindowInstance {
 public:
  // The window, created when there is none.
  static W* instance() {
    if (!ptr()) ptr() = new W();
    return ptr();
  }
  // The window when it exists, else nullptr; never creates it.
  static W* existing() { return ptr(); }
  // Forgets the window that is closing (it deletes itself later): the next use makes a new one.
  static void Forget() { ptr() = nullptr; }

 private:
  static QPointer<W>& ptr() {
    static QPointer<W> p;
    return p;
  }
};

}  // namespace Platform
