#include "satellite_table.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "angles.h"
#include "hemisphere.h"

namespace vantorel {
namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

const std::vector<Pointing>& listedOf(const std::shared_ptr<const Job>& job) {
  static const std::vector<Pointing> kNone;
  return job ? job->listed : kNone;
}

}  // namespace

const std::vector<Pointing>& SatelliteTableModel::rows() const { return listedOf(m_job); }

void SatelliteTableModel::setJob(std::shared_ptr<const Job> job) {
  const std::vector<Pointing>& before = rows();
  const std::vector<Pointing>& after = listedOf(job);
  const bool sameRows = after.size() == before.size() &&
                        std::equal(after.begin(), after.end(), before.begin(),
                                   [](const Pointing& a, const Pointing& b) { return a.name == b.name; });
  if (!sameRows) beginResetModel();
  m_job = std::move(job);
  if (sameRows) {
    if (!rows().empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
  } else {
    endResetModel();
  }
}

int SatelliteTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows().size());
}

int SatelliteTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant SatelliteTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const Pointing& p = rows()[static_cast<std::size_t>(index.row())];
  if (role == Qt::TextAlignmentRole) {
    return QVariant::fromValue(index.column() == Name || index.column() == Note ? Qt::AlignLeft | Qt::AlignVCenter
                                                                                : Qt::AlignRight | Qt::AlignVCenter);
  }
  if (role == Qt::ToolTipRole && index.column() == Name) return q(p.name);
  if (role != Qt::DisplayRole && role != kSortRole) return {};
  const bool sort = role == kSortRole;
  switch (index.column()) {
    case Name:
      return q(p.name);
    case Position:
      return sort ? QVariant(mapLongitude(static_cast<double>(p.longitudeWest))) : QVariant(q(p.position));
    case Azimuth:
      return sort ? QVariant(static_cast<double>(p.angles.AzimuthTrue)) : QVariant(q(p.angles.azimuthTrueText));
    case Elevation:
      return sort ? QVariant(p.elevation()) : QVariant(q(p.angles.elevationText));
    case Skew:
      return sort ? QVariant(static_cast<double>(p.skew.Skew)) : QVariant(q(p.skew.Text));
    case Clearance:
      if (!p.clearance) return {};
      return sort ? QVariant(p.clearance->degrees) : QVariant(q(p.clearanceText));
    case Note:
      return q(p.joinedNotes());
    default:
      return {};
  }
}

QVariant SatelliteTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  static constexpr Label kLabels[] = {Label::Satellite, Label::Position,  Label::AzimuthTrue, Label::Elevation,
                                      Label::LnbSkew,   Label::Clearance, Label::Note};
  const std::string_view text = labelText(kLabels[section]);
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

void SatelliteFilter::setList(const SatelliteCatalog& list) {
  m_names = std::make_unique<NameIndex>(list);
  m_entries = list.entries.size();
  m_matches.clear();
  invalidateFilter();
}

void SatelliteFilter::setNameFilter(const QString& typed) {
  m_matches.clear();
  if (m_names && !typed.trimmed().isEmpty()) {
    // By the list, not by the rows shown: a list newly loaded has no rows
    // until its job is built, and its filter must hold for them.
    m_matches.assign(m_entries, false);
    for (std::size_t i : m_names->matching(typed.toStdString())) {
      if (i < m_matches.size()) m_matches[i] = true;
    }
  }
  invalidateFilter();
}

void SatelliteFilter::setShowAll(bool all) {
  m_showAll = all;
  invalidateFilter();
}

bool SatelliteFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
  const auto row = static_cast<std::size_t>(sourceRow);
  if (!m_matches.empty() && (row >= m_matches.size() || !m_matches[row])) return false;
  if (m_showAll) return true;
  const QModelIndex elevation = sourceModel()->index(sourceRow, SatelliteTableModel::Elevation);
  return elevation.isValid() && sourceModel()->data(elevation, SatelliteTableModel::kSortRole).toDouble() >= 0;
}

SatellitePicker::SatellitePicker(QWidget* parent) : QTableView(parent) { setTabKeyNavigation(false); }

void SatellitePicker::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  if (m_byUser && current.isValid() && current.row() != previous.row()) {
    m_pickedNow = true;
    emit picked(current);
  }
}

void SatellitePicker::keyPressEvent(QKeyEvent* event) {
  m_byUser = true;
  QTableView::keyPressEvent(event);
  m_byUser = false;
}

void SatellitePicker::mousePressEvent(QMouseEvent* event) {
  m_byUser = true;
  m_pickedNow = false;
  QTableView::mousePressEvent(event);
  m_byUser = false;
  // A click on the row already current picks it again: the satellite box
  // may hold another since.
  const QModelIndex at = indexAt(event->position().toPoint());
  if (!m_pickedNow && at.isValid() && at.row() == currentIndex().row()) emit picked(at);
}

}  // namespace vantorel
