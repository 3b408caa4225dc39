#include "planner_window.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QCompleter>
#include <QDateEdit>
#include <QDir>
#include <QDoubleSpinBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QGridLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <fstream>

#include "calc_error.h"
#include "command_line_for.h"
#include "deccalc.h"
#include "hemisphere.h"
#include "input_ranges.h"
#include "result_printing.h"
#include "satellite_search.h"
#include "satellite_table.h"
#include "sheet_painter.h"
#include "sheet_preview.h"
#include "sheet_writer.h"
#include "time_zone.h"
#include "world_magnetic_model.h"

namespace vantorel {
namespace {

constexpr int kRecentLists = 5;
// The window as it first opens, in logical pixels: the job's form, the
// satellites and the sheet side by side.
constexpr int kFormWidth = 360;
constexpr int kSatellitesWidth = 520;
constexpr int kSheetWidth = 380;
constexpr int kWindowHeight = 760;
constexpr int kStatusMilliseconds = 5000;

QString q(const std::string& s) { return QString::fromStdString(s); }
std::string bytes(const QString& s) { return s.toStdString(); }

// A position as a satellite is typed, "28.2E" or "101W": it finds the
// satellite in any list and cannot be mistaken for a name.
QString typedPosition(double east) {
  return q(singleToText(static_cast<Single>(std::fabs(east)))) + (east < 0 ? QStringLiteral("W") : QStringLiteral("E"));
}

// What a site box's text is understood as, read as maps write it: the
// hemisphere letter, the latitude or longitude line's texts, or the refusal
// with its typing hint.
struct Understood {
  bool ok = false;
  QString text;
  QString letter;  // N, S, E or W; "" on the equator or meridian, or when refused
};

Understood understood(Field field, const QString& typed) {
  const std::string lettered = mapLettered(field, bytes(typed));
  try {
    const Single value = decodedCoordinate(field, lettered).DecimalDegrees;
    const bool latitude = field == Field::Latitude;
    const std::string dmsText = latitude ? latitudeDms(value) : longitudeDms(value);
    // The DMS text ends in its letter where one applies.
    const QString letter = dmsText.ends_with(" N") || dmsText.ends_with(" S") || dmsText.ends_with(" E") ||
                                   dmsText.ends_with(" W")
                               ? q(dmsText.substr(dmsText.size() - 1))
                               : QString();
    return {true, q(dmsText) + QStringLiteral("   ") + q(latitude ? latitudeDecimal(value) : longitudeDecimal(value)),
            letter};
  } catch (const CalcError& e) {
    return {false, q(e.what()), QString()};
  }
}

// What of a refusal goes beside its box, in the lines the box keeps for
// it: the first two sentences of its first line, which say what was wrong
// and what to type. The tooltip and the results hold the whole.
QString besideText(const QString& why) {
  const QString line = why.section(QLatin1Char('\n'), 0, 0);
  const qsizetype first = line.indexOf(QStringLiteral(". "));
  const qsizetype second = first < 0 ? -1 : line.indexOf(QStringLiteral(". "), first + 2);
  return second < 0 ? line : line.left(second + 1);
}

void showUnder(QLabel* label, bool ok, const QString& text) {
  label->setText(ok ? text : besideText(text));
  label->setToolTip(text);
  label->setProperty("refused", !ok);
  label->setStyleSheet(ok ? QString() : QStringLiteral("color: #b00020;"));
}

void showUnder(QLabel* label, const Understood& u) { showUnder(label, u.ok, u.text); }

// A label under a box for what the box was understood as, or why it was
// not: always as high as its lines, so that nothing below it moves as it
// changes.
QLabel* understoodLabel(const QString& name, int lines = 2) {
  auto* label = new QLabel;
  label->setObjectName(name);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->setFixedHeight(label->fontMetrics().lineSpacing() * lines + 2);
  return label;
}

// The hemisphere as a letter large enough to see at a glance.
QLabel* hemisphereLabel(const QString& name) {
  auto* label = new QLabel;
  label->setObjectName(name);
  QFont font = label->font();
  font.setBold(true);
  font.setPointSizeF(font.pointSizeF() * 1.8);
  label->setFont(font);
  label->setAlignment(Qt::AlignCenter);
  label->setFixedWidth(QFontMetrics(font).horizontalAdvance(QLatin1Char('W')) + 8);
  return label;
}

// What the kept site's texts mean: unlettered, North and East positive.
const QString kMapConvention = QStringLiteral("map");

// A longitude as the command line reads it, West positive unlettered, with
// its letter: "-0.1278" gives "0.1278E". A text with a letter, or that reads
// as no longitude, stays as it is.
QString westLettered(const QString& typed) {
  const QString t = typed.trimmed();
  const QString lettered = t.startsWith(QLatin1Char('-')) ? t.mid(1) + QLatin1Char('E') : t + QLatin1Char('W');
  try {
    if (withoutHemisphere(Field::Longitude, bytes(t)) != bytes(t)) return t;
    const Single was = decodedCoordinate(Field::Longitude, bytes(t)).DecimalDegrees;
    return decodedCoordinate(Field::Longitude, bytes(lettered)).DecimalDegrees == was ? lettered : t;
  } catch (const CalcError&) {
    return t;
  }
}

// A latitude and longitude as maps copy them, "51.5074, -0.1278": the two
// texts when the text is one such pair that reads as a site, else none. A
// comma parts them only with a blank after it, as maps write the pair:
// "51,5" is a decimal comma, refused with its hint.
std::optional<std::pair<QString, QString>> mapPair(const QString& text) {
  const QStringList parts = text.split(QRegularExpression(QStringLiteral(";|,\\s+")));
  if (parts.size() != 2) return std::nullopt;
  const QString latitude = parts[0].trimmed(), longitude = parts[1].trimmed();
  if (latitude.isEmpty() || longitude.isEmpty()) return std::nullopt;
  if (!understood(Field::Latitude, latitude).ok || !understood(Field::Longitude, longitude).ok) return std::nullopt;
  return std::pair{latitude, longitude};
}

// Whether a row of the list is the satellite chosen: the same entry, or the
// list's satellite at a position typed.
bool sameSlot(const Pointing& row, const Pointing& chosen) {
  if (!chosen.name.empty()) return row.name == chosen.name && row.longitudeWest == chosen.longitudeWest;
  return std::fabs(halfTurns(static_cast<double>(row.longitudeWest - chosen.longitudeWest))) <= kOneSlot + 1e-9;
}

// A refusal as the window shows it: the lines the command line prefixes
// with the program's name are indented instead.
QString shown(const std::string& why) { return q(why).replace(QStringLiteral("vantorel:   "), QStringLiteral("   ")); }

// A name safe as a file's in any file system, from the texts given.
QString fileNameOf(const QStringList& parts) {
  QStringList kept;
  for (QString part : parts) {
    part.replace(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]+")), QStringLiteral("-"));
    part = part.simplified();
    if (!part.isEmpty()) kept << part;
  }
  return kept.join(QStringLiteral(" - "));
}

}  // namespace

PlannerWindow::PlannerWindow(PlannerServices services, QSettings* settings, QWidget* parent)
    : QMainWindow(parent), m_services(std::move(services)) {
  if (!settings) {
    m_ownSettings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                QStringLiteral("vantorel"), QStringLiteral("planner"));
  }
  m_settings = settings ? settings : m_ownSettings.get();
  setObjectName(QStringLiteral("planner"));
  setWindowTitle(tr("Vantorel Planner"));
  setAcceptDrops(true);
  m_recompute.setSingleShot(true);
  m_recompute.setInterval(0);
  connect(&m_recompute, &QTimer::timeout, this, &PlannerWindow::recompute);

