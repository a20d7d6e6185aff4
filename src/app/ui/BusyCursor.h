// Shows the busy cursor for the lifetime of the guard and restores the previous cursor, also
// when an exception leaves the operation.
#pragma once

#include <QApplication>
#include <QCursor>

namespace vdx::ui {

class TBusyCursor {
 public:
  TBusyCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
  ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;
};

}  // namespace vdx::ui
