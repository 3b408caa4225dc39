#pragma once
// The planner: every capability of the command line in one window, beside
// the described ones. The user types the site, chooses where the
// declination comes from and a satellite from the list in effect, sets the
// dish, and sees the figures, the warnings, the sun outage and the very
// page the sheet prints, which can be saved and printed.
//
// The window reads its fields into a request, asks for the job (the
// program's buildJob, through PlannerServices), and shows the job; it does
// no arithmetic of its own. What it keeps between runs (the last site, list,
// dish settings, paper and its own geometry) is in QSettings.

#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

#include "job.h"
#include "planner_services.h"
#include "refusal.h"
#include "satellite_list.h"
#include "sheet_format.h"

class QAction;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QModelIndex;
class QPushButton;
class QPlainTextEdit;
class QPrinter;
class QRadioButton;
class QSettings;
class QSpinBox;
class QSplitter;
class QTableView;
class QTableWidget;

namespace vantorel {

class SatelliteFilter;
class SatelliteTableModel;
class SheetPreview;

class PlannerWindow : public QMainWindow {
  Q_OBJECT

 public:
  // settings: where the window keeps what it remembers; nullptr for the
  // desktop's usual place.
  explicit PlannerWindow(PlannerServices services, QSettings* settings = nullptr, QWidget* parent = nullptr);
  ~PlannerWindow() override;

  // What asks or tells the user in a dialog, each replaceable so that
  // nothing blocks where no one answers: the list to open, the name to save
  // the sheet as, given the name suggested ("" for none), the printer to
  // print on (false for cancel), and why the sheet was not written or
  // printed.
  struct Dialogs {
    std::function<QString()> listToOpen;
    std::function<QString()> horizonToOpen;
    std::function<QString(const QString& suggested)> sheetName;
    std::function<bool(QPrinter&)> printer;
    std::function<void(const QString& why)> refusal;
  };
  void setDialogs(Dialogs dialogs);

  // Opens the list file at path: the table then shows its satellites, or the
  // window says why not, FILE:LINE and all, and keeps the list it had.
  bool openList(const QString& path);
  void useBuiltInList(BuiltInList which);
  // Reads a horizon profile for the job's clearance, or says why not beside
  // the obstacles; "" clears it.
  bool openHorizon(const QString& path);

  // An extra LNB on the dish for the satellite typed (a longitude or a name
  // in the list, as --multifeed takes), or for the table's row.
  void addMultifeed(const QString& satellite);
  void addMultifeedRow(int proxyRow);

  // The job as the fields now make it; nothing while they make none.
  const std::shared_ptr<Job>& job() const { return m_job; }
  // The command line that prints the same job, its coordinates lettered.
  QString commandLine() const;
  // The sheet's file name: the customer, the satellite and the date.
  QString suggestedSheetName() const;
  // Writes the sheet by the name's extension, or says why not.
  bool saveSheet(const QString& path);
  // Prints the sheet at true size.
  bool printSheet(QPrinter& printer);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void createActions();
  void createMenus();
  QWidget* createJobForm();
  QGroupBox* createSite();
  QGroupBox* createDeclination();
  QGroupBox* createDish();
  QGroupBox* createMultifeed();
  QGroupBox* createSheetTexts();
  QWidget* createObstacles();
  QWidget* createSatellites();
  QWidget* createSheet();
  void setTabOrderAndNames();
  void connectInputs();
  void readSettings();
  void writeSettings();

  void setList(SatelliteCatalog list, const QString& path);
  void rememberRecent(const QString& path);
  void fillRecentMenu();
  void recompute();
  void showUnderstood();
  JobRequest request() const;
  void showJob();
  QLabel* besideRefused(Refusal::Input input) const;
  QString plannerHint(const Refusal& refused) const;
  void sheetTextsChanged();
  void showRefusal(QLabel* beside, const QString& why);
  void showChoiceInTable();
  void pickRow(const QModelIndex& proxyRow);
  void keepSatelliteFor(const SatelliteCatalog& list);
  void splitPastedPair(QLineEdit* box, bool whole);
  QString satelliteTyped() const;
  QString obstacleText(int row) const;