  createActions();
  createMenus();
  m_ui.columns = new QSplitter(Qt::Horizontal);
  m_ui.columns->setObjectName(QStringLiteral("columns"));
  m_ui.columns->setChildrenCollapsible(false);
  auto* form = new QScrollArea;
  form->setWidget(createJobForm());
  form->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  form->setMinimumWidth(form->widget()->sizeHint().width() + form->verticalScrollBar()->sizeHint().width());
  form->setWidgetResizable(true);
  m_ui.columns->addWidget(form);
  m_ui.columns->addWidget(createSatellites());
  m_ui.columns->addWidget(createSheet());
  // A wider window widens the table and the sheet alike; the form keeps
  // the width its boxes need.
  m_ui.columns->setStretchFactor(0, 0);
  m_ui.columns->setStretchFactor(1, 1);
  m_ui.columns->setStretchFactor(2, 1);
  m_ui.columns->setSizes({kFormWidth, kSatellitesWidth, kSheetWidth});
  setCentralWidget(m_ui.columns);
  resize(kFormWidth + kSatellitesWidth + kSheetWidth, kWindowHeight);
  statusBar();
  setTabOrderAndNames();
  connectInputs();
  m_dialogs = {[this] {
                 return QFileDialog::getOpenFileName(this, tr("Open a satellite list"), QString(),
                                                     tr("Satellite lists (*.txt *.csv *.xml *.json *.tle);;All files (*)"));
               },
               [this] {
                 return QFileDialog::getOpenFileName(this, tr("Open a horizon profile"), QString(),
                                                     tr("Horizon profiles (*.txt *.csv *.tsv);;All files (*)"));
               },
               [this](const QString& suggested) {
                 const QString folder = m_settings->value(QStringLiteral("sheet/folder"), QDir::homePath()).toString();
                 QString type;
                 const QString path = QFileDialog::getSaveFileName(
                     this, tr("Save the installation sheet"), QDir(folder).filePath(suggested),
                     tr("PDF (*.pdf);;SVG (*.svg);;PNG (*.png)"), &type);
                 if (path.isEmpty()) return path;
                 m_settings->setValue(QStringLiteral("sheet/folder"), QFileInfo(path).absolutePath());
                 return withSheetExtension(path, type);
               },
               [this](QPrinter& printer) {
                 QPrintDialog dialog(&printer, this);
                 return dialog.exec() == QDialog::Accepted;
               },
               [this](const QString& why) { QMessageBox::warning(this, tr("Vantorel Planner"), why); }};
  // Putting the list in effect computes the first job.
  readSettings();
}

PlannerWindow::~PlannerWindow() {
  // The boxes still speak as they go (a box losing focus says its editing
  // finished); nothing of this window may answer once it is going.
  for (QObject* child : findChildren<QObject*>()) QObject::disconnect(child, nullptr, this, nullptr);
  m_recompute.stop();
}

void PlannerWindow::setDialogs(Dialogs dialogs) { m_dialogs = std::move(dialogs); }

void PlannerWindow::createActions() {
  m_openList = new QAction(tr("&Open List…"), this);
  m_openList->setShortcut(QKeySequence::Open);
  m_openList->setToolTip(tr("Open a satellite list: a plain list, a receiver's satellites.xml, or CelesTrak's data"));
  connect(m_openList, &QAction::triggered, this, [this] {
    if (const QString path = m_dialogs.listToOpen(); !path.isEmpty()) openList(path);
  });
  m_todayList = new QAction(tr("Use the &Built-in List of %1").arg(q(std::string(todayListDate()))), this);
  m_todayList->setToolTip(tr("Today's station-kept satellites, from CelesTrak's GEO data of that date"));
  connect(m_todayList, &QAction::triggered, this, [this] { useBuiltInList(BuiltInList::Today); });
  m_ninetiesList = new QAction(tr("Use the Built-in List of the &1990s"), this);
  m_ninetiesList->setToolTip(tr("The 69 satellites of the 1990s Americas arc"));
  connect(m_ninetiesList, &QAction::triggered, this, [this] { useBuiltInList(BuiltInList::Nineties); });
  m_saveSheet = new QAction(tr("&Save Sheet As…"), this);
  m_saveSheet->setShortcut(QKeySequence::Save);
  connect(m_saveSheet, &QAction::triggered, this, [this] {
    if (const QString path = m_dialogs.sheetName(suggestedSheetName()); !path.isEmpty()) saveSheet(path);
  });
  m_print = new QAction(tr("&Print…"), this);
  m_print->setShortcut(QKeySequence::Print);
  connect(m_print, &QAction::triggered, this, [this] {
    QPrinter printer(QPrinter::HighResolution);
    if (m_dialogs.printer(printer)) printSheet(printer);
  });
  m_copyCommand = new QAction(tr("&Copy Command Line"), this);
  m_copyCommand->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
  m_copyCommand->setToolTip(tr("Put the command line that prints this job on the clipboard"));
  connect(m_copyCommand, &QAction::triggered, this, [this] { QApplication::clipboard()->setText(commandLine()); });
  m_quit = new QAction(tr("&Quit"), this);
  m_quit->setShortcut(QKeySequence::Quit);
  connect(m_quit, &QAction::triggered, this, &QWidget::close);
}

void PlannerWindow::createMenus() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  file->addAction(m_openList);
  m_recentMenu = file->addMenu(tr("Open &Recent"));
  file->addAction(m_todayList);
  file->addAction(m_ninetiesList);
  file->addSeparator();
  file->addAction(m_saveSheet);
  file->addAction(m_print);
  file->addSeparator();
  file->addAction(m_quit);
  QMenu* edit = menuBar()->addMenu(tr("&Edit"));
  edit->addAction(m_copyCommand);
  QMenu* help = menuBar()->addMenu(tr("&Help"));
  help->addAction(tr("&About Vantorel Planner"), this, [this] {
    QMessageBox::about(this, tr("About Vantorel Planner"),
                       tr("%1 %2: where to point a satellite dish, and the sheet to take onto the roof.")
                           .arg(QApplication::applicationName(), QApplication::applicationVersion()));
  });
}

QWidget* PlannerWindow::createJobForm() {
  auto* page = new QWidget;
  auto* column = new QVBoxLayout(page);
  column->addWidget(createSite());
  column->addWidget(createDeclination());
  column->addWidget(createDish());
  column->addWidget(createMultifeed());
  column->addWidget(createObstacles());
  column->addWidget(createSheetTexts());
  column->addStretch();
  return page;
}

// The site: its latitude and longitude, each with its hemisphere beside it
// and what it was read as under it.
QGroupBox* PlannerWindow::createSite() {
  auto* site = new QGroupBox(tr("Site"));
  auto* siteForm = new QFormLayout(site);
  m_ui.latitude = new QLineEdit;
  m_ui.latitude->setPlaceholderText(tr("51.5074, 51°30'26\" N or N51.5074"));
  m_ui.latitudeLetter = hemisphereLabel(QStringLiteral("latitudeLetter"));
  m_ui.latitudeUnderstood = understoodLabel(QStringLiteral("latitudeUnderstood"), 3);
  m_ui.longitude = new QLineEdit;
  m_ui.longitude->setPlaceholderText(tr("-0.1278, 0°07'40\" W or W0.1278"));
  m_ui.longitudeLetter = hemisphereLabel(QStringLiteral("longitudeLetter"));
  m_ui.longitudeUnderstood = understoodLabel(QStringLiteral("longitudeUnderstood"), 3);
  const auto withLetter = [](QLineEdit* box, QLabel* letter) {
    auto* row = new QHBoxLayout;
    row->addWidget(box, 1);
    row->addWidget(letter);
    return row;
  };
  auto* convention = new QLabel(tr("Without a letter, as maps write them: North and East positive, "
                                   "a minus sign South or West."));
  convention->setObjectName(QStringLiteral("siteConvention"));
  convention->setWordWrap(true);
  siteForm->addRow(convention);
  const auto labelFor = [](const QString& text, QWidget* box) {
    auto* label = new QLabel(text);
    label->setBuddy(box);
    return label;
  };
  siteForm->addRow(labelFor(tr("&Latitude"), m_ui.latitude), withLetter(m_ui.latitude, m_ui.latitudeLetter));
  siteForm->addRow(QString(), m_ui.latitudeUnderstood);
  siteForm->addRow(labelFor(tr("L&ongitude"), m_ui.longitude), withLetter(m_ui.longitude, m_ui.longitudeLetter));
  siteForm->addRow(QString(), m_ui.longitudeUnderstood);
  return site;
}

// The declination: the magnetic model's on the job's date, or typed.
QGroupBox* PlannerWindow::createDeclination() {
  auto* declination = new QGroupBox(tr("Declination"));
  auto* declinationForm = new QGridLayout(declination);
  m_ui.modelDeclination = new QRadioButton(tr("&World Magnetic Model on"));
  m_ui.date = new QDateEdit(QDate::currentDate());
  m_ui.date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
  m_ui.date->setCalendarPopup(true);
  m_ui.typedDeclination = new QRadioButton(tr("&Typed"));
  m_ui.declination = new QLineEdit(q(kOpeningInputs.declination));
  m_ui.declinationSource = understoodLabel(QStringLiteral("declinationSource"), 3);
  auto* group = new QButtonGroup(declination);
  group->addButton(m_ui.modelDeclination);
  group->addButton(m_ui.typedDeclination);
  m_ui.modelDeclination->setChecked(true);
  declinationForm->addWidget(m_ui.modelDeclination, 0, 0);
  declinationForm->addWidget(m_ui.date, 0, 1);
  declinationForm->addWidget(m_ui.typedDeclination, 1, 0);
  declinationForm->addWidget(m_ui.declination, 1, 1);
  declinationForm->addWidget(m_ui.declinationSource, 2, 0, 1, 2);
  return declination;
}

