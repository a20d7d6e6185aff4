// Every message box of the tool goes through one service, so tests can read and answer them.
#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

namespace vdx::ui {

enum class TMessageKind { Error, Warning, Information, Confirmation };
enum class TMessageButtons { Ok, YesNo, OkCancel };

// Shows a modal message and returns the button pressed (QMessageBox::Ok, Yes, No, Cancel).
using TMessageHandler = std::function<QMessageBox::StandardButton(
    TMessageKind Kind, const QString& Text, TMessageButtons Buttons)>;

QMessageBox::StandardButton ShowMessage(TMessageKind Kind, const QString& Text,
                                        TMessageButtons Buttons = TMessageButtons::Ok);

// Replaces the message boxes (tests); an empty handler brings them back. Returns the previous.
TMessageHandler SetMessageHandler(TMessageHandler Handler);

}  // namespace vdx::ui
