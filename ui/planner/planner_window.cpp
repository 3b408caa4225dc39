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
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "calc_error.h"
#include "deccalc.h"
#include "hemisphere.h"
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
constexpr double kMillimetresPerInch = 25.4;

QString q(const std::string& s) { return QString::fromStdString(s); }
std::string bytes(const QString& s) { return s.toStdString(); }

// A position as a satellite is typed, "28.2E" or "101W": it finds the
// satellite in any list and cannot be mistaken for a name.
QString typedPosition(double east) {
  return q(singleToText(static_cast<Single>(std::fabs(east)))) + (east < 0 ? QStringLiteral("W") : QStringLiteral("E"));
}

// A word for the shell, quoted only where it must be.
QString shellWord(const QString& word) {
  static const QString kPlain = QStringLiteral(
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.,_+-/:=@%");
  const bool plain = !word.isEmpty() && std::all_of(word.begin(), word.end(), [](QChar c) { return kPlain.contains(c); });
  if (plain) return word;
  QString quoted = word;
  quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
  return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

// What a site box's text is understood as: the latitude or longitude line's
// texts, or the refusal with its typing hint.
struct Understood {
  bool ok = false;
  QString text;
};

Understood understood(Field field, const QString& typed) {
  try {
    const Single value = decodedCoordinate(field, bytes(typed)).DecimalDegrees;
    const bool latitude = field == Field::Latitude;
    return {true, q(latitude ? latitudeDms(value) : longitudeDms(value)) + QStringLiteral("   ") +
                      q(latitude ? latitudeDecimal(value) : longitudeDecimal(value))};
  } catch (const CalcError& e) {
    return {false, q(e.what())};
  }
}

void showUnder(QLabel* label, const Understood& u) {
  label->setText(u.text);
  label->setProperty("refused", !u.ok);
  label->setStyleSheet(u.ok ? QString() : QStringLiteral("color: #b00020;"));
}

QLabel* understoodLabel(const QString& name) {
  auto* label = new QLabel;
  label->setObjectName(name);
  label->setWordWrap(true);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
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
  auto* splitter = new QSplitter(Qt::Horizontal);
  auto* form = new QScrollArea;
  form->setWidget(createJobForm());
  form->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  form->setMinimumWidth(form->widget()->sizeHint().width() + form->verticalScrollBar()->sizeHint().width());
  form->setWidgetResizable(true);
  splitter->addWidget(form);
  splitter->addWidget(createSatellites());
  splitter->addWidget(createSheet());
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({kFormWidth, kSatellitesWidth, kSheetWidth});
  setCentralWidget(splitter);
  resize(kFormWidth + kSatellitesWidth + kSheetWidth, kWindowHeight);
  statusBar();
  setTabOrderAndNames();
  connectInputs();
  m_dialogs = {[this] {
                 return QFileDialog::getOpenFileName(this, tr("Open a satellite list"), QString(),
                                                     tr("Satellite lists (*.txt *.csv *.xml *.json *.tle);;All files (*)"));
               },
               [this] {
                 return QFileDialog::getSaveFileName(this, tr("Save the installation sheet"), QString(),
                                                     tr("PDF (*.pdf);;SVG (*.svg);;PNG (*.png)"));
               },
               [this](QPrinter& printer) {
                 QPrintDialog dialog(&printer, this);
                 return dialog.exec() == QDialog::Accepted;
               }};
  // Putting the list in effect computes the first job.
  readSettings();
}

PlannerWindow::~PlannerWindow() = default;

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
    if (const QString path = m_dialogs.sheetName(); !path.isEmpty()) saveSheet(path);
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

  auto* site = new QGroupBox(tr("Site"));
  auto* siteForm = new QFormLayout(site);
  m_ui.latitude = new QLineEdit;
  m_ui.latitudeUnderstood = understoodLabel(QStringLiteral("latitudeUnderstood"));
  m_ui.longitude = new QLineEdit;
  m_ui.longitudeUnderstood = understoodLabel(QStringLiteral("longitudeUnderstood"));
  siteForm->addRow(tr("&Latitude"), m_ui.latitude);
  siteForm->addRow(QString(), m_ui.latitudeUnderstood);
  siteForm->addRow(tr("L&ongitude"), m_ui.longitude);
  siteForm->addRow(QString(), m_ui.longitudeUnderstood);
  column->addWidget(site);

  auto* declination = new QGroupBox(tr("Declination"));
  auto* declinationForm = new QGridLayout(declination);
  m_ui.modelDeclination = new QRadioButton(tr("&World Magnetic Model on"));
  m_ui.date = new QDateEdit(QDate::currentDate());
  m_ui.date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
  m_ui.date->setCalendarPopup(true);
  m_ui.typedDeclination = new QRadioButton(tr("&Typed"));
  m_ui.declination = new QLineEdit(q(kOpeningBoxTexts.Text7));
  m_ui.declinationSource = understoodLabel(QStringLiteral("declinationSource"));
  auto* group = new QButtonGroup(declination);
  group->addButton(m_ui.modelDeclination);
  group->addButton(m_ui.typedDeclination);
  m_ui.modelDeclination->setChecked(true);
  declinationForm->addWidget(m_ui.modelDeclination, 0, 0);
  declinationForm->addWidget(m_ui.date, 0, 1);
  declinationForm->addWidget(m_ui.typedDeclination, 1, 0);
  declinationForm->addWidget(m_ui.declination, 1, 1);
  declinationForm->addWidget(m_ui.declinationSource, 2, 0, 1, 2);
  column->addWidget(declination);

  auto* dish = new QGroupBox(tr("Dish"));
  auto* dishForm = new QFormLayout(dish);
  m_ui.offsetAngle = new QDoubleSpinBox;
  m_ui.offsetAngle->setRange(0, 45);
  m_ui.offsetAngle->setDecimals(1);
  m_ui.offsetAngle->setSuffix(QStringLiteral("°"));
  m_ui.offsetAngle->setSpecialValueText(tr("0° (prime focus)"));
  m_ui.polarMount = new QCheckBox(tr("&Polar (motorised) mount"));
  m_ui.dishSize = new QSpinBox;
  m_ui.dishSize->setRange(30, 500);
  m_ui.dishSize->setSuffix(tr(" cm"));
  m_ui.dishSize->setValue(static_cast<int>(outage::kDefaultDishCentimetres));
  m_ui.frequency = new QDoubleSpinBox;
  m_ui.frequency->setRange(1, 50);
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
  column->addWidget(dish);

  auto* multifeed = new QGroupBox(tr("Multifeed"));
  auto* multifeedForm = new QGridLayout(multifeed);
  m_ui.multifeedSatellite = new QLineEdit;
  m_ui.multifeedSatellite->setPlaceholderText(tr("Extra LNB: 13E, or a name"));
  m_ui.addMultifeed = new QPushButton(tr("Add LN&B"));
  m_ui.multifeeds = new QListWidget;
  m_ui.multifeeds->setMaximumHeight(m_ui.multifeeds->fontMetrics().height() * 4 + 8);
  m_ui.removeMultifeed = new QPushButton(tr("Re&move LNB"));
  m_ui.focalLength = new QSpinBox;
  m_ui.focalLength->setRange(0, 5000);
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
  column->addWidget(multifeed);

  auto* customer = new QGroupBox(tr("For the sheet"));
  auto* customerForm = new QFormLayout(customer);
  m_ui.customer = new QLineEdit;
  m_ui.address = new QLineEdit;
  m_ui.notes = new QLineEdit;
  for (QLineEdit* box : {m_ui.customer, m_ui.address, m_ui.notes}) box->setMaxLength(static_cast<int>(kLongestJobText));
  customerForm->addRow(tr("C&ustomer"), m_ui.customer);
  customerForm->addRow(tr("A&ddress"), m_ui.address);
  customerForm->addRow(tr("&Notes"), m_ui.notes);
  column->addWidget(customer);
  column->addStretch();
  return page;
}

QWidget* PlannerWindow::createSatellites() {
  auto* page = new QWidget;
  auto* column = new QVBoxLayout(page);
  m_ui.listName = understoodLabel(QStringLiteral("listName"));
  m_ui.listStatus = understoodLabel(QStringLiteral("listStatus"));
  m_ui.listStatus->setStyleSheet(QStringLiteral("color: #b00020;"));
  m_ui.listStatus->hide();
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
  m_ui.table = new QTableView;
  m_ui.table->setModel(m_filter);
  m_ui.table->setSortingEnabled(true);
  m_ui.table->sortByColumn(-1, Qt::AscendingOrder);
  m_ui.table->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_ui.table->setSelectionMode(QAbstractItemView::SingleSelection);
  m_ui.table->verticalHeader()->hide();
  m_ui.table->verticalHeader()->setDefaultSectionSize(m_ui.table->fontMetrics().height() + 6);
  m_ui.table->horizontalHeader()->setStretchLastSection(true);
  m_ui.table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  m_ui.results = new QPlainTextEdit;
  m_ui.results->setReadOnly(true);
  m_ui.results->setLineWrapMode(QPlainTextEdit::NoWrap);
  m_ui.results->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  auto* split = new QSplitter(Qt::Vertical);
  split->addWidget(m_ui.table);
  split->addWidget(m_ui.results);
  column->addWidget(m_ui.listName);
  column->addWidget(m_ui.listStatus);
  column->addLayout(filterRow);
  column->addWidget(split, 1);
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
      {m_ui.latitude, "latitude", "Latitude",
       "Packed DDMMSS digits (420100), decimal degrees (42.0167) or with N or S (33.87S)"},
      {m_ui.longitude, "longitude", "Longitude",
       "Packed DDDMMSS digits (0910100) West, decimal degrees West, or with E or W (151.21E)"},
      {m_ui.modelDeclination, "modelDeclination", "Declination from the World Magnetic Model",
       "The declination at the site on the date, from the World Magnetic Model 2025"},
      {m_ui.date, "date", "Date", "The job's date: the magnetic model's, the orbital elements' age and the sun outage's year"},
      {m_ui.typedDeclination, "typedDeclination", "Declination typed", "Type the declination instead"},
      {m_ui.declination, "declination", "Declination", "Degrees, East positive, West negative (-8 for 8 degrees West)"},
      {m_ui.offsetAngle, "offsetAngle", "Offset angle", "The dish maker's offset angle, 0 for a prime-focus dish"},
      {m_ui.polarMount, "polarMount", "Polar mount", "Add the polar mount's settings and the motor angle"},
      {m_ui.dishSize, "dishSize", "Dish size", "The dish's diameter, for the sun outage's beamwidth"},
      {m_ui.frequency, "frequency", "Frequency", "The frequency received, for the sun outage's beamwidth (C band is about 4)"},
      {m_ui.timeZone, "timeZone", "Time zone", "An IANA time zone for local sun outage times; empty for UTC alone"},
      {m_ui.multifeedSatellite, "multifeedSatellite", "Extra LNB satellite",
       "A satellite for an extra LNB on this dish: a position such as 13E, or a name in the list"},
      {m_ui.addMultifeed, "addMultifeed", "Add LNB", "Add an LNB for the satellite typed beside it"},
      {m_ui.multifeeds, "multifeeds", "Extra LNBs", "The extra LNBs on this dish, beside the main one"},
      {m_ui.removeMultifeed, "removeMultifeed", "Remove LNB", "Remove the extra LNB selected"},
      {m_ui.focalLength, "focalLength", "Focal length",
       "The dish's focal length as its maker states it, for the extra LNBs' places; 0 assumes 0.6 of its size"},
      {m_ui.customer, "customer", "Customer", "Who the job is for, for the sheet"},
      {m_ui.address, "address", "Address", "The site's address, for the sheet"},
      {m_ui.notes, "notes", "Notes", "Notes on the job, for the sheet"},
      {m_ui.filter, "filter", "Filter satellites", "Names as --satellite matches them: case, accents and band words aside"},
      {m_ui.showAll, "showAll", "Show all satellites", "Show the satellites below the horizon too"},
      {m_ui.table, "satellites", "Satellites", "The list's satellites from this site; the one selected is the job's"},
      {m_ui.results, "results", "Results", "The figures as the command line prints them, with warnings and sun outages"},
      {m_ui.paper, "paper", "Paper", "The sheet's paper"},
      {m_ui.preview, "preview", "Sheet preview", "The installation sheet as it prints"},
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
}

void PlannerWindow::connectInputs() {
  const auto later = [this] { m_recompute.start(); };
  for (QLineEdit* box : {m_ui.latitude, m_ui.longitude, m_ui.declination, m_ui.timeZone, m_ui.customer, m_ui.address,
                         m_ui.notes}) {
    connect(box, &QLineEdit::textChanged, this, later);
  }
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
  connect(m_ui.table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (!current.isValid()) return;
            m_chosen = static_cast<std::size_t>(m_filter->mapToSource(current).row());
            m_recompute.start();
          });
}

