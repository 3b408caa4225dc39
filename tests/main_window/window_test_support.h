#pragma once
// What the main window's tests share: a fresh window for each test, whose
// messages are recorded instead of shown, its controls found by name, and
// the user's gestures on them.

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPointer>
#include <QTest>

#include "first_window.h"

namespace vantorel::test {

// Once per test program: the number syntax and messages do not depend on the
// machine's language, and messages carry the program's title. The title is
// the application name: a display name would also be appended to every
// window's caption.
inline void fixLocaleAndTitle() {
  QLocale::setDefault(QLocale::c());
  QCoreApplication::setApplicationName(QStringLiteral("Vantorel"));
}

class WindowUnderTest {
 public:
  void open() {
    m_messages.clear();
    m_window = new FirstWindow;
    m_window->setMessageHandler([this](QWidget*, const Message& message) { m_messages.append(message); });
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
  }
  void close() { delete m_window; }

  FirstWindow* window() const { return m_window; }
  const QList<Message>& messages() const { return m_messages; }
  void forgetMessages() { m_messages.clear(); }

  template <typename T = QWidget>
  T* find(const QString& name) const {
    T* found = m_window->findChild<T*>(name);
    if (found == nullptr) qFatal("no control named %s", qPrintable(name));
    return found;
  }
  QLineEdit* box(const QString& name) const { return find<QLineEdit>(name); }
  QListWidget* list() const { return find<QListWidget>(QStringLiteral("List1")); }
  QStringList results() const { return {text("Text1"), text("Text2"), text("Text3")}; }
  QString text(const QString& boxName) const { return box(boxName)->text(); }

  void click(const QString& name) const { QTest::mouseClick(find(name), Qt::LeftButton); }
  void calculate() const { click(QStringLiteral("Command2")); }
  // The results "Calculate" gives for a typed satellite longitude.
  QStringList calculatedFor(const QString& satelliteLongitude) const {
    enter(QStringLiteral("Text6"), satelliteLongitude);
    calculate();
    return results();
  }

  // Replaces the box's text with keys alone, as after tabbing into it.
  void typeInto(const QString& boxName, const QString& text) const {
    QLineEdit* target = box(boxName);
    QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(target, Qt::Key_Delete);
    QTest::keyClicks(target, text);
  }
  // Clicks into the box, then replaces its text.
  void enter(const QString& boxName, const QString& text) const {
    click(boxName);
    typeInto(boxName, text);
  }

  void clickRow(int row) const {
    QListWidgetItem* item = list()->item(row);
    list()->scrollToItem(item);
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(item).center());
  }
  void clickRow(const QString& rowText) const {
    const QList<QListWidgetItem*> items = list()->findItems(rowText, Qt::MatchExactly);
    if (items.size() != 1) qFatal("no single row %s", qPrintable(rowText));
    clickRow(list()->row(items.front()));
  }
  int selectedRow() const {
    const QList<QListWidgetItem*> selected = list()->selectedItems();
    return selected.isEmpty() ? -1 : list()->row(selected.front());
  }

 private:
  QPointer<FirstWindow> m_window;
  QList<Message> m_messages;
};

}  // namespace vantorel::test