// The dish: its mount, its size and frequency for the sun outage, the zone
// for local times.
QGroupBox* PlannerWindow::createDish() {
  auto* dish = new QGroupBox(tr("Dish"));
  auto* dishForm = new QFormLayout(dish);
  m_ui.offsetAngle = new QDoubleSpinBox;
  m_ui.offsetAngle->setRange(kOffsetAngleDegrees.low, kOffsetAngleDegrees.high);
  m_ui.offsetAngle->setDecimals(1);
  m_ui.offsetAngle->setSuffix(QStringLiteral("°"));
  m_ui.offsetAngle->setSpecialValueText(tr("0° (prime focus)"));
  m_ui.polarMount = new QCheckBox(tr("&Polar (motorised) mount"));
  m_ui.dishSize = new QSpinBox;
  m_ui.dishSize->setRange(static_cast<int>(kDishCentimetres.low), static_cast<int>(kDishCentimetres.high));
  m_ui.dishSize->setSuffix(tr(" cm"));
  m_ui.dishSize->setValue(static_cast<int>(outage::kDefaultDishCentimetres));
  m_ui.frequency = new QDoubleSpinBox;
  m_ui.frequency->setRange(kFrequencyGigahertz.low, kFrequencyGigahertz.high);
  m_ui.frequency->setDecimals(1);
  m_ui.frequency->setSuffix(tr(" GHz"));
  m_ui.frequency->setValue(outage::kDefaultFrequencyGigahertz);
  m_ui.timeZone = new QLineEdit;
  m_ui.timeZone->setPlaceholderText(tr("UTC only, or a zone such as Europe/London"));
  QStringList zones;
  for (const std::string& name : zoneNames()) zones << q(name);
  auto* completer = new QCompleter(zones, m_ui.timeZone);
  completer->setCaseSensitivity(Qt::CaseInsensitive);
  completer->setFilterMode(Qt::MatchContains);
  m_ui.timeZone->setCompleter(completer);
  m_ui.timeZoneUnderstood = understoodLabel(QStringLiteral("timeZoneUnderstood"));
  dishForm->addRow(tr("O&ffset angle"), m_ui.offsetAngle);
  dishForm->addRow(QString(), m_ui.polarMount);
  dishForm->addRow(tr("Dish si&ze"), m_ui.dishSize);
  dishForm->addRow(tr("&Frequency"), m_ui.frequency);
  dishForm->addRow(tr("Time &zone"), m_ui.timeZone);
  dishForm->addRow(QString(), m_ui.timeZoneUnderstood);
  return dish;
}

// The extra LNBs of a multifeed dish and the focal length that places them.
QGroupBox* PlannerWindow::createMultifeed() {
  auto* multifeed = new QGroupBox(tr("Multifeed"));
  auto* multifeedForm = new QGridLayout(multifeed);
  m_ui.multifeedSatellite = new QLineEdit;
  m_ui.multifeedSatellite->setPlaceholderText(tr("Extra LNB: 13E, or a name"));
  m_ui.addMultifeed = new QPushButton(tr("Add LN&B"));
  m_ui.multifeeds = new QListWidget;
  m_ui.multifeeds->setMaximumHeight(m_ui.multifeeds->fontMetrics().height() * 4 + 8);
  m_ui.removeMultifeed = new QPushButton(tr("Re&move LNB"));
  m_ui.focalLength = new QSpinBox;
  // The lowest value, one under the shortest focal length taken, stands for
  // none typed.
  m_ui.focalLength->setRange(static_cast<int>(kFocalMillimetres.low) - 1, static_cast<int>(kFocalMillimetres.high));
  m_ui.focalLength->setSuffix(tr(" mm"));
  m_ui.focalLength->setSpecialValueText(tr("0.6 of the dish size"));
  multifeedForm->addWidget(m_ui.multifeedSatellite, 0, 0);
  multifeedForm->addWidget(m_ui.addMultifeed, 0, 1);
  multifeedForm->addWidget(m_ui.multifeeds, 1, 0);
  multifeedForm->addWidget(m_ui.removeMultifeed, 1, 1, Qt::AlignTop);
  auto* focalLabel = new QLabel(tr("Focal len&gth"));
  focalLabel->setBuddy(m_ui.focalLength);
  auto* focalRow = new QHBoxLayout;
  focalRow->addWidget(focalLabel);
  focalRow->addWidget(m_ui.focalLength, 1);
  multifeedForm->addLayout(focalRow, 2, 0, 1, 2);
  m_ui.multifeedMessage = understoodLabel(QStringLiteral("multifeedMessage"));
  multifeedForm->addWidget(m_ui.multifeedMessage, 3, 0, 1, 2);
  return multifeed;
}

// Who the job is for, where, and notes, for the sheet.
QGroupBox* PlannerWindow::createSheetTexts() {
  auto* customer = new QGroupBox(tr("For the sheet"));
  auto* customerForm = new QFormLayout(customer);
  m_ui.customer = new QLineEdit;
  m_ui.address = new QLineEdit;
  m_ui.notes = new QLineEdit;
  for (QLineEdit* box : {m_ui.customer, m_ui.address, m_ui.notes}) box->setMaxLength(static_cast<int>(kLongestJobText));
  customerForm->addRow(tr("C&ustomer"), m_ui.customer);
  customerForm->addRow(tr("A&ddress"), m_ui.address);
  customerForm->addRow(tr("&Notes"), m_ui.notes);
  m_ui.notesRoom = understoodLabel(QStringLiteral("notesRoom"), 1);
  customerForm->addRow(QString(), m_ui.notesRoom);
  m_ui.sheetTextMessage = understoodLabel(QStringLiteral("sheetTextMessage"));
  customerForm->addRow(m_ui.sheetTextMessage);
  return customer;
}

// What stands between the dish and the sky: a row an obstacle, its true
// azimuths (M for a compass's) and its top, an elevation or a height and a
// distance; and a horizon profile from a file.
QWidget* PlannerWindow::createObstacles() {
  auto* group = new QGroupBox(tr("Obstacles"));
  auto* grid = new QGridLayout(group);
  m_ui.obstacles = new QTableWidget(0, 2);
  m_ui.obstacles->setHorizontalHeaderLabels({tr("Azimuths"), tr("Top")});
  m_ui.obstacles->horizontalHeader()->setStretchLastSection(true);
  m_ui.obstacles->verticalHeader()->hide();
  m_ui.obstacles->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_ui.obstacles->setTabKeyNavigation(false);
  m_ui.obstacles->setMaximumHeight(m_ui.obstacles->fontMetrics().height() * 6 + 8);
  m_ui.addObstacle = new QPushButton(tr("Add Obs&tacle"));
  m_ui.removeObstacle = new QPushButton(tr("Remove Obstac&le"));
  m_ui.horizon = new QPushButton(tr("Hori&zon Profile…"));
  m_ui.clearHorizon = new QPushButton(tr("No Horizon Profile"));
  m_ui.obstaclesMessage = understoodLabel(QStringLiteral("obstaclesMessage"));
  auto* hint = new QLabel(tr("Azimuths true, clockwise: 350-10 spans north; M for a compass's (140M-150M). "
                             "Top: its elevation (20) or height and distance (6m@15m)."));
  hint->setWordWrap(true);
  grid->addWidget(hint, 0, 0, 1, 2);
  grid->addWidget(m_ui.obstacles, 1, 0, 2, 1);
  grid->addWidget(m_ui.addObstacle, 1, 1, Qt::AlignTop);
  grid->addWidget(m_ui.removeObstacle, 2, 1, Qt::AlignTop);
  grid->addWidget(m_ui.horizon, 3, 0);
  grid->addWidget(m_ui.clearHorizon, 3, 1);
  grid->addWidget(m_ui.obstaclesMessage, 4, 0, 1, 2);
  return group;
}

bool PlannerWindow::openHorizon(const QString& path) {
  if (path.isEmpty()) {
    m_horizon.reset();
    m_horizonPath.clear();
    m_recompute.start();
    return true;
  }
  std::ifstream in(QFile::encodeName(path).toStdString(), std::ios::binary);
  try {
    if (!in) throw Refusal(Refusal::Input::Horizon, bytes(path) + ": the horizon profile cannot be opened");
    m_horizon = readHorizonProfile(in, bytes(QFileInfo(path).fileName()));
  } catch (const std::exception& e) {
    showUnder(m_ui.obstaclesMessage, false, q(e.what()));
    return false;
  }
  m_horizonPath = path;
  m_recompute.start();
  return true;
}

