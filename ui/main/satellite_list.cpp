#include "satellite_list.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace vantorel {

int SatelliteList::selectedRow() const {
  const QList<QListWidgetItem*> selected = selectedItems();
  return selected.isEmpty() ? -1 : row(selected.front());
}

void SatelliteList::mouseReleaseEvent(QMouseEvent* event) {
  QListWidget::mouseReleaseEvent(event);
  const QListWidgetItem* item = itemAt(event->position().toPoint());
  if (item != nullptr && item->isSelected()) emit rowChosen();
}

void SatelliteList::keyPressEvent(QKeyEvent* event) {
  const int before = selectedRow();
  QListWidget::keyPressEvent(event);
  const int after = selectedRow();
  if (after >= 0 && after != before) emit rowChosen();
}

}  // namespace vantorel
