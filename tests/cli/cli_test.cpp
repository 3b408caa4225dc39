// The command line through the built program, with no display at all: each
// command line with the standard output, standard error and exit status it
// must give. Expected outputs are regular expressions matched whole.

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include "command_line_property.h"

class CommandLineTest : public QObject {
  Q_OBJECT

 private slots:
  void commandLine_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    const QString worked = "AZIMUTH TRUE      194\\.7342\nAZIMUTH MAGNETIC  %1\nELEVATION         40\\.41615\n"
                           "LNB SKEW          10\\.9632\n";
    const QString usage = "vantorel: %1\nTry 'vantorel --help' for more information\\.\n";
    QTest::newRow("worked row") << QStringList{"--satellite", "101"} << 0 << worked.arg("202\\.7342") << "";
    // The model's declination, rounded to 0.01, computes as if it were typed.
    QTest::newRow("declination auto") << QStringList{"--declination", "auto", "--date", "2026-12-07", "--satellite", "101"}
                                      << 0 << "DECLINATION       -1\\.67\n" + worked.arg("196\\.4042") << "";
    QTest::newRow("declination typed back") << QStringList{"--declination", "-1.67", "--satellite", "101"} << 0
                                            << worked.arg("196\\.4042") << "";
    QTest::newRow("every input") << QStringList{"--latitude=420100", "--longitude", "0910100", "--declination", "-8",
                                                "--satellite", "101.2", "-platform", "offscreen"}
                                 << 0 << worked.arg("202\\.7342") << "";
    QTest::newRow("southern site, East")
        << QStringList{"--latitude", "-335200", "--longitude", "-1511300", "--declination", "12.5", "--satellite",
                       "-156"}
        << 0 << "AZIMUTH TRUE      8\\.539838\nAZIMUTH MAGNETIC  356\\.0398\nELEVATION         50\\.29158\n"
                "LNB SKEW          7\\.115705\n"
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
                             << 0 << "DECLINATION       -14\\.77\n(.*\n){4}"
                             << "vantorel: Caution: the horizontal magnetic field at this site is weak \\(3379 nT.*\n";
    QTest::newRow("date, typed declination") << QStringList{"--date", "2026-01-01", "--satellite", "1"} << 2 << ""
                                             << usage.arg("--date needs --declination auto\\.");
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
                         << "SATELLITE +LONGITUDE +WHOLE DEGREES +AZIMUTH TRUE +AZIMUTH MAGNETIC +ELEVATION +LNB SKEW\n"
                            "EchoStar 3 +61\\.5 +62 +140\\.3514 +148\\.3514 +33\\.25147 +-28\\.49147\n(.*\n){67}"
                            "PAS 5 +155\\.5 +156 +252\\.6534 +260\\.6534 +9\\.737675 +45\\.48849\n"
                         << "";
    QTest::newRow("csv") << QStringList{"--all", "--csv", "--declination", "auto", "--date", "2026-12-07"} << 0
                         << "\"SATELLITE\",\"LONGITUDE\",\"WHOLE DEGREES\",\"AZIMUTH TRUE\",\"AZIMUTH MAGNETIC\","
                            "\"ELEVATION\",\"LNB SKEW\",\"DECLINATION\"\r\n"
                            "\"EchoStar 3\",61\\.5,62,140\\.3514,142\\.0214,33\\.25147,-28\\.49147,-1\\.67\r\n(.*\r\n){68}"
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
