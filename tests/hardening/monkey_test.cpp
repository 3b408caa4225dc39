// The monkey test: the program from its start, driven by a few thousand
// seeded random events. The splash window gets clicks and keys and must hand
// over all the same; the main window then gets clicks anywhere in it (except
// on END, which ends the program by design), text of every kind typed into
// whatever has the focus, list navigation, Tab and Enter. Message boxes are
// answered through the window's message handler.
//
// After every event:
//   - the program has not ended: the event loop driving the events is still
//     the one running, and nothing asked the application to exit;
//   - an input box changed only if the event was a key typed into it, except
//     that choosing a list row sets Text6 to "0";
//   - a result box holds its previous text, or what the user typed into it,
//     or all three result boxes together hold a fresh result: the one that
//     "Calculate" or a click on the selected row computes from the boxes as
//     they are now;
//   - nothing changed between events, when no event was sent.
// A failing row prints its seed and the step, so it can be replayed.

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <QtTest>
#include <array>
#include <functional>
#include <optional>
#include <random>

#include "calc_error.h"
#include "first_actions.h"
#include "first_window.h"
#include "listmod.h"
#include "module1.h"

using namespace std::chrono_literals;

namespace {

constexpr int kFinished = 4242;  // the driving loop's own exit code
constexpr std::array kInputBoxes = {"Text4", "Text5", "Text6", "Text7"};
constexpr std::array kResultBoxes = {"Text1", "Text2", "Text3"};
constexpr std::array kAllBoxes = {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7"};

// What can be seen of the main window between events.
struct Snapshot {
  std::array<QString, kAllBoxes.size()> texts;
  int selectedRow = -1;

  QString text(const char* box) const {
    for (std::size_t i = 0; i < kAllBoxes.size(); ++i) {
      if (qstrcmp(kAllBoxes[i], box) == 0) return texts[i];
    }
    return {};
  }
  bool operator==(const Snapshot&) const = default;
};

// Texts an installer might type, or a cat walking over the keyboard.
QString randomText(std::mt19937& rng) {
  const auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  static const QStringList kNonAscii = {QStringLiteral("é"), QStringLiteral("ü"), QStringLiteral("°"),
                                        QStringLiteral("′"), QStringLiteral("中"), QStringLiteral("٣"),
                                        QStringLiteral("−"), QStringLiteral("\u00a0"), QStringLiteral("😀"),
                                        QStringLiteral("ß"), QStringLiteral("Ω"), QStringLiteral("１")};
  static const QString kLetters = QStringLiteral("abcdefxyzENWSe");
  static const QString kNumberish = QStringLiteral("0123456789-+. ");
  QString text;
  switch (pick(7)) {
    case 0:  // digits, as typed for a packed coordinate
      for (int i = 1 + pick(8); i > 0; --i) text += QChar(u'0' + pick(10));
      break;
    case 1:  // a signed decimal
      text = QString::number(static_cast<int>(rng() % 400) - 200) + QStringLiteral(".") + QString::number(pick(100));
      if (pick(2) == 0) text.prepend(pick(2) == 0 ? u'-' : u'+');
      break;
    case 2:  // letters
      for (int i = 1 + pick(6); i > 0; --i) text += kLetters[pick(static_cast<int>(kLetters.size()))];
      break;
    case 3:  // a long string of number characters
      for (int i = 40 + pick(200); i > 0; --i) text += kNumberish[pick(static_cast<int>(kNumberish.size()))];
      break;
    case 4:  // blanks
      text = QString(1 + pick(4), u' ');
      break;
    case 5:  // non-ASCII
      for (int i = 1 + pick(4); i > 0; --i) text += kNonAscii[pick(static_cast<int>(kNonAscii.size()))];
      break;
    default:  // a mix of everything
      for (int i = 1 + pick(12); i > 0; --i) {
        const int kind = pick(3);
        text += kind == 0 ? QString(kNumberish[pick(static_cast<int>(kNumberish.size()))])
                : kind == 1 ? QString(kLetters[pick(static_cast<int>(kLetters.size()))])
                            : kNonAscii[pick(static_cast<int>(kNonAscii.size()))];
      }
      break;
  }
  return text;
}

// QTest::keyClicks knows only ASCII; other characters arrive as a key press
// with no key code and the character as its text, as an input method sends
// them. A surrogate pair is one key press.
void typeText(QWidget* target, const QString& text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c.unicode() < 0x80) {
      QTest::keyClick(target, c.toLatin1());
    } else {
      const qsizetype length = c.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
      QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, text.mid(i, length), Qt::NoModifier);
      i += length - 1;
    }
  }
}

