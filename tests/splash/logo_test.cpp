// The logo as the program embeds it, and how the splash window's picture box
// shows it.

#include <QFile>
#include <QImage>
#include <QSet>
#include <QtTest>

#include "splash_window.h"

namespace {

constexpr const char* kLogo = ":/vantorel/splash/logo.png";

// Bytes 24 and 25 of a PNG file: the bit depth and colour type of its header.
constexpr int kBitDepthOffset = 24;
constexpr int kColourTypeOffset = 25;
constexpr char kTrueColour = 2;  // RGB without alpha

}  // namespace

class LogoTest : public QObject {
  Q_OBJECT

 private slots:
  void resourceIsTheDescribedPicture();
  void pictureHasFourteenFlatColours();
  void pictureBoxShowsThePictureUnscaledFromItsTopLeft_data();
  void pictureBoxShowsThePictureUnscaledFromItsTopLeft();
  void pictureIsCutOffInsideTheBorder();
};

void LogoTest::resourceIsTheDescribedPicture() {
  const QImage logo(QString::fromLatin1(kLogo));
  QVERIFY2(!logo.isNull(), "the logo is not among the program's resources");
  QCOMPARE(logo.size(), QSize(141, 166));

  // 24-bit colour: eight bits each of red, green and blue, and no palette or
  // alpha channel that a later edit of the picture could have brought in.
  QFile file(QString::fromLatin1(kLogo));
  QVERIFY(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  QVERIFY(bytes.size() > kColourTypeOffset);
  QCOMPARE(int(bytes.at(kBitDepthOffset)), 8);
  QCOMPARE(bytes.at(kColourTypeOffset), kTrueColour);
}

void LogoTest::pictureHasFourteenFlatColours() {
  const QImage logo = QImage(QString::fromLatin1(kLogo)).convertToFormat(QImage::Format_RGB32);
  QSet<QRgb> colours;
  for (int y = 0; y < logo.height(); ++y) {
    for (int x = 0; x < logo.width(); ++x) {
      colours.insert(logo.pixel(x, y));
    }
  }
  QCOMPARE(colours.size(), 14);
  // The ground the drawing stands on is the light greyish blue.
  QCOMPARE(QColor(logo.pixel(0, 0)), QColor(176, 192, 223));
  QVERIFY(colours.contains(qRgb(176, 192, 223)));
}

void LogoTest::pictureBoxShowsThePictureUnscaledFromItsTopLeft_data() {
  QTest::addColumn<QPoint>("point");  // in the picture, in pixels
  QTest::newRow("top left corner") << QPoint(0, 0);
  QTest::newRow("the box's front") << QPoint(30, 120);
  QTest::newRow("the green disc") << QPoint(46, 24);
  QTest::newRow("last visible pixel") << QPoint(116, 154);
}

void LogoTest::pictureBoxShowsThePictureUnscaledFromItsTopLeft() {
  QFETCH(QPoint, point);
  const QImage logo = QImage(QString::fromLatin1(kLogo)).convertToFormat(QImage::Format_RGB32);
  // A box smaller than the picture, as the splash window's is.
  vantorel::PictureBox box{QPixmap::fromImage(logo)};
  box.setGeometry(0, 0, 121, 159);
  const QImage shown = box.grab().toImage().convertToFormat(QImage::Format_RGB32);

  QCOMPARE(shown.size(), QSize(121, 159));
  const QPoint inside = box.contentsRect().topLeft();
  QVERIFY(box.contentsRect().contains(inside + point));
  QCOMPARE(QColor(shown.pixel(inside + point)), QColor(logo.pixel(point)));
}

void LogoTest::pictureIsCutOffInsideTheBorder() {
  const QPixmap logo(QString::fromLatin1(kLogo));
  vantorel::PictureBox withLogo{logo};
  vantorel::PictureBox empty{QPixmap{}};
  for (vantorel::PictureBox* box : {&withLogo, &empty}) {
    box->setGeometry(0, 0, 121, 159);
  }
  const QImage shown = withLogo.grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QImage border = empty.grab().toImage().convertToFormat(QImage::Format_RGB32);
  // The right and bottom edges are the border's, whatever lies beneath them
  // in the picture.
  for (const QPoint edge : {QPoint(120, 80), QPoint(60, 158), QPoint(120, 158)}) {
    QCOMPARE(QColor(shown.pixel(edge)), QColor(border.pixel(edge)));
  }
}

QTEST_MAIN(LogoTest)
#include "logo_test.moc"