void PlannerWindow::readSettings() {
  QSettings& s = *m_settings;
  m_ui.latitude->setText(s.value(QStringLiteral("site/latitude"), q(kOpeningBoxTexts.Text4)).toString());
  m_ui.longitude->setText(s.value(QStringLiteral("site/longitude"), q(kOpeningBoxTexts.Text5)).toString());
  const bool typed = s.value(QStringLiteral("declination/typed"), false).toBool();
  (typed ? m_ui.typedDeclination : m_ui.modelDeclination)->setChecked(true);
  m_ui.declination->setEnabled(typed);
  m_ui.declination->setText(s.value(QStringLiteral("declination/text"), q(kOpeningBoxTexts.Text7)).toString());
  m_ui.offsetAngle->setValue(s.value(QStringLiteral("dish/offsetAngle"), 0.0).toDouble());
  m_ui.polarMount->setChecked(s.value(QStringLiteral("dish/polarMount"), false).toBool());
  m_ui.dishSize->setValue(s.value(QStringLiteral("dish/size"), outage::kDefaultDishCentimetres).toInt());
  m_ui.frequency->setValue(s.value(QStringLiteral("dish/frequency"), outage::kDefaultFrequencyGigahertz).toDouble());
  m_ui.timeZone->setText(s.value(QStringLiteral("dish/timeZone")).toString());
  m_ui.paper->setCurrentIndex(s.value(QStringLiteral("sheet/paper"), 0).toInt());
  restoreGeometry(s.value(QStringLiteral("window/geometry")).toByteArray());
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
  s.setValue(QStringLiteral("declination/typed"), m_ui.typedDeclination->isChecked());
  s.setValue(QStringLiteral("declination/text"), m_ui.declination->text());
  s.setValue(QStringLiteral("dish/offsetAngle"), m_ui.offsetAngle->value());
  s.setValue(QStringLiteral("dish/polarMount"), m_ui.polarMount->isChecked());
  s.setValue(QStringLiteral("dish/size"), m_ui.dishSize->value());
  s.setValue(QStringLiteral("dish/frequency"), m_ui.frequency->value());
  s.setValue(QStringLiteral("dish/timeZone"), m_ui.timeZone->text());
  s.setValue(QStringLiteral("sheet/paper"), m_ui.paper->currentIndex());
  s.setValue(QStringLiteral("list/path"), m_listPath);
  s.setValue(QStringLiteral("window/geometry"), saveGeometry());
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
    statusBar()->showMessage(tr("The list was not opened: %1").arg(q(e.what())));
    return false;
  }
  rememberRecent(path);
  return true;
}

