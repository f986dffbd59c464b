#pragma once

#include <QApplication>

namespace velquor::ui {

/// The busy pointer for as long as the scope runs, back to the previous
/// pointer on every way out, errors included.
class BusyCursor {
  public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { restore(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

    /// Gives the pointer back early, e.g. before a message box.
    void restore() {
        if (active_) {
            QApplication::restoreOverrideCursor();
            active_ = false;
        }
    }

  private:
    bool active_ = true;
};

}  // namespace velquor::ui
