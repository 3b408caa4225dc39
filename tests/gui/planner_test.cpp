// The planner through real keys and clicks on the offscreen platform: a site
// typed, a fixture list opened, a satellite filtered for and chosen, and the
// figures the job gives for the same inputs; a refused list; the settings
// kept; the preview against the PNG written; printing to a PDF.

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPdfDocument>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPrinter>
#include <QRadioButton>
#include <QSettings>
#include <QSplitter>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QListWidget>
#include <QtTest>

#include "hemisphere.h"
#include "job_builder.h"
#include "planner_window.h"
#include "result_printing.h"
#include "satellite_table.h"
#include "scale_bar.h"
#include "sheet_preview.h"

using namespace vantorel;

namespace {

const QString kFixtures = QStringLiteral(VANTOREL_LIST_FIXTURES);

PlannerServices realServices() { return {buildJob, loadSatelliteList, builtInSatelliteList}; }

}  // namespace

class PlannerTest : public QObject {
  Q_OBJECT

  QTemporaryDir m_dir;
  std::unique_ptr<QSettings> m_settings;
  QPointer<PlannerWindow> m_window;
  QStringList m_refusals;  // what the window said in a dialog
  QString m_horizonFile;   // what the horizon profile's dialog answers

  template <typename T = QWidget>
  T* find(const char* name) const {
    return m_window->findChild<T*>(QString::fromLatin1(name));
  }
  // Clicks into the box and replaces its text with keys.
  void enter(const char* name, const QString& text) const {
    auto* box = find<QLineEdit>(name);
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
  }
  // A check box or radio button takes a click on its box or its words, at
  // its left, not at the middle of the room its layout gives it.
  void check(const char* name) const {
    QWidget* button = find(name);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
  }
  void settle() const { QTest::qWait(1); }
  void clickRow(int row) const {
    auto* table = find<QTableView>("satellites");
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(table->model()->index(row, 0)).center());
    settle();
  }
  QString said(const char* label) const { return find<QLabel>(label)->text(); }
  void openWindow() {
    m_window = new PlannerWindow(realServices(), m_settings.get());
    m_window->setDialogs({[] { return QString(); }, [this] { return m_horizonFile; },
                          [](const QString&) { return QString(); }, [](QPrinter&) { return false; },
                          [this](const QString& why) { m_refusals << why; }});
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    settle();
  }

 private slots:
  void init() {
    m_settings = std::make_unique<QSettings>(m_dir.filePath(QStringLiteral("planner.ini")), QSettings::IniFormat);
    m_settings->clear();
    openWindow();
  }
  void cleanup() {
    delete m_window;
    m_settings.reset();
  }

  // What a new user does: the site as a map gives it, a receiver's list, a
  // name typed into the filter and the row clicked.
  void typedSiteListAndChoiceGiveTheJobsFigures() {
    enter("latitude", QStringLiteral("51.5074N"));
    enter("longitude", QStringLiteral("0.1278W"));
    check("typedDeclination");
    enter("declination", QStringLiteral("1.2"));
    QVERIFY(m_window->openList(kFixtures + QStringLiteral("/satellites_bands.xml")));
    enter("filter", QStringLiteral("astra 1m"));
    auto* table = find<QTableView>("satellites");
    QCOMPARE(table->model()->rowCount(), 1);
    QCOMPARE(table->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("SATELLITE"));
    QVERIFY(!table->model()->headerData(0, Qt::Vertical).toString().startsWith(QStringLiteral("SAT")));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(table->model()->index(0, 0)).center());
    settle();
    QCOMPARE(find<QLabel>("latitudeUnderstood")->text(), QStringLiteral("51°30'26.6\" N   51.507401"));

    JobRequest request;
    request.inputs = {"51.5074N", "0.1278W", "", "1.2"};
    request.date = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")).toStdString();
    request.offsetAngle = std::string("0");
    request.listEntry = 9;
    request.everySatellite = true;
    request.sunOutage = OutageCriterion{};
    const Job expected = buildJob(request, loadSatelliteList((kFixtures + "/satellites_bands.xml").toStdString()), "");
    QVERIFY(m_window->job() && m_window->job()->chosen);
    QCOMPARE(m_window->job()->chosen->name, std::string("Astra 1KR/1M/1N/1P (19.2E)"));
    QVERIFY(find<QPlainTextEdit>("results")->toPlainText().startsWith(QString::fromStdString(satelliteLines(expected))));
    QVERIFY(m_window->commandLine().contains(QStringLiteral("--satellite 'Astra 1KR/1M/1N/1P (19.2E)'")));
    // A name that finds more than the chosen satellite is copied as its
    // position, which finds only it.
    QFile twins(m_dir.filePath(QStringLiteral("twins.txt")));
    QVERIFY(twins.open(QIODevice::WriteOnly));
    twins.write("19.2E Astra\n28.2E Astra\n");
    twins.close();
    QVERIFY(m_window->openList(twins.fileName()));
    enter("filter", QString());
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(table->model()->index(1, 0)).center());
    settle();
    QVERIFY2(m_window->commandLine().contains(QStringLiteral("--satellite 28.2E")), qPrintable(m_window->commandLine()));

    // A site that cannot be read says so in place, and leaves no sheet.
    enter("latitude", QStringLiteral("51,5"));
    settle();
    QCOMPARE(find<QLabel>("latitudeUnderstood")->property("refused").toBool(), true);
    QVERIFY(find<QLabel>("latitudeUnderstood")->text().contains(QStringLiteral("Type 51.5")));
    QVERIFY(!m_window->job());
    QVERIFY(find<SheetPreview>("preview")->image().isNull());
    QCOMPARE(table->model()->rowCount(), 0);
    QVERIFY(find<QPlainTextEdit>("results")->toPlainText().contains(QStringLiteral("Type 51.5")));
    // A refused satellite leaves the site's table to pick from, and says
    // why beside its box.
    enter("latitude", QStringLiteral("51.5074N"));
    enter("satellite", QStringLiteral("Hot Bird"));
    settle();
    QVERIFY(!m_window->job());
    QCOMPARE(table->model()->rowCount(), 2);
    QVERIFY(said("satelliteUnderstood").startsWith(QStringLiteral("No satellite in")));
    // In the planner's words, not the command line's.
    const QString refusal = find<QPlainTextEdit>("results")->toPlainText();
    QVERIFY2(refusal.contains(QStringLiteral("pick one in the table")) && !refusal.contains(QStringLiteral("--")),
             qPrintable(refusal));
    clickRow(0);
    QVERIFY(m_window->job());
    QCOMPARE(find<QLineEdit>("satellite")->text(), QStringLiteral("19.2E"));
  }

  // Sites as maps give them, typed or pasted as one pair: unlettered North
  // and East positive, the hemisphere shown large, and the command line
  // lettered so that it computes the same site.
  void mapSitesAreReadAsMapsWriteThem_data() {
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("latitude");
    QTest::addColumn<QString>("longitude");
    QTest::addColumn<QString>("letters");
    QTest::addColumn<QString>("lettered");
    QTest::newRow("London typed") << QString() << "51.5074" << "-0.1278" << "NW"
                                  << "--latitude 51.5074N --longitude 0.1278W";
    QTest::newRow("Sydney pasted") << "-33.8688, 151.2093" << "-33.8688" << "151.2093" << "SE"
                                   << "--latitude 33.8688S --longitude 151.2093E";
    QTest::newRow("GPS minutes") << QString() << "N51 30.44" << "0 7.668 W" << "NW"
                                 << "--latitude 'N51 30.44' --longitude '0 7.668 W'";
  }
  void mapSitesAreReadAsMapsWriteThem() {
    QFETCH(QString, pasted);
    QFETCH(QString, latitude);
    QFETCH(QString, longitude);
    QFETCH(QString, letters);
    QFETCH(QString, lettered);
    if (pasted.isEmpty()) {
      enter("latitude", latitude);
      enter("longitude", longitude);
    } else {
      QApplication::clipboard()->setText(pasted);
      enter("latitude", QString());
      QTest::keyClick(find("latitude"), Qt::Key_V, Qt::ControlModifier);
      QCOMPARE(find<QLineEdit>("latitude")->text(), latitude);
      QCOMPARE(find<QLineEdit>("longitude")->text(), longitude);
    }
    enter("satellite", QStringLiteral("28.2E"));
    settle();
    QCOMPARE(said("latitudeLetter") + said("longitudeLetter"), letters);
    QVERIFY(m_window->job() && m_window->job()->chosen);
    JobRequest request;
    request.inputs = {mapLettered(Field::Latitude, latitude.toStdString()),
                     mapLettered(Field::Longitude, longitude.toStdString()), "28.2E", ""};
    request.automaticDeclination = true;
    request.date = QDate::currentDate().toString(Qt::ISODate).toStdString();
    request.typedSatellite = true;
    const Job expected = buildJob(request, builtInSatelliteList(BuiltInList::Today), "");
    QCOMPARE(m_window->job()->site.longitudeDecimal, expected.site.longitudeDecimal);
    QCOMPARE(m_window->job()->chosen->angles.azimuthTrueText, expected.chosen->angles.azimuthTrueText);
    QCOMPARE(expected.site.longitudeDecimal.front() == '-', letters.endsWith(QLatin1Char('W')));
    QVERIFY2(m_window->commandLine().contains(lettered), qPrintable(m_window->commandLine()));
  }

  // A pair typed key by key is split when the box is left; a window closed
  // with such a box in focus goes quietly.
  void aTypedPairIsSplitOnLeaving() {
    enter("latitude", QStringLiteral("51.5074, -0.1278"));
    QCOMPARE(find<QLineEdit>("latitude")->text(), QStringLiteral("51.5074, -0.1278"));
    delete m_window;
    openWindow();
    enter("latitude", QStringLiteral("51.5074, -0.1278"));
    QTest::keyClick(find("latitude"), Qt::Key_Tab);
    QCOMPARE(find<QLineEdit>("latitude")->text(), QStringLiteral("51.5074"));
    QCOMPARE(find<QLineEdit>("longitude")->text(), QStringLiteral("-0.1278"));
  }

  // The job's satellite is the box's: no list, filter, sort, Tab or restart
  // changes it; a row clicked or reached with the arrows does.
  void theSatelliteChangesOnlyWhenTypedOrPicked() {
    enter("latitude", QStringLiteral("51.5074"));
    enter("longitude", QStringLiteral("-0.1278"));
    settle();
    QVERIFY(m_window->job() && !m_window->job()->chosen);  // none by itself
    QVERIFY(m_window->openList(kFixtures + QStringLiteral("/satellites_bands.xml")));
    QVERIFY(!m_window->job()->chosen);
    enter("filter", QStringLiteral("astra"));
    auto* table = find<QTableView>("satellites");
    QVERIFY(table->model()->rowCount() > 1);
    clickRow(0);
    const std::string picked = m_window->job()->chosen->name;
    QCOMPARE(find<QLineEdit>("satellite")->text().toStdString(), picked);
    QTest::keyClick(table, Qt::Key_Down);
    settle();
    QVERIFY(m_window->job()->chosen->name != picked);
    const std::string chosen = m_window->job()->chosen->name;
    QTest::keyClick(table, Qt::Key_Tab);
    settle();
    QVERIFY(!table->hasFocus());
    table->sortByColumn(SatelliteTableModel::Elevation, Qt::DescendingOrder);
    enter("filter", QStringLiteral("hot bird"));
    settle();
    QCOMPARE(m_window->job()->chosen->name, chosen);
    // A list without it keeps it by its position and says so; the filter
    // holds for the new list's rows.
    enter("filter", QStringLiteral("thor"));
    const Single west = m_window->job()->chosen->longitudeWest;
    QVERIFY(m_window->openList(kFixtures + QStringLiteral("/plain_positions.txt")));
    settle();
    QCOMPARE(m_window->job()->chosen->longitudeWest, west);
    QCOMPARE(find<QLineEdit>("satellite")->text().toStdString(), chosen);
    QVERIFY(said("satelliteUnderstood").contains(QStringLiteral("is not in this list")));
    QCOMPARE(table->model()->rowCount(), 1);
    m_window->close();
    delete m_window;
    openWindow();
    QCOMPARE(m_window->job()->chosen->longitudeWest, west);
    QCOMPARE(find<QLineEdit>("satellite")->text().toStdString(), chosen);
  }

  // Obstacles typed into their table and a horizon profile opened give
  // every satellite its clearance, the table a column for it, and the
  // results the clearance, the sun on the bearing and their command line.
  void obstaclesAndTheHorizonGiveTheClearance() {
    enter("latitude", QStringLiteral("51.5074N"));
    enter("longitude", QStringLiteral("0.1278W"));
    enter("satellite", QStringLiteral("28.2E"));
    auto* table = find<QTableView>("satellites");
    settle();
    QVERIFY(table->isColumnHidden(SatelliteTableModel::Clearance));
    QTest::mouseClick(find("addObstacle"), Qt::LeftButton);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("140-150"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    auto* obstacles = find<QTableWidget>("obstacles");
    obstacles->setCurrentCell(0, 1);
    QTest::keyClick(obstacles, Qt::Key_F2);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("8m@15m"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    settle();
    QVERIFY(m_window->job() && m_window->job()->chosen->clearance);
    QCOMPARE(m_window->job()->chosen->clearanceText, std::string("-2.71"));
    QVERIFY(!table->isColumnHidden(SatelliteTableModel::Clearance));
    const QString results = find<QPlainTextEdit>("results")->toPlainText();
    QVERIFY(results.contains(QStringLiteral("CLEARANCE         -2.71 (over the obstacle 140-150°, 28.1°)")));
    QVERIFY(results.contains(QStringLiteral("SUN ON BEARING")));
    QVERIFY(m_window->commandLine().contains(QStringLiteral("--obstacle 140-150:8m@15m")));

    m_horizonFile = m_dir.filePath(QStringLiteral("roofline.csv"));
    QFile profile(m_horizonFile);
    QVERIFY(profile.open(QIODevice::WriteOnly));
    profile.write("azimuth,elevation\n100,30\n200,30\n");
    profile.close();
    QTest::mouseClick(find("horizon"), Qt::LeftButton);
    settle();
    QVERIFY(find<QLabel>("obstaclesMessage")->text().startsWith(QStringLiteral("Horizon profile roofline.csv: 2")));
    QCOMPARE(m_window->job()->chosen->clearanceOver, std::string("the horizon profile, 30.0°"));
    QVERIFY(m_window->commandLine().contains(QStringLiteral("--horizon ") + m_horizonFile));
    // A profile that is none is refused with its line, and the one open
    // stays the job's.
    QFile bad(m_dir.filePath(QStringLiteral("bad.csv")));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("100,30\n200,tree\n");
    bad.close();
    QVERIFY(!m_window->openHorizon(bad.fileName()));
    QVERIFY(find<QLabel>("obstaclesMessage")->text().startsWith(QStringLiteral("bad.csv:2: found \"200,tree\"")));
    settle();
    QVERIFY(m_window->commandLine().contains(QStringLiteral("--horizon ") + m_horizonFile));
    // A top that is no elevation is refused beside the table.
    obstacles->setCurrentCell(0, 1);
    QTest::keyClick(obstacles, Qt::Key_F2);
    QTRY_VERIFY(QApplication::focusWidget() && QApplication::focusWidget()->parentWidget() == obstacles->viewport());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("95"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_VERIFY(!m_window->job());
    QVERIFY(find<QLabel>("obstaclesMessage")->text().startsWith(QStringLiteral("The obstacle \"140-150:95\"")));
    QTest::mouseClick(find("removeObstacle"), Qt::LeftButton);
    QTest::mouseClick(find("clearHorizon"), Qt::LeftButton);
    settle();
    QVERIFY(m_window->job() && !m_window->job()->chosen->clearance);
  }

  // Extra LNBs typed beside the main satellite, by position and by name,
  // go into the job, its lines and the command line; removed, they go.
  void multifeedLnbsJoinTheJob() {
    enter("latitude", QStringLiteral("51.5074N"));
    enter("longitude", QStringLiteral("0.1278W"));
    settle();
    enter("filter", QStringLiteral("astra 1n"));
    auto* table = find<QTableView>("satellites");
    QCOMPARE(table->model()->rowCount(), 1);
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(table->model()->index(0, 0)).center());
    enter("multifeedSatellite", QStringLiteral("13E"));
    QTest::keyClick(find("multifeedSatellite"), Qt::Key_Return);
    enter("multifeedSatellite", QStringLiteral("astra 28.2"));
    QTest::mouseClick(find("addMultifeed"), Qt::LeftButton);
    settle();
    QVERIFY(find<QLineEdit>("multifeedSatellite")->text().isEmpty());  // ready for the next
    QVERIFY(m_window->job());
    QCOMPARE(m_window->job()->multifeeds.size(), std::size_t{2});
    QCOMPARE(m_window->job()->multifeeds[1].satellite.name, std::string("ASTRA 2G & ASTRA 2F"));
    QVERIFY(find<QPlainTextEdit>("results")->toPlainText().contains(QStringLiteral("MULTIFEED         13° E")));
    QVERIFY(m_window->commandLine().contains(QStringLiteral("--multifeed 13E --multifeed 'astra 28.2'")));
    // The focal length goes down to the shortest the command line takes;
    // one step under it stands for none typed.
    auto* focal = find<QSpinBox>("focalLength");
    focal->setFocus();
    QTest::keyClick(focal, Qt::Key_Up);
    settle();
    QVERIFY2(m_window->commandLine().contains(QStringLiteral("--focal-length 50")), qPrintable(m_window->commandLine()));
    QTest::keyClick(focal, Qt::Key_Down);
    QTest::keyClick(focal, Qt::Key_Down);
    settle();
    QCOMPARE(focal->text(), focal->specialValueText());
    QVERIFY(!m_window->commandLine().contains(QStringLiteral("--focal-length")));
    auto* list = find<QListWidget>("multifeeds");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    QTest::mouseClick(find("removeMultifeed"), Qt::LeftButton);
    settle();
    QCOMPARE(m_window->job()->multifeeds.size(), std::size_t{1});
    // The main satellite itself is refused, and says why.
    enter("multifeedSatellite", QStringLiteral("19.2E"));
    QTest::keyClick(find("multifeedSatellite"), Qt::Key_Return);
    settle();
    QVERIFY(!m_window->job());
    QVERIFY(find<QPlainTextEdit>("results")->toPlainText().contains(QStringLiteral("the satellite the dish aims at")));
  }

  // A list that cannot be read, opened or dropped, shows FILE:LINE in the
  // window, and the list in effect stays.
  void refusedListKeepsThePreviousOne() {
    enter("satellite", QStringLiteral("28.2E"));
    settle();
    const std::string before = m_window->job()->chosen->position;
    const QString bad = m_dir.filePath(QStringLiteral("bad.txt"));
    QFile file(bad);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("19.2E Astra\n13 Hot Bird\n");
    file.close();
    QVERIFY(!m_window->openList(bad));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(bad)});
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(m_window, &drop);
    // One local file may be dropped; two, or a web address, may not.
    const auto welcomed = [this](const QList<QUrl>& urls) {
      QMimeData dragged;
      dragged.setUrls(urls);
      QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &dragged, Qt::LeftButton, {});
      QApplication::sendEvent(m_window, &enter);
      return enter.isAccepted();
    };
    QVERIFY(welcomed({QUrl::fromLocalFile(bad)}));
    QVERIFY(!welcomed({QUrl::fromLocalFile(bad), QUrl::fromLocalFile(bad)}));
    QVERIFY(!welcomed({QUrl(QStringLiteral("https://example.org/list.xml"))}));
    QCOMPARE(find<QLabel>("listStatus")->text(), bad + QStringLiteral(":2: found the position \"13\" without its "
                                                                       "hemisphere letter, expected East or West: "
                                                                       "write 13E or 13W"));
    QVERIFY(find<QLabel>("listStatus")->isVisible());
    QCOMPARE(m_window->job()->chosen->position, before);
    QCOMPARE(find<QTableView>("satellites")->model()->rowCount() > 0, true);
    // The refusal goes when a list loads.
    QVERIFY(m_window->openList(kFixtures + QStringLiteral("/plain_positions.txt")));
    QVERIFY(!find<QLabel>("listStatus")->isVisible());
  }

  // A key typed computes the job once, not again and again; a key typed
  // in the sheet's texts computes nothing and draws the sheet again.
  void eachKeyComputesTheJobOnce() {
    int jobs = 0;
    PlannerServices counting = realServices();
    counting.buildJob = [&jobs](const JobRequest& request, const SatelliteCatalog& list, std::string_view name) {
      ++jobs;
      return buildJob(request, list, name);
    };
    delete m_window;
    m_window = new PlannerWindow(counting, m_settings.get());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    enter("satellite", QStringLiteral("28.2E"));
    settle();
    jobs = 0;
    QTest::keyClick(find<QLineEdit>("satellite"), Qt::Key_Backspace);
    QTest::qWait(20);
    QCOMPARE(jobs, 1);
    settle();
    jobs = 0;
    const std::shared_ptr<Job> job = m_window->job();
    const QImage before = find<SheetPreview>("preview")->image();
    QTest::keyClicks(find<QLineEdit>("customer"), QStringLiteral("Ng"));
    QTest::qWait(20);
    QCOMPARE(jobs, 0);
    QCOMPARE(m_window->job(), job);
    QCOMPARE(job->customer, std::string("Ng"));
    QVERIFY(find<SheetPreview>("preview")->image() != before);
    // A text refused is said beside the texts, and mended, the sheet is back.
    find<QLineEdit>("customer")->setText(QStringLiteral("Ng\tLtd"));
    settle();
    QVERIFY(!m_window->job());
    QVERIFY(find<QLabel>("sheetTextMessage")->property("refused").toBool());
    find<QLineEdit>("customer")->setText(QStringLiteral("Ng Ltd"));
    settle();
    QVERIFY(m_window->job());
    QCOMPARE(m_window->job()->customer, std::string("Ng Ltd"));
  }

  // What a box was understood as changes under it without moving the
  // boxes below, so that a click lands where it was aimed.
  void nothingMovesAsTheUnderstoodLinesChange() {
    const auto placeOf = [this](const char* name) { return find(name)->mapTo(m_window, QPoint()); };
    const QPoint customer = placeOf("customer"), longitude = placeOf("longitude");
    enter("latitude", QStringLiteral("51,5074"));
    enter("timeZone", QStringLiteral("Europe/Nowhere Near Any Zone At All"));
    QTest::qWait(50);  // the layouts' own pass
    QVERIFY(find<QLabel>("latitudeUnderstood")->property("refused").toBool());
    QCOMPARE(placeOf("longitude"), longitude);
    QCOMPARE(placeOf("customer"), customer);
  }

  // A first start: the window's opening site (42°01' N, 91°01' W, lettered
  // so that the planner's map reading keeps it West), the model's
  // declination, the usual dish, today's list and no satellite chosen. A
  // site kept by a planner that read longitudes West positive stays put.
  void firstStartOpensAsTheWindowDoes() {
    QCOMPARE(find<QLineEdit>("longitude")->text(), QStringLiteral("0910100W"));
    QVERIFY(find<QRadioButton>("modelDeclination")->isChecked());
    QVERIFY(m_window->job() && !m_window->job()->chosen);
    QCOMPARE(m_window->job()->site.longitudeDecimal, std::string("-91.016670"));
    QCOMPARE(m_window->job()->site.declinationSource, DeclinationSource::Model);
    QCOMPARE(m_window->job()->listed.size(), builtInSatelliteList(BuiltInList::Today).entries.size());
    delete m_window;
    m_settings->clear();
    m_settings->setValue(QStringLiteral("site/longitude"), QStringLiteral("-151.2093"));
    openWindow();
    QCOMPARE(find<QLineEdit>("longitude")->text(), QStringLiteral("151.2093E"));
    m_window->close();
    QCOMPARE(m_settings->value(QStringLiteral("site/convention")).toString(), QStringLiteral("map"));
  }

  // What the window keeps is read back by the next one.
  void settingsAreKeptBetweenRuns() {
    auto* columns = find<QSplitter>("columns");
    QList<int> sizes = columns->sizes();
    sizes[1] -= 60;
    sizes[2] += 60;
    columns->setSizes(sizes);
    enter("latitude", QStringLiteral("33.87S"));
    enter("satellite", QStringLiteral("101W"));
    check("polarMount");
    // The zones complete from any part of the name, in any case.
    enter("timeZone", QStringLiteral("lond"));
    QCOMPARE(find<QLineEdit>("timeZone")->completer()->currentCompletion(), QStringLiteral("Europe/London"));
    enter("timeZone", QStringLiteral("Europe/London"));
    QVERIFY(m_window->openList(kFixtures + QStringLiteral("/plain_positions.txt")));
    m_window->close();
    delete m_window;
    QCOMPARE(m_settings->value(QStringLiteral("site/latitude")).toString(), QStringLiteral("33.87S"));
    openWindow();
    QCOMPARE(find<QLineEdit>("latitude")->text(), QStringLiteral("33.87S"));
    QCOMPARE(find<QSplitter>("columns")->sizes(), sizes);
    QVERIFY(find<QCheckBox>("polarMount")->isChecked());
    QVERIFY(find<QLabel>("listName")->text().startsWith(QStringLiteral("plain_positions.txt")));
    QVERIFY(m_window->job()->site.polarMount);
    QCOMPARE(m_window->job()->sunOutage->zone, std::string("Europe/London"));
  }

  // Every button a screen reader reaches has a name to say, the filter's
  // clear button, which Qt adds with none, included; and no two share a
  // place, where one would hide the other.
  void everyButtonHasAName() {
    enter("filter", QStringLiteral("astra"));
    QList<QAbstractButton*> shown;
    for (QAbstractButton* button : m_window->findChildren<QAbstractButton*>()) {
      if (!button->isVisible()) continue;
      QVERIFY2(!button->text().isEmpty() || !button->accessibleName().isEmpty(), qPrintable(button->objectName()));
      const QRect place(button->mapTo(m_window, QPoint()), button->size());
      for (QAbstractButton* other : shown) {
        const QRect otherPlace(other->mapTo(m_window, QPoint()), other->size());
        QVERIFY2(!place.intersects(otherPlace), qPrintable(button->text() + QStringLiteral(" / ") + other->text()));
      }
      shown << button;
    }
    QVERIFY(shown.size() > 5);
    // Each input says what it takes when the pointer rests on it.
    for (const char* name : {"latitude", "declination", "dishSize", "focalLength", "obstacles", "satellite", "filter"}) {
      QVERIFY2(!find(name)->toolTip().isEmpty(), name);
    }
  }

  // Today's list opens by default and says its date; the 1990s list is a
  // menu away, is copied as --builtin-list 1990s and reopens next time.
  void builtInListsAreChosenByName() {
    enter("satellite", QStringLiteral("101W"));
    const QString today = QString::fromStdString(std::string(todayListDate()));
    QVERIFY(find<QLabel>("listName")->text().startsWith(QStringLiteral("The built-in list of ") + today));
    QVERIFY(!m_window->commandLine().contains(QStringLiteral("--builtin-list")));
    QAction* nineties = nullptr;
    for (QAction* action : m_window->findChildren<QAction*>()) {
      if (action->text().contains(QStringLiteral("1990s"))) nineties = action;
    }
    QVERIFY(nineties);
    nineties->trigger();
    settle();
    QCOMPARE(m_window->job()->listed.size(), std::size_t{69});
    QVERIFY(m_window->commandLine().contains(QStringLiteral("--builtin-list 1990s")));
    m_window->close();
    delete m_window;
    openWindow();
    QCOMPARE(m_window->job()->listed.size(), std::size_t{69});
    QVERIFY(find<QLabel>("listName")->text().startsWith(QStringLiteral("The built-in list of the 1990s")));
  }

  // The preview is the page the PNG holds, Ctrl+S writes it, and printing
  // goes through QPrinter at true size.
  void previewSaveAndPrintShowOnePage() {
    enter("customer", QStringLiteral("J. Smith/Flat 2"));
    enter("notes", QStringLiteral("Chimney to the south"));
    QCOMPARE(find<QLabel>("notesRoom")->text(), QStringLiteral("280 characters left"));
    enter("satellite", QStringLiteral("101W"));
    settle();
    const QString png = m_dir.filePath(QStringLiteral("sheet.png"));
    QString suggested;
    m_window->setDialogs({[] { return QString(); }, [] { return QString(); },
                          [&](const QString& name) {
                            suggested = name;
                            return withSheetExtension(m_dir.filePath(QStringLiteral("sheet")), QStringLiteral("PNG (*.png)"));
                          },
                          [](QPrinter&) { return false; }, [this](const QString& why) { m_refusals << why; }});
    QTest::keyClick(m_window, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(suggested, QStringLiteral("J. Smith-Flat 2 - 101W - %1.pdf").arg(QDate::currentDate().toString(Qt::ISODate)));
    QCOMPARE(QImage(png).convertToFormat(QImage::Format_RGB32), find<SheetPreview>("preview")->imageAt(150));
    // A name the sheet cannot be written to is refused in a dialog.
    QVERIFY(!m_window->saveSheet(m_dir.filePath(QStringLiteral("no-such-folder/sheet.pdf"))));
    QCOMPARE(m_refusals.size(), 1);
    QVERIFY(m_refusals[0].startsWith(QStringLiteral("The sheet was not saved.")));

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(m_dir.filePath(QStringLiteral("print.pdf")));
    QVERIFY(m_window->printSheet(printer));
    QPdfDocument pdf;
    QCOMPARE(pdf.load(printer.outputFileName()), QPdfDocument::Error::None);
    QCOMPARE(pdf.pageCount(), 1);
    QVERIFY(std::abs(pdf.pagePointSize(0).width() - 595.28) < 0.5);
    QVERIFY(pdf.getAllText(0).text().contains(QString::fromStdString(m_window->job()->chosen->angles.azimuthTrueText)));
    // Printed, and previewed, the bar is 50 mm.
    constexpr double kDpi = 150, kPixelsPerMm = kDpi / kMillimetresPerInch;
    const QImage printed = pdf.render(0, (pdf.pagePointSize(0) * kDpi / 72).toSize());
    const QImage previewed = find<SheetPreview>("preview")->imageAt(kDpi);
    for (const QImage& page : {printed, previewed}) {
      const double bar = sheet_testing::measuredBarMillimetres(page, *m_window->job(), Paper::A4, kPixelsPerMm);
      QVERIFY2(std::abs(bar - 50) < 0.6, qPrintable(QStringLiteral("%1 mm").arg(bar)));
    }
  }
};

QTEST_MAIN(PlannerTest)
#include "planner_test.moc"
