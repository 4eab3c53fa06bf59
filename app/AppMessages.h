#pragma once

#include <functional>
#include <string>

// Plain message boxes of the program (a text, a caption, an OK button). The application
// shows them with QMessageBox; tests record them instead.
using MessageSink = std::function<void(const std::string &text, const std::string &caption)>;

void setMessageSink(MessageSink sink);
void showMessage(const std::string &text, const std::string &caption);