QWidget* PlannerWindow::createSatellites() {
  auto* page = new QWidget;
  auto* column = new QVBoxLayout(page);
  m_ui.listName = understoodLabel(QStringLiteral("listName"));
  m_ui.listStatus = understoodLabel(QStringLiteral("listStatus"), 3);
  m_ui.listStatus->setStyleSheet(QStringLiteral("color: #b00020;"));
  m_ui.listStatus->hide();
  m_ui.satellite = new QLineEdit;
  m_ui.satellite->setPlaceholderText(tr("28.2E, 101W or a name in the list; or pick a row below"));
  m_ui.satelliteUnderstood = understoodLabel(QStringLiteral("satelliteUnderstood"));
  auto* satelliteLabel = new QLabel(tr("&Satellite"));
  satelliteLabel->setBuddy(m_ui.satellite);
  auto* satelliteRow = new QHBoxLayout;
  satelliteRow->addWidget(satelliteLabel);
  satelliteRow->addWidget(m_ui.satellite, 1);
  auto* filterRow = new QHBoxLayout;
  m_ui.filter = new QLineEdit;
  m_ui.filter->setPlaceholderText(tr("Filter by name, as --satellite matches"));
  m_ui.filter->setClearButtonEnabled(true);
  // The clear button Qt adds has no name a screen reader could say.
  for (QToolButton* clear : m_ui.filter->findChildren<QToolButton*>()) {
    clear->setAccessibleName(tr("Clear the filter"));
    clear->setToolTip(tr("Clear the filter"));
  }
  m_ui.showAll = new QCheckBox(tr("Show &all"));
  filterRow->addWidget(m_ui.filter, 1);
  filterRow->addWidget(m_ui.showAll);
  m_model = new SatelliteTableModel(this);
  m_filter = new SatelliteFilter(this);
  m_filter->setSourceModel(m_model);
  m_filter->setSortRole(SatelliteTableModel::kSortRole);
  auto* picker = new SatellitePicker;
  connect(picker, &SatellitePicker::picked, this, &PlannerWindow::pickRow);
  m_ui.table = picker;
  m_ui.table->setModel(m_filter);
  m_ui.table->setSortingEnabled(true);
  m_ui.table->sortByColumn(-1, Qt::AscendingOrder);
  m_ui.table->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_ui.table->setSelectionMode(QAbstractItemView::SingleSelection);
  m_ui.table->verticalHeader()->hide();
  m_ui.table->verticalHeader()->setDefaultSectionSize(m_ui.table->fontMetrics().height() + 6);
  m_ui.table->horizontalHeader()->setStretchLastSection(true);
  m_ui.table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  // Names of co-located satellites run long: the name column keeps a width
  // that leaves the figures in view, its whole text in the tooltip.
  m_ui.table->horizontalHeader()->setSectionResizeMode(SatelliteTableModel::Name, QHeaderView::Interactive);
  m_ui.table->horizontalHeader()->resizeSection(SatelliteTableModel::Name,
                                                m_ui.table->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 14);
  m_ui.table->setTextElideMode(Qt::ElideRight);
  m_ui.results = new QPlainTextEdit;
  m_ui.results->setReadOnly(true);
  m_ui.results->setLineWrapMode(QPlainTextEdit::NoWrap);
  m_ui.results->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  m_ui.tableAndResults = new QSplitter(Qt::Vertical);
  m_ui.tableAndResults->setObjectName(QStringLiteral("tableAndResults"));
  m_ui.tableAndResults->setChildrenCollapsible(false);
  m_ui.tableAndResults->addWidget(m_ui.table);
  m_ui.tableAndResults->addWidget(m_ui.results);
  column->addLayout(satelliteRow);
  column->addWidget(m_ui.satelliteUnderstood);
  column->addWidget(m_ui.listName);
  column->addWidget(m_ui.listStatus);
  column->addLayout(filterRow);
  column->addWidget(m_ui.tableAndResults, 1);
  // Room for the table's first columns and the results' lines at the
  // window's smallest.
  constexpr int kLeastColumns = 56, kLeastRows = 6, kLeastLines = 8;
  page->setMinimumWidth(m_ui.results->fontMetrics().horizontalAdvance(QLatin1Char('0')) * kLeastColumns);
  m_ui.table->setMinimumHeight(m_ui.table->horizontalHeader()->sizeHint().height() +
                               m_ui.table->verticalHeader()->defaultSectionSize() * kLeastRows);
  m_ui.results->setMinimumHeight(m_ui.results->fontMetrics().lineSpacing() * kLeastLines);
  return page;
}

QWidget* PlannerWindow::createSheet() {
  auto* page = new QWidget;
  auto* column = new QVBoxLayout(page);
  auto* row = new QHBoxLayout;
  m_ui.paper = new QComboBox;
  m_ui.paper->addItem(tr("A4"), static_cast<int>(Paper::A4));
  m_ui.paper->addItem(tr("US Letter"), static_cast<int>(Paper::Letter));
  auto* paperLabel = new QLabel(tr("Pap&er"));
  paperLabel->setBuddy(m_ui.paper);
  auto* save = new QPushButton(tr("Save As…"));
  save->setObjectName(QStringLiteral("saveSheet"));
  connect(save, &QPushButton::clicked, m_saveSheet, &QAction::trigger);
  auto* print = new QPushButton(tr("Print…"));
  print->setObjectName(QStringLiteral("printSheet"));
  connect(print, &QPushButton::clicked, m_print, &QAction::trigger);
  row->addWidget(paperLabel);
  row->addWidget(m_ui.paper);
  row->addStretch();
  row->addWidget(save);
  row->addWidget(print);
  m_ui.preview = new SheetPreview;
  column->addLayout(row);
  column->addWidget(m_ui.preview, 1);
  return page;
}