void PlannerWindow::useBuiltInList(BuiltInList which) { setList(m_services.builtInList(which), QString()); }

void PlannerWindow::setList(SatelliteCatalog list, const QString& path) {
  m_list = std::move(list);
  m_listPath = path;
  m_chosen.reset();
  m_ui.listStatus->hide();
  m_ui.listName->setText(path.isEmpty() ? m_list.builtIn == BuiltInList::Nineties
                                              ? tr("The built-in list of the 1990s: %n satellites of the Americas arc.",
                                                   "", static_cast<int>(m_list.entries.size()))
                                              : tr("The built-in list of %1: %n satellite slots from CelesTrak.", "",
                                                   static_cast<int>(m_list.entries.size()))
                                                    .arg(q(std::string(todayListDate())))
                                        : tr("%1: %2, %n satellites.", "", static_cast<int>(m_list.entries.size()))
                                              .arg(QFileInfo(path).fileName(), q(m_list.format)));
  m_model->setRows({});
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
  r.boxes = {bytes(m_ui.latitude->text()), bytes(m_ui.longitude->text()), std::string(),
             bytes(m_ui.declination->text())};
  r.automaticDeclination = m_ui.modelDeclination->isChecked();
  r.date = bytes(m_ui.date->date().toString(QStringLiteral("yyyy-MM-dd")));
  r.offsetAngle = doubleToText(m_ui.offsetAngle->value());
  r.motor = m_ui.polarMount->isChecked();
  r.listEntry = m_chosen;
  r.everySatellite = true;
  r.sunOutage = OutageCriterion{static_cast<double>(m_ui.dishSize->value()), m_ui.frequency->value(), std::nullopt};
  const QString zone = m_ui.timeZone->text().trimmed();
  if (!zone.isEmpty() && TimeZone::named(bytes(zone))) r.timeZone = bytes(zone);
  r.customer = bytes(m_ui.customer->text());
  r.address = bytes(m_ui.address->text());
  r.notes = bytes(m_ui.notes->text());
  for (int i = 0; i < m_ui.multifeeds->count(); ++i) r.multifeed.push_back(bytes(m_ui.multifeeds->item(i)->text()));
  constexpr double kMillimetresPerCentimetre = 10;
  const int focal = m_ui.focalLength->value();
  r.dish = dishOptics(m_ui.dishSize->value() * kMillimetresPerCentimetre,
                      focal > 0 ? std::optional<double>(focal) : std::nullopt, m_ui.frequency->value());
  return r;
}

