// The message box of a message request: the style's icon and button set with Italian
// captions, its default button, the title and the text with its line breaks.
#pragma once

#include <QMessageBox>
#include <memory>

#include "platform/host/display.h"

namespace platform::qt {

std::unique_ptr<QMessageBox> makeMessageBox(const host::MessageRequest& request, QWidget* parent = nullptr);

//! The answer (host::Answer) for the button that closed a box made by makeMessageBox.
int answerOf(const QMessageBox& box);

}  // namespace platform::qt
