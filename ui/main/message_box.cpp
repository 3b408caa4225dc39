#include "message_box.h"

#include <QMessageBox>

namespace vantorel {

void showMessageBox(QWidget* parent, const Message& message) {
  QMessageBox::warning(parent, message.title, message.text);
}

}  // namespace vantorel