constexpr std::array kKeys = {Qt::Key_Tab,    Qt::Key_Backtab,  Qt::Key_Return, Qt::Key_Enter, Qt::Key_Up,
                              Qt::Key_Down,   Qt::Key_PageUp,   Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End,
                              Qt::Key_Left,   Qt::Key_Right,    Qt::Key_Backspace, Qt::Key_Delete,
                              Qt::Key_Escape, Qt::Key_Space};

}  // namespace

class MonkeyTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void randomEvents_data();
  void randomEvents();
  void cleanup();

 private:
  // Opens the program as it starts, with a hand-over after handOverDelay;
  // the splash window receives `splashEvents` random events meanwhile.
  bool startProgram(std::mt19937& rng, int splashEvents);
  Snapshot snapshot() const;
  QLineEdit* box(const char* name) const { return m_first->findChild<QLineEdit*>(QString::fromLatin1(name)); }
  QListWidget* list() const { return m_first->findChild<QListWidget*>(QStringLiteral("List1")); }

  // One random event; returns a description for a failure report.
  QString sendEvent(std::mt19937& rng, bool& keyIntoFocus, QWidget*& focused);
  // Checks what one event did; returns an empty string if it was fine.
  QString judge(const Snapshot& before, const Snapshot& after, bool keyIntoFocus, const QWidget* focused,
                bool couldChooseRow, qsizetype messagesBefore);
  std::optional<std::array<QString, 3>> freshFromBoxes(const Snapshot& s) const;
  std::optional<std::array<QString, 3>> freshFromList(const Snapshot& s) const;

  QPointer<vantorel::FirstWindow> m_first;
  QPointer<vantorel::SplashWindow> m_splash;
  QStringList m_messages;
  QStringList m_startFailures;
  vantorel::Catalogue m_catalogue;
  int m_freshResults = 0;  // result changes that matched a calculation
};

void MonkeyTest::initTestCase() {
  QLocale::setDefault(QLocale::c());
  QApplication::setApplicationDisplayName(QStringLiteral("Vantorel"));
  vantorel::listmod(m_catalogue);
}

void MonkeyTest::cleanup() {
  // Deleted rather than closed: closing the main window ends the program.
  delete m_first;
  delete m_splash;
  m_messages.clear();
  m_startFailures.clear();
  m_freshResults = 0;
}

bool MonkeyTest::startProgram(std::mt19937& rng, int splashEvents) {
  vantorel::StartupSettings settings;
  settings.workArea = [] { return vantorel::ScreenArea{QSize(800, 600), 96}; };
  settings.handOver.delay = 300ms;
  settings.handOver.openMainWindow = [this]() -> QWidget* {
    auto* window = new vantorel::FirstWindow;
    window->setMessageHandler([this](QWidget*, const vantorel::Message& m) { m_messages << m.text; });
    m_first = window;
    return window;
  };
  settings.handOver.reportFailure = [this](const QString& why) { m_startFailures << why; };
  m_splash = vantorel::Module1::Main(std::move(settings));
  if (m_splash == nullptr || !QTest::qWaitForWindowExposed(m_splash)) return false;

  // The splash window takes no input: nothing it shows may change.
  QStringList captions;
  for (const QLabel* label : m_splash->findChildren<QLabel*>()) captions << label->text();
  for (int i = 0; i < splashEvents && m_splash != nullptr && m_first == nullptr; ++i) {
    const QPoint at(static_cast<int>(rng() % static_cast<unsigned>(m_splash->width())),
                    static_cast<int>(rng() % static_cast<unsigned>(m_splash->height())));
    if (i % 2 == 0) {
      QTest::mouseClick(m_splash->windowHandle(), Qt::LeftButton, {}, at);
    } else {
      QTest::keyClick(m_splash, kKeys[rng() % kKeys.size()]);
    }
    QStringList now;
    for (const QLabel* label : m_splash->findChildren<QLabel*>()) now << label->text();
    if (now != captions) {
      qWarning("the splash window changed after event %d", i);
      return false;
    }
  }
  // The hand-over happens by itself, once the interval has passed.
  if (!QTest::qWaitFor([this] { return m_first != nullptr && m_first->isVisible(); }, 10000)) return false;
  if (!QTest::qWaitFor([this] { return m_splash == nullptr; }, 5000)) return false;
  return QTest::qWaitForWindowExposed(m_first) && m_startFailures.isEmpty();
}

Snapshot MonkeyTest::snapshot() const {
  Snapshot s;
  for (std::size_t i = 0; i < kAllBoxes.size(); ++i) s.texts[i] = box(kAllBoxes[i])->text();
  const QList<QListWidgetItem*> selected = list()->selectedItems();
  s.selectedRow = selected.isEmpty() ? -1 : list()->row(selected.front());
  return s;
}