void PlannerWindow::setTabOrderAndNames() {
  struct Named {
    QWidget* widget;
    const char* name;
    const char* accessible;
    const char* tip;
  };
  const Named controls[] = {
      {m_ui.latitude, "latitude", QT_TR_NOOP("Latitude"),
       QT_TR_NOOP("Decimal degrees as maps give them, North positive (51.5074, -33.87), with N or S (33.87S, "
       "51°30.44'N), or packed DDMMSS digits (420100)")},
      {m_ui.longitude, "longitude", QT_TR_NOOP("Longitude"),
       QT_TR_NOOP("Decimal degrees as maps give them, East positive (-0.1278, 151.2093), with E or W (0.1278W, "
       "W0°07.67'), or packed DDDMMSS digits (0910100 is East here)")},
      {m_ui.modelDeclination, "modelDeclination", QT_TR_NOOP("Declination from the World Magnetic Model"),
       QT_TR_NOOP("The declination at the site on the date, from the World Magnetic Model 2025")},
      {m_ui.date, "date", QT_TR_NOOP("Date"),
       QT_TR_NOOP("The job's date: the magnetic model's, the orbital elements' age and the sun outage's year")},
      {m_ui.typedDeclination, "typedDeclination", QT_TR_NOOP("Declination typed"),
       QT_TR_NOOP("Type the declination instead")},
      {m_ui.declination, "declination", QT_TR_NOOP("Declination"),
       QT_TR_NOOP("Degrees, East positive, West negative (-8 for 8 degrees West)")},
      {m_ui.offsetAngle, "offsetAngle", QT_TR_NOOP("Offset angle"),
       QT_TR_NOOP("The dish maker's offset angle, 0 for a prime-focus dish")},
      {m_ui.polarMount, "polarMount", QT_TR_NOOP("Polar mount"),
       QT_TR_NOOP("Add the polar mount's settings and the motor angle")},
      {m_ui.dishSize, "dishSize", QT_TR_NOOP("Dish size"),
       QT_TR_NOOP("The dish's diameter, for the sun outage's beamwidth")},
      {m_ui.frequency, "frequency", QT_TR_NOOP("Frequency"),
       QT_TR_NOOP("The frequency received, for the sun outage's beamwidth (C band is about 4)")},
      {m_ui.timeZone, "timeZone", QT_TR_NOOP("Time zone"),
       QT_TR_NOOP("An IANA time zone for local sun outage times; empty for UTC alone")},
      {m_ui.multifeedSatellite, "multifeedSatellite", QT_TR_NOOP("Extra LNB satellite"),
       QT_TR_NOOP("A satellite for an extra LNB on this dish: a position such as 13E, or a name in the list")},
      {m_ui.addMultifeed, "addMultifeed", QT_TR_NOOP("Add LNB"),
       QT_TR_NOOP("Add an LNB for the satellite typed beside it")},
      {m_ui.multifeeds, "multifeeds", QT_TR_NOOP("Extra LNBs"),
       QT_TR_NOOP("The extra LNBs on this dish, beside the main one")},
      {m_ui.removeMultifeed, "removeMultifeed", QT_TR_NOOP("Remove LNB"), QT_TR_NOOP("Remove the extra LNB selected")},
      {m_ui.focalLength, "focalLength", QT_TR_NOOP("Focal length"),
       QT_TR_NOOP("The dish's focal length as its maker states it, for the extra LNBs' places; its lowest setting "
                  "assumes 0.6 of its size")},
      {m_ui.obstacles, "obstacles", QT_TR_NOOP("Obstacles"),
       QT_TR_NOOP("What stands in the sky from the dish: a row an obstacle, its true azimuths and its top")},
      {m_ui.addObstacle, "addObstacle", QT_TR_NOOP("Add obstacle"),
       QT_TR_NOOP("Add a row for an obstacle, and type its azimuths and top")},
      {m_ui.removeObstacle, "removeObstacle", QT_TR_NOOP("Remove obstacle"),
       QT_TR_NOOP("Remove the obstacle selected")},
      {m_ui.horizon, "horizon", QT_TR_NOOP("Horizon profile"),
       QT_TR_NOOP("Open a horizon profile: a true azimuth and an elevation a line, as a phone app or a survey "
                  "gives them")},
      {m_ui.clearHorizon, "clearHorizon", QT_TR_NOOP("No horizon profile"),
       QT_TR_NOOP("Leave the horizon profile out")},
      {m_ui.customer, "customer", QT_TR_NOOP("Customer"), QT_TR_NOOP("Who the job is for, for the sheet")},
      {m_ui.address, "address", QT_TR_NOOP("Address"), QT_TR_NOOP("The site's address, for the sheet")},
      {m_ui.notes, "notes", QT_TR_NOOP("Notes"), QT_TR_NOOP("Notes on the job, for the sheet")},
      {m_ui.satellite, "satellite", QT_TR_NOOP("Satellite"),
       QT_TR_NOOP("The job's satellite: a position such as 28.2E or 101W, or a name in the list; a row picked "
                  "fills it")},
      {m_ui.filter, "filter", QT_TR_NOOP("Filter satellites"),
       QT_TR_NOOP("Names as --satellite matches them: case, accents and band words aside")},
      {m_ui.showAll, "showAll", QT_TR_NOOP("Show all satellites"),
       QT_TR_NOOP("Show the satellites below the horizon too")},
      {m_ui.table, "satellites", QT_TR_NOOP("Satellites"),
       QT_TR_NOOP("The list's satellites from this site; a row clicked, or reached with the arrow keys, becomes "
                  "the job's")},
      {m_ui.results, "results", QT_TR_NOOP("Results"),
       QT_TR_NOOP("The figures as the command line prints them, with warnings and sun outages")},
      {m_ui.paper, "paper", QT_TR_NOOP("Paper"), QT_TR_NOOP("The sheet's paper")},
      {m_ui.preview, "preview", QT_TR_NOOP("Sheet preview"), QT_TR_NOOP("The installation sheet as it prints")},
  };
  QWidget* previous = nullptr;
  for (const Named& c : controls) {
    c.widget->setObjectName(QString::fromLatin1(c.name));
    c.widget->setAccessibleName(tr(c.accessible));
    c.widget->setToolTip(tr(c.tip));
    if (previous && c.widget->focusPolicy() != Qt::NoFocus) setTabOrder(previous, c.widget);
    if (c.widget->focusPolicy() != Qt::NoFocus) previous = c.widget;
  }
  for (QWidget* button : {findChild<QWidget*>(QStringLiteral("saveSheet")), findChild<QWidget*>(QStringLiteral("printSheet"))}) {
    setTabOrder(previous, button);
    previous = button;
  }
  findChild<QWidget*>(QStringLiteral("saveSheet"))->setToolTip(tr("Write the sheet as PDF, SVG or PNG (Ctrl+S)"));
  findChild<QWidget*>(QStringLiteral("printSheet"))->setToolTip(tr("Print the sheet at true size (Ctrl+P)"));
  m_ui.preview->setFocusPolicy(Qt::NoFocus);
  m_ui.latitudeLetter->setAccessibleName(tr("Latitude's hemisphere"));
  m_ui.longitudeLetter->setAccessibleName(tr("Longitude's hemisphere"));
}

void PlannerWindow::connectInputs() {
  const auto later = [this] { m_recompute.start(); };
  for (QLineEdit* box : {m_ui.latitude, m_ui.longitude, m_ui.declination, m_ui.timeZone, m_ui.satellite}) {
    connect(box, &QLineEdit::textChanged, this, later);
  }
  // The sheet's texts change no figure: the job keeps its numbers.
  for (QLineEdit* box : {m_ui.customer, m_ui.address, m_ui.notes}) {
    connect(box, &QLineEdit::textChanged, this, &PlannerWindow::sheetTextsChanged);
  }
  // A latitude and longitude pasted together fill both boxes; typed, they
  // are split when the box is left.
  for (QLineEdit* box : {m_ui.latitude, m_ui.longitude}) {
    connect(box, &QLineEdit::textEdited, this, [this, box] { splitPastedPair(box, false); });
    connect(box, &QLineEdit::editingFinished, this, [this, box] { splitPastedPair(box, true); });
    box->setProperty("length", 0);
  }
  // What the user types in the satellite box is the job's satellite, even
  // where a list just loaded lacked the one before.
  connect(m_ui.satellite, &QLineEdit::textEdited, this, [this] { m_keptPosition.reset(); });
  const auto room = [this] {
    m_ui.notesRoom->setText(tr("%n characters left", "", m_ui.notes->maxLength() - static_cast<int>(m_ui.notes->text().size())));
  };
  connect(m_ui.notes, &QLineEdit::textChanged, this, room);
  room();
  for (QAbstractButton* button : std::initializer_list<QAbstractButton*>{m_ui.modelDeclination, m_ui.typedDeclination,
                                                                        m_ui.polarMount}) {
    connect(button, &QAbstractButton::toggled, this, later);
  }
  connect(m_ui.typedDeclination, &QRadioButton::toggled, m_ui.declination, &QWidget::setEnabled);
  connect(m_ui.date, &QDateEdit::dateChanged, this, later);
  connect(m_ui.offsetAngle, &QDoubleSpinBox::valueChanged, this, later);
  connect(m_ui.dishSize, &QSpinBox::valueChanged, this, later);
  connect(m_ui.frequency, &QDoubleSpinBox::valueChanged, this, later);
  connect(m_ui.paper, &QComboBox::currentIndexChanged, this, later);
  connect(m_ui.focalLength, &QSpinBox::valueChanged, this, later);
  connect(m_ui.addMultifeed, &QPushButton::clicked, this, [this] { addMultifeed(m_ui.multifeedSatellite->text()); });
  connect(m_ui.multifeedSatellite, &QLineEdit::returnPressed, this,
          [this] { addMultifeed(m_ui.multifeedSatellite->text()); });
  connect(m_ui.removeMultifeed, &QPushButton::clicked, this, [this, later] {
    delete m_ui.multifeeds->currentItem();
    later();
  });
  connect(m_ui.addObstacle, &QPushButton::clicked, this, [this] {
    const int row = m_ui.obstacles->rowCount();
    m_ui.obstacles->insertRow(row);
    for (int column = 0; column < 2; ++column) m_ui.obstacles->setItem(row, column, new QTableWidgetItem);
    m_ui.obstacles->setCurrentCell(row, 0);
    m_ui.obstacles->setFocus();
    m_ui.obstacles->editItem(m_ui.obstacles->item(row, 0));
  });
  connect(m_ui.removeObstacle, &QPushButton::clicked, this, [this, later] {
    if (m_ui.obstacles->currentRow() >= 0) m_ui.obstacles->removeRow(m_ui.obstacles->currentRow());
    later();
  });
  connect(m_ui.obstacles, &QTableWidget::itemChanged, this, later);
  connect(m_ui.horizon, &QPushButton::clicked, this, [this] {
    if (const QString path = m_dialogs.horizonToOpen(); !path.isEmpty()) openHorizon(path);
  });
  connect(m_ui.clearHorizon, &QPushButton::clicked, this, [this] { openHorizon(QString()); });
  // A row of the table becomes an extra LNB from its menu; the row chosen
  // for the main satellite stays chosen.
  m_ui.table->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(m_ui.table, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    const QModelIndex row = m_ui.table->indexAt(at);
    if (!row.isValid()) return;
    QMenu menu;
    menu.addAction(tr("Add as an Extra &LNB"), this, [this, row] { addMultifeedRow(row.row()); });
    menu.exec(m_ui.table->viewport()->mapToGlobal(at));
  });
  connect(m_ui.filter, &QLineEdit::textChanged, m_filter, &SatelliteFilter::setNameFilter);
  connect(m_ui.showAll, &QCheckBox::toggled, m_filter, &SatelliteFilter::setShowAll);
}

