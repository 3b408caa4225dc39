#pragma once
// The planner's satellites: the job's listed satellites as a table model,
// and the filter in front of it that matches names as --satellite does and
// hides those below the horizon unless every one is asked for. The model
// holds the job's rows as they are; nothing is copied into widgets.

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <memory>
#include <vector>

#include "job.h"
#include "satellite_search.h"

namespace vantorel {

class SatelliteTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { Name, Position, Azimuth, Elevation, Skew, Clearance, Note, ColumnCount };
  // The number a column sorts by, where the shown text is not one.
  static constexpr int kSortRole = Qt::UserRole;

  using QAbstractTableModel::QAbstractTableModel;

  // The listed satellites of a new job, or of none; a job of the same list
  // keeps the rows, and so the selection. The job is the window's, shared.
  void setJob(std::shared_ptr<const Job> job);
  const std::vector<Pointing>& rows() const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::shared_ptr<const Job> m_job;
};

class SatelliteFilter : public QSortFilterProxyModel {
  Q_OBJECT

 public:
  using QSortFilterProxyModel::QSortFilterProxyModel;

  // The list the rows come from, for matching their names.
  void setList(const SatelliteCatalog& list);
  void setNameFilter(const QString& typed);
  void setShowAll(bool all);

 protected:
  bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

 private:
  std::unique_ptr<NameIndex> m_names;
  std::size_t m_entries = 0;  // in the list
  std::vector<bool> m_matches;  // by list entry, which is the source row; empty: every row
  bool m_showAll = false;
};

// The table as a picker: a row clicked, or reached with the arrow keys, is
// picked; a row made current by a new list, a sort or a filter is not. Tab
// leaves it for the next control.
class SatellitePicker : public QTableView {
  Q_OBJECT

 public:
  explicit SatellitePicker(QWidget* parent = nullptr);

 signals:
  // The user moved to the row of the view's model.
  void picked(const QModelIndex& row);

 protected:
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  bool m_byUser = false;
  bool m_pickedNow = false;  // during a click
};

}  // namespace vantorel
