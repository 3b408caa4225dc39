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
  // What the golden transcript (golden/) cannot hold: a reader that goes
  // away, a full disk, and no display at all.
  void commandLine_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    // A reader that goes away ends the program as it ends any filter, even
    // when the signal that says so is ignored by the parent.
    QTest::newRow("closed pipe") << QStringList{"sh", "trap '' PIPE; { sleep 1; exec \"$0\" --all --latitude 1 --longitude 1; } | true"} << 0 << ""
                                 << "";
    for (const char* option : {"--help", "-v", "--all --latitude 1 --longitude 1"}) {
      QTest::addRow("%s, unwritten", option) << QStringList{"sh", QString("exec \"$0\" %1 >/dev/full").arg(option)} << 1
                                             << "" << "vantorel: the output could not be written\n";
    }
    const QString noDisplay = "vantorel: cannot open the windows: %1\\. Without a display, use the command line "
                              "\\(vantorel --satellite T, --all or --help\\); for the windows, set DISPLAY or "
                              "WAYLAND_DISPLAY\\.\n";
    QTest::newRow("no display") << QStringList{} << 1 << "" << noDisplay.arg("no display is set .*");
    QTest::newRow("display unreachable") << QStringList{"sh", "exec env DISPLAY=:7353 \"$0\""} << 1 << ""
                                         << noDisplay.arg("no display can be reached at DISPLAY=:7353");
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
                                        "--satellite", (satelliteEast ? sign : "") + satellite, "--declination", "0"});
      QCOMPARE(run({"--latitude", latitude + (south ? "S" : "n"), "--longitude", longitude + (east ? " E" : "w"),
                    "--satellite", satellite + QString::fromLatin1(satelliteEast ? "\xc2\xb0" "e" : "\xc2\xb0" "W"),
                    "--declination", "0"}),
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
