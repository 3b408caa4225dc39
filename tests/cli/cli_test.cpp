// The command line through the built program, with no display at all: each
// command line with the standard output, standard error and exit status it
// must give. Expected outputs are regular expressions matched whole.

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include <cmath>
#include <random>
#include <sstream>

#include "command_line.h"
#include "command_line_property.h"
#include "deccalc.h"
#include "hemisphere.h"

class CommandLineTest : public QObject {
  Q_OBJECT

 private slots:
  void commandLine_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    const QString site = "LATITUDE          42°01'00\\.0\" N   42\\.016666\nLONGITUDE         91°01'00\\.0\" W   -91\\.016670\n";
    const QString worked = site + "SATELLITE         101° W\n%2AZIMUTH TRUE      194\\.7342\nAZIMUTH MAGNETIC  %1\n"
                                  "ELEVATION         40\\.41615\nLNB SKEW          10\\.9632\n";
    const QString usage = "vantorel: %1\nTry 'vantorel --help' for more information\\.\n";
    const QString below = "vantorel: the satellite is below the horizon here \\(elevation %1 degrees\\): no dish at "
                          "this site can see it\\.\n";
    QTest::newRow("worked row") << QStringList{"--satellite", "101"} << 0 << worked.arg("202\\.7342", "") << "";
    // The model's declination, rounded to 0.01, computes as if it were typed.
    QTest::newRow("declination auto") << QStringList{"--declination", "AUTO", "--date", "2026-12-07", "--satellite", "101"}
                                      << 0 << worked.arg("196\\.4042", "DECLINATION       -1\\.67\n") << "";
    QTest::newRow("declination typed back") << QStringList{"--declination", "-1.67", "--satellite", "101"} << 0
                                            << worked.arg("196\\.4042", "") << "";
    QTest::newRow("every input, lettered")
        << QStringList{"--latitude=420100N", "--longitude", "0910100 w", "--declination", "-8", "--satellite", "101°W",
                       "-platform", "offscreen"}
        << 0 << worked.arg("202\\.7342", "") << "";
    // Not rounded to whole degrees as the window rounds it.
    QTest::newRow("satellite at its own longitude")
        << QStringList{"--latitude", "1.3521", "--longitude", "103.8198E", "--satellite", "68.5e", "--declination", "0"}
        << 0
        << "(.*\n){2}SATELLITE         68\\.5° E\nAZIMUTH TRUE      268\\.0927\nAZIMUTH MAGNETIC  268\\.0927\n"
           "ELEVATION         48\\.95769\nLNB SKEW          87\\.67371\n"
        << "";
    QTest::newRow("southern site, East")
        << QStringList{"--latitude", "-335200", "--longitude", "-1511300", "--declination", "12.5", "--satellite",
                       "-156"}
        << 0
        << "LATITUDE          33°52'00\\.0\" S   -33\\.866665\nLONGITUDE         151°13'00\\.0\" E  151\\.216660\n"
           "SATELLITE         156° E\nAZIMUTH TRUE      8\\.539838\nAZIMUTH MAGNETIC  356\\.0398\n"
           "ELEVATION         50\\.29158\nLNB SKEW          7\\.115705\n"
        << "";
    // The slips a new user made, each now visible in the echo or a warning.
    QTest::newRow("East typed as West") << QStringList{"--latitude", "-335200", "--longitude", "1511300", "--satellite", "101"}
                                        << 0 << "(.*\n)LONGITUDE         151°13'00\\.0\" W  -151\\.216660\n(.*\n){5}"
                                        << "";
    QTest::newRow("minutes carried") << QStringList{"--latitude", "429999", "--satellite", "101"} << 0
                                     << "LATITUDE          43°40'39\\.0\" N   43\\.677502\n(.*\n){6}"
                                     << "vantorel: the latitude 429999 has 99 minutes and 99 seconds; read as "
                                        "43°40'39\\.0\" N\n";
    QTest::newRow("below the horizon") << QStringList{"--latitude", "33.87S", "--longitude", "151.21E", "--satellite", "-68.5"}
                                       << 0 << "(.*\n){7}" << below.arg("-2\\.642809");
    QTest::newRow("low") << QStringList{"--latitude", "60", "--satellite", "160"} << 0 << "(.*\n){5}ELEVATION +1\\.633751\n.*\n"
                         << "vantorel: the satellite stands only 1\\.633751 degrees above the horizon, where terrain, "
                            "buildings and the atmosphere usually get in the way\\.\n";
    QTest::newRow("sign and letter") << QStringList{"--latitude", "-33.87S", "--satellite", "1"} << 1 << ""
                                     << "vantorel: Latitude \"-33\\.87S\" has both a minus sign and a hemisphere "
                                        "letter; give one or the other\\. .*\n";
    QTest::newRow("letter of the other axis") << QStringList{"--longitude", "151N", "--satellite", "1"} << 1 << ""
                                              << "vantorel: Longitude \"151N\" ends in a letter a longitude does not "
                                                 "take; a longitude takes E or W\\. .*\n";
    QTest::newRow("declination, neither") << QStringList{"--declination", "magnetic", "--satellite", "1"} << 1 << ""
                                          << "vantorel: Declination \"magnetic\" is not a number\\. .* Or give auto "
                                             "for the World Magnetic Model's\\.\n";
    QTest::newRow("mount") << QStringList{"--satellite", "101", "--offset-angle", "22.3", "--motor"} << 0
                           << "(.*\n){6}LNB SKEW                10\\.9632\nDISH FACE TILT          18\\.11615\n"
                              "POLAR AXIS ELEVATION    42\\.01667, the mount faces true south\n"
                              "MOUNT AZIMUTH MAGNETIC  188\nDECLINATION OFFSET      6\\.507246\n"
                              "MOTOR ANGLE             11\\.23829° W\n"
                           << "";
    QTest::newRow("mount at a pole") << QStringList{"--latitude", "90N", "--all", "--motor"} << 1 << ""
                                     << "vantorel: Latitude \"90\" is a pole, .*\n";
    const QString lists = VANTOREL_LIST_FIXTURES;
    const QString skipped = "vantorel: " + lists + "/celestrak_geo\\.%1: left out 1 object that is not near the "
                            "geostationary orbit\\.\n";
    QTest::newRow("receivers' list, by name") << QStringList{"--satellites", lists + "/satellites.xml", "--satellite", "astra 1kr"}
                                              << 0 << "(.*\n){2}SATELLITE         Astra 1KR/1L/1M/1N \\(19\\.2E\\), 19\\.2° E\n(.*\n){4}"
                                              << below.arg("-22\\.88718");
    QTest::newRow("orbital data, notes") << QStringList{"--satellites", lists + "/celestrak_geo.csv", "--all", "--date", "2027-03-01"}
                                         << 0 << "(.*\n){3}SATELLITE +POSITION .* LNB SKEW  NOTE\n(.*\n){2}"
                                                 "SES-1 +100\\.9708° W .* 10\\.93222  elements 96 days old\n"
                                                 "GORIZONT 33 .*  inclined 5\\.22°; drifting 0\\.23°/day West; elements 167 days old\n"
                                         << skipped.arg("csv");
    QTest::newRow("TLE, by name") << QStringList{"--satellites", lists + "/celestrak_geo.tle", "--satellite", "ses 1",
                                                 "--date", "2027-03-01"}
                                  << 0 << "(.*\n){2}SATELLITE         SES-1, 100\\.9708° W\n(.*\n){4}"
                                  << skipped.arg("tle") + "vantorel: SES-1: elements 96 days old\\.\n";
    QTest::newRow("OMM JSON, CSV") << QStringList{"--satellites", lists + "/celestrak_geo.json", "--all", "--csv", "--min-elevation", "0"}
                                   << 0 << "\"SITE LATITUDE\",.*,\"NOTE\"\r\n42\\.016666,-91\\.016670,\"SES-1\",.*\r\n" << skipped.arg("json");
    QTest::newRow("several named") << QStringList{"--satellite", "galaxy"} << 1 << ""
                                   << "vantorel: \"galaxy\" names 9 satellites in the built-in list; give one of them "
                                      "more fully:\n(vantorel:   Galaxy .*, .*° W\n){9}";
    QTest::newRow("none named") << QStringList{"--satellite", "Astra 1KR"} << 1 << ""
                                << "vantorel: No satellite in the built-in list is named \"Astra 1KR\"; vantorel --all "
                                   "lists the names\\. .*\n";
    QTest::newRow("a slip, not a name") << QStringList{"--satellite", "12,5"} << 1 << ""
                                        << "vantorel: Satellite longitude \"12,5\" is not a number\\. Type 12\\.5, .*\n";
    QTest::newRow("list missing") << QStringList{"--satellites", "/nonexistent.txt", "--all"} << 1 << ""
                                  << "vantorel: /nonexistent\\.txt: .*\n";
    QTest::newRow("sheet, not a format") << QStringList{"--satellite", "1", "--sheet", "job.txt"} << 2 << ""
                                         << usage.arg("--sheet takes a file name ending in \\.pdf, \\.svg or \\.png, not 'job\\.txt'\\.");
    QTest::newRow("sheet with all") << QStringList{"--all", "--sheet", "job.pdf"} << 2 << ""
                                    << usage.arg("--sheet goes with --satellite, not with --all\\.");
    QTest::newRow("sheet unwritable") << QStringList{"--satellite", "1", "--sheet", "/nonexistent/job.svg"} << 1 << ""
                                      << "vantorel: the sheet '/nonexistent/job\\.svg' cannot be written: .*\n";
    QTest::newRow("sheet written") << QStringList{"sh", "d=$(mktemp -d) && cd \"$d\" && \"$0\" --satellite 101 --sheet j.PNG "
                                                        "--paper Letter >/dev/null && file -b j.PNG; s=$?; rm -rf \"$d\"; exit $s"}
                                   << 0 << "PNG image data, 1275 x 1650, .*\n" << "";
    QTest::newRow("min elevation") << QStringList{"--latitude", "-335200", "--longitude", "-1511300", "--all",
                                                  "--min-elevation", "5"}
                                   << 0 << "(.*\n){3}SATELLITE .*\nGE 7 +137° W .* 6\\.399368 .*\n(.*\n){6}" << "";
    QTest::newRow("min elevation, beyond") << QStringList{"--all", "--min-elevation", "91"} << 1 << ""
                                           << "vantorel: Minimum elevation \"91\" lies beyond 90 degrees\\. .*\n";
    QTest::newRow("min elevation alone") << QStringList{"--satellite", "1", "--min-elevation", "0"} << 2 << ""
                                         << usage.arg("--min-elevation needs --all\\.");
    // A reader that goes away ends the program as it ends any filter, even
    // when the signal that says so is ignored by the parent.
    QTest::newRow("closed pipe") << QStringList{"sh", "trap '' PIPE; { sleep 1; exec \"$0\" --all; } | true"} << 0 << ""
                                 << "";
    QTest::newRow("longitude, escaped") << QStringList{"--longitude", "\x1b[2J0910100\r", "--all"} << 1 << ""
                                        << "vantorel: Longitude \"\\\\x1b\\[2J0910100\\\\r\" is not a number\\. Enter.*\n";
    QTest::newRow("latitude, not UTF-8") << QStringList{"sh", "exec \"$0\" --latitude \"$(printf '51\\260')\" --all"}
                                         << 1 << "" << "vantorel: Latitude \"51\\\\xb0\" is not a number.*\n";
    QTest::newRow("satellite") << QStringList{"--declination", "-.5", "--satellite", "180.5"} << 1 << ""
                               << "vantorel: Satellite longitude \"180\\.5\" is more than 180.*\n";
    QTest::newRow("satellite, far East") << QStringList{"--satellite", "-40000"} << 1 << ""
                                         << "vantorel: Satellite longitude \"-40000\" lies outside the accepted range.*\n";
    QTest::newRow("date after the model") << QStringList{"--declination", "auto", "--date", "2030-01-01", "--all"} << 1
                                          << "" << "vantorel: The World Magnetic Model 2025 covers dates from "
                                                   "2025-01-01 to 2029-12-31; 2030-01-01 lies outside it\\. Type the "
                                                   "declination instead\\.\n";
    QTest::newRow("caution") << QStringList{"--latitude", "74.7", "--longitude", "94.8", "--declination", "auto",
                                            "--date", "2027-01-01", "--satellite", "101"}
                             << 0 << "(.*\n){3}DECLINATION       -14\\.77\n(.*\n){4}"
                             << "vantorel: Caution: the horizontal magnetic field at this site is weak \\(3379 nT.*\n";
    QTest::newRow("date, typed declination") << QStringList{"--date", "2026-01-01", "--satellite", "1"} << 2 << ""
                                             << usage.arg("--date needs --declination auto or --satellites\\.");
    QTest::newRow("unknown option") << QStringList{"--bogus"} << 2 << "" << usage.arg("Unknown option 'bogus'\\.");
    QTest::newRow("missing value") << QStringList{"--satellite"} << 2 << "" << usage.arg("--satellite needs a value\\.");
    QTest::newRow("option for a value") << QStringList{"--latitude", "--satellite", "101"} << 2 << ""
                                        << usage.arg("--latitude needs a value\\.");
    QTest::newRow("option for a value, last") << QStringList{"--satellite", "--all"} << 2 << ""
                                              << usage.arg("--satellite needs a value\\.");
    QTest::newRow("both modes") << QStringList{"--satellite", "1", "--all"} << 2 << "" << usage.arg(".*");
    QTest::newRow("csv alone") << QStringList{"--satellite", "1", "--csv"} << 2 << "" << usage.arg(".*--all.*");
    QTest::newRow("no mode") << QStringList{"--latitude", "1"} << 2 << "" << usage.arg(".*--satellite or --all.*");
    QTest::newRow("version") << QStringList{"-v"} << 0 << "Vantorel 1\\.0\\.4\n" << "";
    for (const char* option : {"--help", "-v"}) {
      QTest::addRow("%s, unwritten", option) << QStringList{"sh", QString("exec \"$0\" %1 >/dev/full").arg(option)} << 1
                                             << "" << "vantorel: the output could not be written\n";
    }
    const QString noDisplay = "vantorel: cannot open the windows: %1\\. Without a display, use the command line "
                              "\\(vantorel --satellite T, --all or --help\\); for the windows, set DISPLAY or "
                              "WAYLAND_DISPLAY\\.\n";
    QTest::newRow("no display") << QStringList{} << 1 << "" << noDisplay.arg("no display is set .*");
    QTest::newRow("display unreachable") << QStringList{"sh", "exec env DISPLAY=:7353 \"$0\""} << 1 << ""
                                         << noDisplay.arg("no display can be reached at DISPLAY=:7353");
    QTest::newRow("help") << QStringList{"--help"} << 0 << "Usage: vantorel \\[options\\]\n(.*\n)*Exit status:\n(.*\n)*"
                          << "";
    QTest::newRow("all") << QStringList{"--all"} << 0
                         << "LATITUDE   42°01'00\\.0\" N   42\\.016666\nLONGITUDE  91°01'00\\.0\" W   -91\\.016670\n"
                            "\nSATELLITE +POSITION +AZIMUTH TRUE +AZIMUTH MAGNETIC +ELEVATION +LNB SKEW\n"
                                   "EchoStar 3 +61\\.5° W +139\\.7743 +147\\.7743 +32\\.99132 +-28\\.8683\n(.*\n){67}"
                                   "PAS 5 +155\\.5° W +252\\.2813 +260\\.2812 +10\\.10148 +45\\.36979\n"
                         << "";
    QTest::newRow("csv") << QStringList{"--all", "--csv", "--declination", "auto", "--date", "2026-12-07"} << 0
                         << "\"SITE LATITUDE\",\"SITE LONGITUDE\",\"SATELLITE\",\"POSITION\",\"AZIMUTH TRUE\","
                            "\"AZIMUTH MAGNETIC\",\"ELEVATION\",\"LNB SKEW\",\"DECLINATION\"\r\n"
                            "42\\.016666,-91\\.016670,\"EchoStar 3\",\"61\\.5° W\",139\\.7743,141\\.4443,32\\.99132,"
                            "-28\\.8683,-1\\.67\r\n(.*\r\n){68}"
                         << "";
  }
  void commandLine() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(name);
    program.setProcessEnvironment(environment);
    // A row "sh SCRIPT" runs the script with the program as $0, for what a
    // list of arguments cannot give: a display, a redirection, bytes that are
    // not UTF-8.
    const bool script = arguments.value(0) == "sh";
    program.start(script ? "sh" : VANTOREL_EXECUTABLE,
                  script ? QStringList{"-c", arguments[1], VANTOREL_EXECUTABLE} : arguments);
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitCode(), status);
    const QString printed = QString::fromUtf8(program.readAllStandardOutput());
    const QString complained = QString::fromUtf8(program.readAllStandardError());
    QVERIFY2(QRegularExpression("\\A(?:" + out + ")\\z").match(printed).hasMatch(), qPrintable(printed));
    QVERIFY2(QRegularExpression("\\A(?:" + err + ")\\z").match(complained).hasMatch(), qPrintable(complained));
  }

  // Over random sites and satellites, typed as packed digits or decimal
  // degrees: the hemisphere-letter form gives the very bytes of the signed
  // form, and the echoed site reads back, in both of its forms, to the
  // decoded Single within half of its last printed digit.
  void letteredAndEchoed() {
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> degrees(0, 179), minutes(0, 59), tenths(0, 599), hemisphere(0, 1);
    const auto typed = [&](int limit, bool packed) {
      const int d = degrees(random) % limit, m = minutes(random), t = tenths(random);
      return packed ? QString::asprintf(limit == 90 ? "%02d%02d%02d.%d" : "%03d%02d%02d.%d", d, m, t / 10, t % 10)
                    : QString::asprintf("%d.%04d", d, m * 100 + t / 6);
    };
    const auto run = [](const QStringList& arguments) {
      std::ostringstream out, err;
      const int status = vantorel::runCommandLine(vantorel::parseCommandLine(QStringList{"vantorel"} + arguments), out, err);
      return std::to_string(status) + out.str() + err.str();
    };
    const auto readBack = [](const std::string& printed, const char* label, double decoded) {
      const std::string line = printed.substr(printed.find(label));
      int d = 0, m = 0;
      double s = 0, decimal = 0;
      char letter = 'N';
      QVERIFY(std::sscanf(line.c_str() + 18, "%d\u00b0%d'%lf\" %c", &d, &m, &s, &letter) == 4);
      QVERIFY(std::sscanf(line.c_str() + line.find("  ", 20), "%lf", &decimal) == 1);
      const double dms = (letter == 'S' || letter == 'W' ? -1 : 1) * (d + m / 60.0 + s / 3600);
      QVERIFY2(std::fabs(dms - decoded) <= 0.05 / 3600 + 1e-9 && std::fabs(decimal - decoded) <= 5e-7 + 1e-9,
               line.c_str());
    };
    for (int i = 0; i < 2000; ++i) {
      const bool packed = i % 2 == 0;
      const QString latitude = typed(90, packed), longitude = typed(180, packed), satellite = typed(180, false);
      const bool south = hemisphere(random), east = hemisphere(random), satelliteEast = hemisphere(random);
      const QString sign = "-";
      const std::string expected = run({"--latitude", (south ? sign : "") + latitude, "--longitude", (east ? sign : "") + longitude,
                                        "--satellite", (satelliteEast ? sign : "") + satellite});
      QCOMPARE(run({"--latitude", latitude + (south ? "S" : "n"), "--longitude", longitude + (east ? " E" : "w"),
                    "--satellite", satellite + QString::fromLatin1(satelliteEast ? "\xc2\xb0" "e" : "\xc2\xb0" "W")}),
               expected);
      const auto decoded = [](const QString& text, vantorel::Field field) {
        return static_cast<double>(vantorel::deccalc(text.toStdString(), field).DecimalDegrees);
      };
      readBack(expected, "LATITUDE", (south ? -1 : 1) * decoded(latitude, vantorel::Field::Latitude));
      readBack(expected, "LONGITUDE", vantorel::mapLongitude((east ? -1 : 1) * decoded(longitude, vantorel::Field::Longitude)));
    }
  }

  // Every argument list that once broke the command line's promise is kept
  // in the fuzzer's corpus.
  void corpusKeepsThePromise() {
    const QDir corpus(QStringLiteral(VANTOREL_FUZZ_CORPUS_DIR));
    const QStringList files = corpus.entryList(QDir::Files);
    QVERIFY(files.size() >= 8);
    for (const QString& name : files) {
      QFile file(corpus.filePath(name));
      QVERIFY(file.open(QIODevice::ReadOnly));
      const QByteArray bytes = file.readAll();
      const std::string failure =
          vantorel::checkCommandLine(reinterpret_cast<const std::uint8_t*>(bytes.constData()), bytes.size());
      QVERIFY2(failure.empty(), qPrintable(name + ": " + QString::fromStdString(failure)));
    }
  }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "cli_test.moc"
