// The desktop's open action for links (mail program, web browser), through one replaceable
// handler so tests can see the links without opening anything.
#pragma once

#include <QUrl>
#include <functional>

namespace vdx::ui {

// Returns whether the desktop accepted the link.
using TOpenUrlHandler = std::function<bool(const QUrl& Url)>;

bool OpenWithDesktop(const QUrl& Url);

// Replaces the desktop's open action (tests); an empty handler brings it back. Returns the
// previous handler.
TOpenUrlHandler SetOpenUrlHandler(TOpenUrlHandler Handler);

}  // namespace vdx::ui