  PlannerServices m_services;
  std::unique_ptr<QSettings> m_ownSettings;
  QSettings* m_settings = nullptr;
  Dialogs m_dialogs;

  SatelliteCatalog m_list;
  QString m_listPath;  // "" for the built-in list
  // The one job of the inputs, shared with the table and the preview.
  std::shared_ptr<Job> m_job;
  // The last job's satellite as a position ("28.2E"), and that position
  // where the satellite box holds a name the list in effect lacks: the job
  // keeps its satellite until the user types or picks another.
  QString m_lastPosition;
  std::optional<QString> m_keptPosition;
  std::optional<HorizonProfile> m_horizon;
  QString m_horizonPath;
  QTimer m_recompute;

  struct Controls {
    QLineEdit* latitude = nullptr;
    QLabel* latitudeLetter = nullptr;  // N or S, large, beside the box
    QLabel* latitudeUnderstood = nullptr;
    QLineEdit* longitude = nullptr;
    QLabel* longitudeLetter = nullptr;  // E or W
    QLabel* longitudeUnderstood = nullptr;
    QRadioButton* modelDeclination = nullptr;
    QDateEdit* date = nullptr;
    QRadioButton* typedDeclination = nullptr;
    QLineEdit* declination = nullptr;
    QLabel* declinationSource = nullptr;
    QDoubleSpinBox* offsetAngle = nullptr;
    QCheckBox* polarMount = nullptr;
    QSpinBox* dishSize = nullptr;
    QDoubleSpinBox* frequency = nullptr;
    QLineEdit* timeZone = nullptr;
    QLabel* timeZoneUnderstood = nullptr;
    QLineEdit* multifeedSatellite = nullptr;  // a satellite to add as an extra LNB
    QPushButton* addMultifeed = nullptr;
    QListWidget* multifeeds = nullptr;  // the extra LNBs, as typed
    QPushButton* removeMultifeed = nullptr;
    QSpinBox* focalLength = nullptr;  // mm; its lowest, 0, is "assumed"
    QLabel* multifeedMessage = nullptr;
    QTableWidget* obstacles = nullptr;  // a row an obstacle: its azimuths and its top
    QPushButton* addObstacle = nullptr;
    QPushButton* removeObstacle = nullptr;
    QPushButton* horizon = nullptr;  // opens a horizon profile
    QPushButton* clearHorizon = nullptr;
    QLabel* obstaclesMessage = nullptr;  // the horizon profile in effect, or a refusal
    QLineEdit* customer = nullptr;
    QLineEdit* address = nullptr;
    QLineEdit* notes = nullptr;
    QLabel* notesRoom = nullptr;  // the characters left
    QLabel* sheetTextMessage = nullptr;  // a refused customer, address or notes
    QLineEdit* satellite = nullptr;  // the job's satellite: a name or a position
    QLabel* satelliteUnderstood = nullptr;
    QLabel* listName = nullptr;
    QLabel* listStatus = nullptr;
    QLineEdit* filter = nullptr;
    QCheckBox* showAll = nullptr;
    QTableView* table = nullptr;
    QSplitter* columns = nullptr;  // the form, the satellites and the sheet
    QSplitter* tableAndResults = nullptr;
    QPlainTextEdit* results = nullptr;
    QComboBox* paper = nullptr;
    SheetPreview* preview = nullptr;
  } m_ui;
  SatelliteTableModel* m_model = nullptr;
  SatelliteFilter* m_filter = nullptr;

  QAction* m_openList = nullptr;
  QAction* m_todayList = nullptr;
  QAction* m_ninetiesList = nullptr;
  QAction* m_saveSheet = nullptr;
  QAction* m_print = nullptr;
  QAction* m_copyCommand = nullptr;
  QAction* m_quit = nullptr;
  QMenu* m_recentMenu = nullptr;
};

// The path a sheet is saved to: as given where it ends in .pdf, .svg or
// .png, else with the extension of the type chosen in the dialog, such as
// "PDF (*.pdf)" (PDF where none is).
QString withSheetExtension(const QString& path, const QString& chosenType);

}  // namespace vantorel