void PlannerWindow::showUnderstood() {
  showUnder(m_ui.latitudeUnderstood, understood(Field::Latitude, m_ui.latitude->text()));
  showUnder(m_ui.longitudeUnderstood, understood(Field::Longitude, m_ui.longitude->text()));
  const QString zone = m_ui.timeZone->text().trimmed();
  const bool known = zone.isEmpty() || TimeZone::named(bytes(zone));
  showUnder(m_ui.timeZoneUnderstood,
            {known, zone.isEmpty() ? tr("Times in UTC.")
                    : known        ? tr("Times in UTC and in %1.").arg(zone)
                                   : tr("No zone is named \"%1\"; give an IANA name such as Europe/London.").arg(zone)});
}

void PlannerWindow::recompute() {
  showUnderstood();
  try {
    m_job = m_services.buildJob(request(), m_list, m_listPath.isEmpty() ? m_list.builtInName : bytes(m_listPath));
  } catch (const CalcError& e) {
    const QString where = e.field() == Field::Declination ? tr("declination") : QString();
    showRefusal(where, q(e.what()));
    return;
  } catch (const MagneticModelError& e) {
    showRefusal(tr("declination"), q(e.what()) + tr(" Type the declination instead."));
    return;
  } catch (const std::exception& e) {
    showRefusal(QString(), q(e.what()));
    return;
  }
  showJob();
}