void PlannerWindow::readSettings() {
  QSettings& s = *m_settings;
  // The window's opening site, its longitude lettered: the planner reads an
  // unlettered longitude East positive.
  m_ui.latitude->setText(s.value(QStringLiteral("site/latitude"), q(kOpeningInputs.latitude)).toString());
  m_ui.longitude->setText(s.value(QStringLiteral("site/longitude"), q(kOpeningInputs.longitude) + QLatin1Char('W')).toString());
  if (s.contains(QStringLiteral("site/longitude")) && s.value(QStringLiteral("site/convention")).toString() != kMapConvention) {
    // Kept by a planner that read an unlettered longitude West positive:
    // lettered as it was meant, so that the site does not move.
    m_ui.longitude->setText(westLettered(m_ui.longitude->text()));
  }
  const bool typed = s.value(QStringLiteral("declination/typed"), false).toBool();
  (typed ? m_ui.typedDeclination : m_ui.modelDeclination)->setChecked(true);
  m_ui.declination->setEnabled(typed);
  m_ui.declination->setText(s.value(QStringLiteral("declination/text"), q(kOpeningInputs.declination)).toString());
  m_ui.offsetAngle->setValue(s.value(QStringLiteral("dish/offsetAngle"), 0.0).toDouble());
  m_ui.polarMount->setChecked(s.value(QStringLiteral("dish/polarMount"), false).toBool());
  m_ui.dishSize->setValue(s.value(QStringLiteral("dish/size"), outage::kDefaultDishCentimetres).toInt());
  m_ui.frequency->setValue(s.value(QStringLiteral("dish/frequency"), outage::kDefaultFrequencyGigahertz).toDouble());
  m_ui.timeZone->setText(s.value(QStringLiteral("dish/timeZone")).toString());
  m_ui.paper->setCurrentIndex(s.value(QStringLiteral("sheet/paper"), 0).toInt());
  m_ui.satellite->setText(s.value(QStringLiteral("satellite/text")).toString());
  m_lastPosition = s.value(QStringLiteral("satellite/position")).toString();
  for (const QString& obstacle : s.value(QStringLiteral("obstacles/rows")).toStringList()) {
    const int row = m_ui.obstacles->rowCount();
    m_ui.obstacles->insertRow(row);
    m_ui.obstacles->setItem(row, 0, new QTableWidgetItem(obstacle.section(QLatin1Char(':'), 0, 0)));
    m_ui.obstacles->setItem(row, 1, new QTableWidgetItem(obstacle.section(QLatin1Char(':'), 1)));
  }
  if (const QString horizon = s.value(QStringLiteral("obstacles/horizon")).toString(); !horizon.isEmpty()) {
    openHorizon(horizon);
  }
  restoreGeometry(s.value(QStringLiteral("window/geometry")).toByteArray());
  m_ui.columns->restoreState(s.value(QStringLiteral("window/columns")).toByteArray());
  m_ui.tableAndResults->restoreState(s.value(QStringLiteral("window/tableAndResults")).toByteArray());
  fillRecentMenu();
  // The last list reopens; one that no longer reads leaves the built-in list
  // and says why.
  const QString list = s.value(QStringLiteral("list/path")).toString();
  useBuiltInList(builtInListNamed(bytes(s.value(QStringLiteral("list/builtIn")).toString())).value_or(BuiltInList::Today));
  if (!list.isEmpty()) openList(list);
}

void PlannerWindow::writeSettings() {
  QSettings& s = *m_settings;
  s.setValue(QStringLiteral("site/latitude"), m_ui.latitude->text());
  s.setValue(QStringLiteral("site/longitude"), m_ui.longitude->text());
  s.setValue(QStringLiteral("site/convention"), kMapConvention);
  s.setValue(QStringLiteral("declination/typed"), m_ui.typedDeclination->isChecked());
  s.setValue(QStringLiteral("declination/text"), m_ui.declination->text());
  s.setValue(QStringLiteral("dish/offsetAngle"), m_ui.offsetAngle->value());
  s.setValue(QStringLiteral("dish/polarMount"), m_ui.polarMount->isChecked());
  s.setValue(QStringLiteral("dish/size"), m_ui.dishSize->value());
  s.setValue(QStringLiteral("dish/frequency"), m_ui.frequency->value());
  s.setValue(QStringLiteral("dish/timeZone"), m_ui.timeZone->text());
  s.setValue(QStringLiteral("sheet/paper"), m_ui.paper->currentIndex());
  s.setValue(QStringLiteral("list/path"), m_listPath);
  s.setValue(QStringLiteral("satellite/text"), m_ui.satellite->text());
  s.setValue(QStringLiteral("satellite/position"), m_lastPosition);
  QStringList obstacles;
  for (int row = 0; row < m_ui.obstacles->rowCount(); ++row) {
    if (const QString typed = obstacleText(row); !typed.isEmpty()) obstacles << typed;
  }
  s.setValue(QStringLiteral("obstacles/rows"), obstacles);
  s.setValue(QStringLiteral("obstacles/horizon"), m_horizonPath);
  s.setValue(QStringLiteral("window/geometry"), saveGeometry());
  s.setValue(QStringLiteral("window/columns"), m_ui.columns->saveState());
  s.setValue(QStringLiteral("window/tableAndResults"), m_ui.tableAndResults->saveState());
  s.sync();
}

void PlannerWindow::closeEvent(QCloseEvent* event) {
  writeSettings();
  event->accept();
}

void PlannerWindow::dragEnterEvent(QDragEnterEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.size() == 1 && urls.front().isLocalFile()) event->acceptProposedAction();
}

void PlannerWindow::dropEvent(QDropEvent* event) {
  openList(event->mimeData()->urls().front().toLocalFile());
  event->acceptProposedAction();
}

bool PlannerWindow::openList(const QString& path) {
  try {
    setList(m_services.loadList(bytes(path)), path);
  } catch (const std::exception& e) {
    // The list in effect stays; the window says why this one cannot be.
    m_ui.listStatus->setText(q(e.what()));
    m_ui.listStatus->show();
    return false;
  }
  rememberRecent(path);
  return true;
}

void PlannerWindow::useBuiltInList(BuiltInList which) { setList(m_services.builtInList(which), QString()); }

void PlannerWindow::setList(SatelliteCatalog list, const QString& path) {
  keepSatelliteFor(list);
  m_list = std::move(list);
  m_listPath = path;
  m_ui.listStatus->hide();
  m_ui.listName->setText(path.isEmpty() ? m_list.builtIn == BuiltInList::Nineties
                                              ? tr("The built-in list of the 1990s: %n satellites of the Americas arc.",
                                                   "", static_cast<int>(m_list.entries.size()))
                                              : tr("The built-in list of %1: %n satellite slots from CelesTrak.", "",
                                                   static_cast<int>(m_list.entries.size()))
                                                    .arg(q(std::string(todayListDate())))
                                        : tr("%1: %2, %n satellites.", "", static_cast<int>(m_list.entries.size()))
                                              .arg(QFileInfo(path).fileName(), q(m_list.format)));
  m_model->setJob(nullptr);
  m_filter->setList(m_list);
  m_filter->setNameFilter(m_ui.filter->text());
  m_settings->setValue(QStringLiteral("list/path"), path);
  if (m_list.builtIn) {
    m_settings->setValue(QStringLiteral("list/builtIn"),
                         m_list.builtIn == BuiltInList::Nineties ? QStringLiteral("1990s") : QStringLiteral("today"));
  }
  recompute();
}

void PlannerWindow::rememberRecent(const QString& path) {
  QStringList recent = m_settings->value(QStringLiteral("list/recent")).toStringList();
  recent.removeAll(path);
  recent.prepend(path);
  while (recent.size() > kRecentLists) recent.removeLast();
  m_settings->setValue(QStringLiteral("list/recent"), recent);
  fillRecentMenu();
}

void PlannerWindow::fillRecentMenu() {
  m_recentMenu->clear();
  const QStringList recent = m_settings->value(QStringLiteral("list/recent")).toStringList();
  for (const QString& path : recent) {
    m_recentMenu->addAction(QFileInfo(path).fileName(), this, [this, path] { openList(path); })->setToolTip(path);
  }
  m_recentMenu->setEnabled(!recent.isEmpty());
}