QString MonkeyTest::sendEvent(std::mt19937& rng, bool& keyIntoFocus, QWidget*& focused) {
  const auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  focused = m_first->focusWidget();
  keyIntoFocus = false;
  QWidget* target = focused != nullptr ? focused : m_first.data();
  const auto* end = m_first->findChild<QPushButton*>(QStringLiteral("Command1"));
  // Space or Enter on a focused END ends the program by design; move on.
  const bool onEnd = focused == end;

  const int kind = pick(100);
  if (kind < 15) {  // a sensible value typed over an input box, so that calculations keep succeeding
    static const std::array<QStringList, 4> kSensible = {
        QStringList{"420100", "33.5", "-335200", "0", "515500"}, QStringList{"0910100", "91.0167", "-1511300", "2"},
        QStringList{"101", "61.5", "-30", "0", "119"}, QStringList{"-8", "0", "12.5", "-0"}};
    const auto which = static_cast<std::size_t>(pick(static_cast<int>(kInputBoxes.size())));
    QLineEdit* b = box(kInputBoxes[which]);
    const QString value = kSensible[which][pick(static_cast<int>(kSensible[which].size()))];
    QTest::mouseClick(m_first->windowHandle(), Qt::LeftButton, {}, b->geometry().center());
    QTest::keyClick(b, Qt::Key_A, Qt::ControlModifier);
    typeText(b, value);
    keyIntoFocus = true;
    focused = b;
    return QStringLiteral("typed \"%1\" over %2").arg(value, b->objectName());
  }
  if (kind < 22) {  // a click somewhere into a box, which gives it the focus
    const QLineEdit* b = box(kAllBoxes[static_cast<std::size_t>(pick(static_cast<int>(kAllBoxes.size())))]);
    const QPoint at = b->geometry().topLeft() + QPoint(pick(b->width()), pick(b->height()));
    QTest::mouseClick(m_first->windowHandle(), Qt::LeftButton, {}, at);
    return QStringLiteral("click into %1 at %2,%3").arg(b->objectName()).arg(at.x()).arg(at.y());
  }
  if (kind < 38) {  // a click anywhere but on END
    QPoint at;
    do {
      at = QPoint(pick(m_first->width()), pick(m_first->height()));
    } while (end->geometry().contains(at));
    const bool twice = pick(10) == 0;
    if (twice) {
      QTest::mouseDClick(m_first->windowHandle(), Qt::LeftButton, {}, at);
    } else {
      QTest::mouseClick(m_first->windowHandle(), Qt::LeftButton, {}, at);
    }
    return QStringLiteral("%1 at %2,%3").arg(twice ? "double click" : "click").arg(at.x()).arg(at.y());
  }
  if (kind < 46) {  // a click on a row of the list
    QListWidget* l = list();
    QListWidgetItem* item = l->item(pick(l->count()));
    l->scrollToItem(item);
    const QPoint at = l->viewport()->mapTo(m_first, l->visualItemRect(item).center());
    QTest::mouseClick(m_first->windowHandle(), Qt::LeftButton, {}, at);
    return QStringLiteral("click on row %1").arg(l->row(item));
  }
  if (kind < 54) {  // "Calculate"
    const auto* calculate = m_first->findChild<QPushButton*>(QStringLiteral("Command2"));
    QTest::mouseClick(m_first->windowHandle(), Qt::LeftButton, {}, calculate->geometry().center());
    return QStringLiteral("click on Calculate");
  }
  if (onEnd) {
    QTest::keyClick(target, Qt::Key_Tab);
    return QStringLiteral("Tab away from END");
  }
  keyIntoFocus = true;
  if (kind < 76) {
    const QString text = randomText(rng);
    typeText(target, text);
    return QStringLiteral("typed \"%1\" into %2").arg(text, target->objectName());
  }
  if (kind < 80) {  // select all and replace, or clear
    QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(target, pick(2) == 0 ? Qt::Key_Delete : Qt::Key_Backspace);
    return QStringLiteral("cleared %1").arg(target->objectName());
  }
  const Qt::Key key = kKeys[static_cast<std::size_t>(pick(static_cast<int>(kKeys.size())))];
  QTest::keyClick(target, key);
  return QStringLiteral("key %1 into %2").arg(QKeySequence(key).toString(), target->objectName());
}

std::optional<std::array<QString, 3>> MonkeyTest::freshFromBoxes(const Snapshot& s) const {
  const vantorel::BoxTexts boxes{s.text("Text4").toStdString(), s.text("Text5").toStdString(),
                                 s.text("Text6").toStdString(), s.text("Text7").toStdString()};
  try {
    const vantorel::OnecalcResult r = vantorel::calculateFromBoxes(boxes);
    return std::array{QString::fromStdString(r.Text1), QString::fromStdString(r.Text2),
                      QString::fromStdString(r.Text3)};
  } catch (const vantorel::CalcError&) {
    return std::nullopt;
  }
}

