#pragma once
// How the main window tells the user why it refused an input.
//
// The window hands every message to a MessageHandler and carries on when the
// handler returns. The program's own handler shows a modal warning box and
// returns when the user closes it; a test, or anything else that drives the
// window without a person, puts in a handler that records the message and
// returns at once, so that nothing waits for a click:
//
//   window->setMessageHandler([&](QWidget*, const vantorel::Message& m) { seen << m.text; });

#include <QString>
#include <functional>

class QWidget;

namespace vantorel {

struct Message {
  QString title;  // the application's title
  QString text;   // one or two sentences: what was refused and what is accepted
};

// parent is the window the message is about.
using MessageHandler = std::function<void(QWidget* parent, const Message& message)>;

// A modal warning box with an OK button, over parent.
void showMessageBox(QWidget* parent, const Message& message);

}  // namespace vantorel
