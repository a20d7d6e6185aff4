// The application's general error handler: an error that escapes a user action ends that
// action and is shown in a message box with its text.
#pragma once

#include <exception>

#include "app/ui/MessageService.h"

namespace vdx::ui {

template <class Fn>
void RunGuarded(Fn&& Handler) {
  try {
    Handler();
  } catch (const std::exception& Error) {
    ShowMessage(TMessageKind::Error, QString::fromUtf8(Error.what()));
  }
}

}  // namespace vdx::ui