std::optional<std::array<QString, 3>> MonkeyTest::freshFromList(const Snapshot& s) const {
  const vantorel::BoxTexts boxes{s.text("Text4").toStdString(), s.text("Text5").toStdString(),
                                 s.text("Text6").toStdString(), s.text("Text7").toStdString()};
  try {
    const auto r = vantorel::calculateForListRow(boxes, m_catalogue, s.selectedRow);
    if (!r) return std::nullopt;
    return std::array{QString::fromStdString(r->Text1), QString::fromStdString(r->Text2),
                      QString::fromStdString(r->Text3)};
  } catch (const vantorel::CalcError&) {
    return std::nullopt;
  }
}

QString MonkeyTest::judge(const Snapshot& before, const Snapshot& after, bool keyIntoFocus, const QWidget* focused,
                          bool couldChooseRow, qsizetype messagesBefore) {
  const auto typedInto = [&](const char* name) { return keyIntoFocus && focused == box(name); };

  for (const char* name : kInputBoxes) {
    if (after.text(name) == before.text(name) || typedInto(name)) continue;
    if (qstrcmp(name, "Text6") == 0 && after.text(name) == QStringLiteral("0") && couldChooseRow) continue;
    return QStringLiteral("input box %1 changed by itself from \"%2\" to \"%3\"")
        .arg(name, before.text(name), after.text(name));
  }

  std::array<QString, 3> results;
  bool changed = false;
  for (std::size_t i = 0; i < kResultBoxes.size(); ++i) {
    results[i] = after.text(kResultBoxes[i]);
    if (results[i] != before.text(kResultBoxes[i])) {
      if (typedInto(kResultBoxes[i])) continue;
      changed = true;
    }
  }
  if (!changed) return {};
  if (m_messages.size() != messagesBefore) {
    return QStringLiteral("the result boxes changed although an input was refused: %1").arg(m_messages.last());
  }
  if (results == freshFromBoxes(after) || (couldChooseRow && results == freshFromList(after))) {
    ++m_freshResults;
    return {};
  }
  return QStringLiteral("the result boxes hold \"%1\", \"%2\", \"%3\", which no calculation of the boxes gives")
      .arg(results[0], results[1], results[2]);
}

void MonkeyTest::randomEvents_data() {
  QTest::addColumn<unsigned>("seed");
  QTest::addColumn<int>("events");
  QTest::newRow("seed 1") << 1U << 1500;
  QTest::newRow("seed 2") << 2U << 1500;
  QTest::newRow("seed 20261206") << 20261206U << 1500;
}

void MonkeyTest::randomEvents() {
  QFETCH(unsigned, seed);
  QFETCH(int, events);
  std::mt19937 rng(seed);
  QVERIFY2(startProgram(rng, 20), "the main window did not open after the splash window");

  // The events are sent from inside an event loop, as the program runs: if
  // anything asks the application to exit, that loop ends early.
  QEventLoop loop;
  QString failure;
  QString event;
  int step = 0;
  Snapshot previous = snapshot();
  std::function<void()> next = [&] {
    const Snapshot before = snapshot();
    if (before != previous) {
      failure = QStringLiteral("the boxes changed between events");
    } else {
      const qsizetype messagesBefore = m_messages.size();
      bool keyIntoFocus = false;
      QWidget* focused = nullptr;
      event = sendEvent(rng, keyIntoFocus, focused);
      // Any mouse event may land on the list, any key may move its selection.
      const bool couldChooseRow = !keyIntoFocus || focused == list();
      if (m_first == nullptr || !m_first->isVisible()) {
        failure = QStringLiteral("the main window closed after: %1").arg(event);
      } else {
        previous = snapshot();
        const QString verdict = judge(before, previous, keyIntoFocus, focused, couldChooseRow, messagesBefore);
        if (!verdict.isEmpty()) failure = verdict + QStringLiteral(" after: ") + event;
      }
    }
    if (!failure.isEmpty()) {
      failure = QStringLiteral("seed %1, event %2: %3").arg(seed).arg(step).arg(failure);
      loop.exit(kFinished);
    } else if (++step == events) {
      loop.exit(kFinished);
    } else {
      QTimer::singleShot(0, &loop, next);
    }
  };
  QTimer::singleShot(0, &loop, next);
  const int exitCode = loop.exec();

  QVERIFY2(failure.isEmpty(), qPrintable(failure));
  QVERIFY2(exitCode == kFinished, qPrintable(QStringLiteral("the program ended at event %1: %2").arg(step).arg(event)));
  QCOMPARE(step, events);
  QVERIFY(m_startFailures.isEmpty());
  // The events must have reached the handlers both ways, or the checks above
  // prove little.
  qInfo("%d fresh results, %lld refusals", m_freshResults, static_cast<long long>(m_messages.size()));
  QVERIFY(m_freshResults > 0);
  QVERIFY(!m_messages.isEmpty());
}

QTEST_MAIN(MonkeyTest)
#include "monkey_test.moc"