void PlannerWindow::showRefusal(const QString& where, const QString& why) {
  m_job.reset();
  showUnder(m_ui.declinationSource, where.isEmpty() ? Understood{true, QString()} : Understood{false, why});
  m_ui.results->setPlainText(why);
  m_ui.preview->setJob(std::nullopt, Paper::A4);
  for (QAction* a : {m_saveSheet, m_print, m_copyCommand}) a->setEnabled(false);
}

void PlannerWindow::showJob() {
  const Job& job = *m_job;
  showUnder(m_ui.declinationSource, {true, q(job.site.declinationText) + QStringLiteral("°, ") +
                                               q(declinationSourceText(job.site))});
  const bool reset = m_model->rows().size() != job.listed.size();
  m_model->setRows(job.listed);
  if (!m_chosen && m_filter->rowCount() > 0) {
    // A list newly in effect starts with its first satellite in view chosen,
    // so that the window shows a whole job at once.
    m_ui.table->selectionModel()->setCurrentIndex(m_filter->index(0, 0),
                                                  QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    return;
  }
  if (reset && m_chosen) {
    const QModelIndex chosen = m_filter->mapFromSource(m_model->index(static_cast<int>(*m_chosen), 0));
    m_ui.table->selectionModel()->setCurrentIndex(chosen, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  }
  QString text;
  if (job.chosen) {
    text = q(satelliteLines(job));
    for (const Notice& notice : job.notices) text += QStringLiteral("\n\u25B2 ") + q(notice.text);
    if (!job.multifeeds.empty()) text += QLatin1Char('\n') + q(multifeedLines(job));
    if (job.sunOutage) text += QLatin1Char('\n') + q(sunOutageLines(job));
  } else {
    text = tr("Choose a satellite in the table.");
  }
  m_ui.results->setPlainText(text);
  const auto paper = static_cast<Paper>(m_ui.paper->currentData().toInt());
  m_ui.preview->setJob(job.chosen ? m_job : std::nullopt, paper);
  for (QAction* a : {m_saveSheet, m_print, m_copyCommand}) a->setEnabled(job.chosen.has_value());
}

QString PlannerWindow::commandLine() const {
  if (!m_job || !m_job->chosen) return {};
  const Job& job = *m_job;
  QStringList words{QStringLiteral("vantorel"), QStringLiteral("--latitude"), m_ui.latitude->text(),
                    QStringLiteral("--longitude"), m_ui.longitude->text()};
  if (!m_listPath.isEmpty()) {
    words << QStringLiteral("--satellites") << m_listPath;
  } else if (m_list.builtIn == BuiltInList::Nineties) {
    words << QStringLiteral("--builtin-list") << QStringLiteral("1990s");
  }
  // By its name where the name finds it, else by its position.
  const std::string& name = job.chosen->name;
  const bool byName = !name.empty() && m_chosen && findSatellite(m_list, name).kind == SatelliteMatch::Kind::Found &&
                      findSatellite(m_list, name).entry == *m_chosen;
  words << QStringLiteral("--satellite")
        << (byName ? q(name) : typedPosition(mapLongitude(static_cast<double>(job.chosen->longitudeWest))));
  words << QStringLiteral("--date") << m_ui.date->date().toString(QStringLiteral("yyyy-MM-dd"));
  if (m_ui.typedDeclination->isChecked()) words << QStringLiteral("--declination") << m_ui.declination->text();
  words << QStringLiteral("--offset-angle") << q(doubleToText(m_ui.offsetAngle->value()));
  if (m_ui.polarMount->isChecked()) words << QStringLiteral("--motor");
  words << QStringLiteral("--sun-outage") << QStringLiteral("--dish-size") << QString::number(m_ui.dishSize->value())
        << QStringLiteral("--frequency") << q(doubleToText(m_ui.frequency->value()));
  if (!job.sunOutage->zone.empty()) words << QStringLiteral("--timezone") << q(job.sunOutage->zone);
  for (int i = 0; i < m_ui.multifeeds->count(); ++i) words << QStringLiteral("--multifeed") << m_ui.multifeeds->item(i)->text();
  if (m_ui.multifeeds->count() > 0 && m_ui.focalLength->value() > 0) {
    words << QStringLiteral("--focal-length") << QString::number(m_ui.focalLength->value());
  }
  QStringList quoted;
  for (const QString& word : words) quoted << shellWord(word);
  return quoted.join(QLatin1Char(' '));
}

bool PlannerWindow::saveSheet(const QString& path) {
  if (!m_job || !m_job->chosen) return false;
  const std::string failed =
      writeSheet(*m_job, static_cast<Paper>(m_ui.paper->currentData().toInt()), QFile::encodeName(path).toStdString());
  if (!failed.empty()) {
    statusBar()->showMessage(q(failed));
    m_ui.results->appendPlainText(QStringLiteral("\n") + q(failed));
    return false;
  }
  statusBar()->showMessage(tr("Saved %1").arg(path));
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
    statusBar()->showMessage(tr("The printer could not be started."));
    return false;
  }
  const double dotsPerMm = printer.resolution() / kMillimetresPerInch;
  painter.scale(dotsPerMm, dotsPerMm);
  sheet::paintSheet(painter, *m_job, paper);
  return painter.end();
}

}  // namespace vantorel
