#pragma once
// The satellite list of the main window.
//
// The window computes once for every row the user chooses, including a click
// on the row that is already selected. QListWidget's own signals do not say
// that: currentRowChanged also fires when the list merely takes the focus or
// when the program clears the selection, and misses a click on the selected
// row; clicked misses rows chosen with the keyboard. So this list reports a
// choice itself, after the list has handled the event: a mouse button
// released over the selected row, or a key press that changed the selected
// row (arrow keys, Page Up/Down, Home/End, typing a name, Space).

#include <QListWidget>

namespace vantorel {

class SatelliteList : public QListWidget {
  Q_OBJECT

 public:
  using QListWidget::QListWidget;

  // The selected row, -1 when no row is selected.
  int selectedRow() const;

 signals:
  void rowChosen();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace vantorel