void PlannerWindow::addMultifeed(const QString& satellite) {
  const QString typed = satellite.trimmed();
  if (typed.isEmpty()) return;
  m_ui.multifeeds->addItem(typed);
  m_ui.multifeedSatellite->clear();
  m_recompute.start();
}

void PlannerWindow::addMultifeedRow(int proxyRow) {
  const int row = m_filter->mapToSource(m_filter->index(proxyRow, 0)).row();
  if (row < 0 || static_cast<std::size_t>(row) >= m_list.entries.size()) return;
  addMultifeed(typedPosition(m_list.entries[static_cast<std::size_t>(row)].longitudeEast));
}

JobRequest PlannerWindow::request() const {
  JobRequest r;
  r.inputs = {mapLettered(Field::Latitude, bytes(m_ui.latitude->text())),
             mapLettered(Field::Longitude, bytes(m_ui.longitude->text())), bytes(satelliteTyped()),
             bytes(m_ui.declination->text())};
  r.automaticDeclination = m_ui.modelDeclination->isChecked();
  r.date = bytes(m_ui.date->date().toString(QStringLiteral("yyyy-MM-dd")));
  r.offsetAngle = doubleToText(m_ui.offsetAngle->value());
  r.motor = m_ui.polarMount->isChecked();
  r.typedSatellite = !satelliteTyped().isEmpty();
  r.everySatellite = true;
  r.sunOutage = OutageCriterion{static_cast<double>(m_ui.dishSize->value()), m_ui.frequency->value(), std::nullopt};
  const QString zone = m_ui.timeZone->text().trimmed();
  if (!zone.isEmpty() && TimeZone::named(bytes(zone))) r.timeZone = bytes(zone);
  r.customer = bytes(m_ui.customer->text());
  r.address = bytes(m_ui.address->text());
  r.notes = bytes(m_ui.notes->text());
  for (int i = 0; i < m_ui.multifeeds->count(); ++i) r.multifeed.push_back(bytes(m_ui.multifeeds->item(i)->text()));
  const int focal = m_ui.focalLength->value();
  r.dish = dishOptics(m_ui.dishSize->value() * kMillimetresPerCentimetre,
                      focal >= kFocalMillimetres.low ? std::optional<double>(focal) : std::nullopt, m_ui.frequency->value());
  for (int row = 0; row < m_ui.obstacles->rowCount(); ++row) {
    if (const QString typed = obstacleText(row); !typed.isEmpty()) r.obstacles.push_back(bytes(typed));
  }
  r.horizon = m_horizon;
  r.sunBearing = true;
  return r;
}

// A row of the obstacles as --obstacle takes it, "140-150:20"; "" for a row
// left empty.
QString PlannerWindow::obstacleText(int row) const {
  const auto cell = [this, row](int column) {
    const QTableWidgetItem* item = m_ui.obstacles->item(row, column);
    return item ? item->text().trimmed() : QString();
  };
  const QString azimuths = cell(0), top = cell(1);
  return azimuths.isEmpty() && top.isEmpty() ? QString() : azimuths + QLatin1Char(':') + top;
}

QString PlannerWindow::satelliteTyped() const {
  return m_keptPosition ? *m_keptPosition : m_ui.satellite->text().trimmed();
}

void PlannerWindow::showUnderstood() {
  const Understood latitude = understood(Field::Latitude, m_ui.latitude->text());
  const Understood longitude = understood(Field::Longitude, m_ui.longitude->text());
  showUnder(m_ui.latitudeUnderstood, latitude);
  showUnder(m_ui.longitudeUnderstood, longitude);
  m_ui.latitudeLetter->setText(latitude.letter);
  m_ui.longitudeLetter->setText(longitude.letter);
  const QString zone = m_ui.timeZone->text().trimmed();
  const bool known = zone.isEmpty() || TimeZone::named(bytes(zone));
  showUnder(m_ui.timeZoneUnderstood, known,
            zone.isEmpty() ? tr("Times in UTC.")
            : known        ? tr("Times in UTC and in %1.").arg(zone)
                           : tr("No zone is named \"%1\"; give an IANA name such as Europe/London.").arg(zone));
}

void PlannerWindow::recompute() {
  showUnderstood();
  for (QLabel* beside : {m_ui.satelliteUnderstood, m_ui.multifeedMessage, m_ui.sheetTextMessage, m_ui.declinationSource,
                         m_ui.obstaclesMessage}) {
    showUnder(beside, true, QString());
  }
  const std::string listName = m_listPath.isEmpty() ? m_list.builtInName : bytes(m_listPath);
  try {
    m_job = std::make_shared<Job>(m_services.buildJob(request(), m_list, listName));
  } catch (const Refusal& e) {
    showRefusal(besideRefused(e.input()), shown(e.what()) + plannerHint(e));
    return;
  } catch (const std::exception& e) {
    showRefusal(nullptr, shown(e.what()));
    return;
  }
  showJob();
}

// What the planner adds to a refusal: where a name is found, and that a
// declination can be typed, in its own controls.
QString PlannerWindow::plannerHint(const Refusal& refused) const {
  if (const auto* unnamed = dynamic_cast<const NoSuchSatellite*>(&refused)) {
    const QString pick = tr("pick one in the table, type a position such as 19.2E, or open another list.");
    return unnamed->in() == NoSuchSatellite::In::ListFile ? QStringLiteral("; ") + pick
                                                          : QLatin1Char(' ') + pick.left(1).toUpper() + pick.mid(1);
  }
  return refused.input() == Refusal::Input::Model ? tr(" Type the declination instead.") : QString();
}

// The line under the input a refusal concerns; none where the input's own
// box says it already (the site, the zone) or there is no box (the
// calculation, a list).
QLabel* PlannerWindow::besideRefused(Refusal::Input input) const {
  switch (input) {
    case Refusal::Input::Declination:
    case Refusal::Input::Model:
      return m_ui.declinationSource;
    case Refusal::Input::Satellite:
      return m_ui.satelliteUnderstood;
    case Refusal::Input::Multifeed:
      return m_ui.multifeedMessage;
    case Refusal::Input::Obstacle:
    case Refusal::Input::Horizon:
      return m_ui.obstaclesMessage;
    case Refusal::Input::Customer:
    case Refusal::Input::Address:
    case Refusal::Input::Notes:
      return m_ui.sheetTextMessage;
    default:
      return nullptr;
  }
}

// The customer, address or notes edited: the job takes the new texts and
// the sheet is drawn again; nothing is computed. Without a job (one refused,
// perhaps for these very texts) the job is built anew.
void PlannerWindow::sheetTextsChanged() {
  if (!m_job || m_recompute.isActive()) {
    m_recompute.start();
    return;
  }
  try {
    JobTexts texts = jobTexts(bytes(m_ui.customer->text()), bytes(m_ui.address->text()), bytes(m_ui.notes->text()));
    m_job->customer = std::move(texts.customer);
    m_job->address = std::move(texts.address);
    m_job->notes = std::move(texts.notes);
  } catch (const Refusal& e) {
    showRefusal(besideRefused(e.input()), shown(e.what()));
    return;
  }
  showUnder(m_ui.sheetTextMessage, true, QString());
  m_ui.preview->redraw();
}

void PlannerWindow::showRefusal(QLabel* beside, const QString& why) {
  m_job.reset();
  if (beside) showUnder(beside, false, why);
  // The table keeps the satellites of the site where only the satellite,
  // its extra LNBs or a text for the sheet was refused; anything else
  // refused leaves no figures at all.
  JobRequest listOnly = request();
  listOnly.typedSatellite = false;
  listOnly.multifeed.clear();
  listOnly.obstacles.clear();
  listOnly.customer.clear();
  listOnly.address.clear();
  listOnly.notes.clear();
  std::shared_ptr<const Job> site;
  try {
    site = std::make_shared<const Job>(m_services.buildJob(listOnly, m_list, std::string_view()));
  } catch (const std::exception&) {
  }
  m_model->setJob(std::move(site));
  m_ui.results->setPlainText(why);
  m_ui.preview->setJob(nullptr, Paper::A4, why);
  for (QAction* a : {m_saveSheet, m_print, m_copyCommand}) a->setEnabled(false);
}

void PlannerWindow::showJob() {
  const Job& job = *m_job;
  showUnder(m_ui.declinationSource, true,
            q(job.site.declinationText) + QStringLiteral("°, ") + q(declinationSourceText(job.site)));
  m_model->setJob(m_job);
  m_ui.table->setColumnHidden(SatelliteTableModel::Clearance, job.skyline.empty());
  showChoiceInTable();
  if (m_horizon) {
    showUnder(m_ui.obstaclesMessage, true,
              tr("Horizon profile %1: %n points.", "", static_cast<int>(m_horizon->points.size())).arg(q(m_horizon->name)));
  }
  QString text;
  if (job.chosen) {
    m_lastPosition = typedPosition(mapLongitude(static_cast<double>(job.chosen->longitudeWest)));
    QString what = q(satelliteText(*job.chosen));
    // A position typed names the list's satellite there, if it has one.
    const auto there = std::find_if(job.listed.begin(), job.listed.end(),
                                    [&](const Pointing& p) { return sameSlot(p, *job.chosen); });
    if (job.chosen->name.empty() && there != job.listed.end() && !there->name.empty()) {
      what += tr(": %1 in the list").arg(q(there->name));
    }
    showUnder(m_ui.satelliteUnderstood, true,
              m_keptPosition ? tr("%1 is not in this list: the job keeps %2. Type or pick another to change it.")
                                   .arg(m_ui.satellite->text().trimmed(), what)
                             : what);
    text = q(satelliteLines(job));
    for (const Notice& notice : job.notices) text += QStringLiteral("\n\u25B2 ") + q(notice.text);
    if (!job.multifeeds.empty()) text += QLatin1Char('\n') + q(multifeedLines(job));
    if (job.sunBearing) text += QLatin1Char('\n') + q(sunBearingLines(job));
    if (job.sunOutage) text += QLatin1Char('\n') + q(sunOutageLines(job));
  } else {
    showUnder(m_ui.satelliteUnderstood, true, tr("Type a satellite, or pick one in the table."));
    text = tr("Type a satellite in the Satellite box, such as 28.2E or a name, or pick one in the table.");
  }
  m_ui.results->setPlainText(text);
  const auto paper = static_cast<Paper>(m_ui.paper->currentData().toInt());
  m_ui.preview->setJob(job.chosen ? m_job : nullptr, paper);
  for (QAction* a : {m_saveSheet, m_print, m_copyCommand}) a->setEnabled(job.chosen.has_value());
}

// The job's satellite shown as the table's current row where the list holds
// it, and no row current where it does not. Nothing here picks.
void PlannerWindow::showChoiceInTable() {
  QItemSelectionModel* selection = m_ui.table->selectionModel();
  const std::optional<Pointing>& chosen = m_job->chosen;
  const std::vector<Pointing>& rows = m_model->rows();
  const auto at = chosen ? std::find_if(rows.begin(), rows.end(), [&](const Pointing& p) { return sameSlot(p, *chosen); })
                         : rows.end();
  const QModelIndex row =
      at == rows.end() ? QModelIndex() : m_filter->mapFromSource(m_model->index(static_cast<int>(at - rows.begin()), 0));
  if (!row.isValid()) {
    selection->clear();
    return;
  }
  if (selection->currentIndex().row() != row.row() || !selection->isRowSelected(row.row())) {
    selection->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_ui.table->scrollTo(row);
  }
}

void PlannerWindow::pickRow(const QModelIndex& proxyRow) {
  const int row = m_filter->mapToSource(proxyRow).row();
  if (row < 0 || static_cast<std::size_t>(row) >= m_list.entries.size()) return;
  const SatelliteEntry& entry = m_list.entries[static_cast<std::size_t>(row)];
  // By its name where the name finds it alone, else by its position.
  const SatelliteMatch match = findSatellite(m_list, entry.name);
  const bool byName = !entry.name.empty() && match.kind == SatelliteMatch::Kind::Found &&
                      match.entry == static_cast<std::size_t>(row);
  m_keptPosition.reset();
  m_ui.satellite->setText(byName ? q(entry.name) : typedPosition(entry.longitudeEast));
}

// Whether the satellite box's name is in the list about to take effect; where
// it is not, the job keeps the last satellite by its position.
void PlannerWindow::keepSatelliteFor(const SatelliteCatalog& list) {
  const QString typed = m_ui.satellite->text().trimmed();
  bool position = false;
  try {
    position = readsAsNumber(withoutHemisphere(Field::SatelliteLongitude, bytes(typed)));
  } catch (const CalcError&) {
    position = true;  // a lettered slip: refused as typed, whatever the list
  }
  if (typed.isEmpty() || position || findSatellite(list, bytes(typed)).kind == SatelliteMatch::Kind::Found) {
    m_keptPosition.reset();
  } else if (!m_keptPosition && !m_lastPosition.isEmpty()) {
    m_keptPosition = m_lastPosition;
  }
}

void PlannerWindow::splitPastedPair(QLineEdit* box, bool whole) {
  const QString text = box->text();
  const int before = box->property("length").toInt();
  box->setProperty("length", text.size());
  // More than a key's worth of text at once is a paste.
  constexpr int kTyped = 2;
  if (!whole && text.size() - before <= kTyped) return;
  const auto pair = mapPair(text);
  if (!pair) return;
  m_ui.latitude->setText(pair->first);
  m_ui.longitude->setText(pair->second);
  for (QLineEdit* b : {m_ui.latitude, m_ui.longitude}) b->setProperty("length", b->text().size());
}

QString PlannerWindow::commandLine() const {
  if (!m_job || !m_job->chosen) return {};
  PointingRequest r;
  r.job = request();
  // The table, the sun outage's figures and the sun on the azimuth are the
  // window's own; the command line asks for the satellite's.
  r.job.everySatellite = false;
  r.job.sunOutage.reset();
  r.job.sunBearing = false;
  r.job.dish = {};
  r.job.horizon.reset();
  if (r.job.automaticDeclination) r.job.inputs.declination = std::string(kOpeningDeclination);
  if (!m_listPath.isEmpty()) r.satellitesFile = bytes(m_listPath);
  r.builtInList = m_list.builtIn.value_or(BuiltInList::Today);
  r.sunOutage = true;
  r.dishSize = std::to_string(m_ui.dishSize->value());
  r.frequency = doubleToText(m_ui.frequency->value());
  if (!m_job->sunOutage->zone.empty()) r.timeZone = m_job->sunOutage->zone;
  r.obstacles = r.job.obstacles;
  if (m_horizon) r.horizonFile = bytes(m_horizonPath);
  r.sunBearing = true;
  r.multifeed = r.job.multifeed;
  if (!r.multifeed.empty() && m_ui.focalLength->value() >= kFocalMillimetres.low) {
    r.focalLength = std::to_string(m_ui.focalLength->value());
  }
  r.sheet = bytes(suggestedSheetName());
  r.paper = static_cast<Paper>(m_ui.paper->currentData().toInt());
  return q(shellLine(commandLineFor(r)));
}

QString PlannerWindow::suggestedSheetName() const {
  if (!m_job || !m_job->chosen) return {};
  const Pointing& chosen = *m_job->chosen;
  const QString satellite =
      chosen.name.empty() ? typedPosition(mapLongitude(static_cast<double>(chosen.longitudeWest))) : q(chosen.name);
  return fileNameOf({m_ui.customer->text(), satellite, q(calendarDateText(m_job->site.date))}) + QStringLiteral(".pdf");
}

QString withSheetExtension(const QString& path, const QString& chosenType) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("pdf") || suffix == QLatin1String("svg") || suffix == QLatin1String("png")) return path;
  const QRegularExpressionMatch type = QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(chosenType);
  return path + QLatin1Char('.') + (type.hasMatch() ? type.captured(1) : QStringLiteral("pdf"));
}

bool PlannerWindow::saveSheet(const QString& path) {
  if (!m_job || !m_job->chosen) return false;
  const SheetOutcome sheet =
      writeSheet(*m_job, static_cast<Paper>(m_ui.paper->currentData().toInt()), QFile::encodeName(path).toStdString());
  if (!sheet.written) {
    m_dialogs.refusal(tr("The sheet was not saved. %1").arg(q(sheet.why)));
    return false;
  }
  statusBar()->showMessage(tr("Saved %1").arg(path), kStatusMilliseconds);
  return true;
}

bool PlannerWindow::printSheet(QPrinter& printer) {
  if (!m_job || !m_job->chosen) return false;
  const auto paper = static_cast<Paper>(m_ui.paper->currentData().toInt());
  // The whole paper, its corner the page's corner, so that every length
  // prints at its size.
  printer.setFullPage(true);
  printer.setPageSize(QPageSize(paper == Paper::Letter ? QPageSize::Letter : QPageSize::A4));
  printer.setPageOrientation(QPageLayout::Portrait);
  QPainter painter;
  if (!painter.begin(&printer)) {
    m_dialogs.refusal(tr("The printer could not be started."));
    return false;
  }
  const double dotsPerMm = printer.resolution() / kMillimetresPerInch;
  painter.scale(dotsPerMm, dotsPerMm);
  sheet::paintSheet(painter, *m_job, paper);
  return painter.end();
}

}  // namespace vantorel
