#pragma once
// The main window FIRST, the program's only working window.
//
// The user types the site's latitude (Text4), longitude West (Text5), the
// magnetic declination (Text7) and a satellite longitude West (Text6), or
// picks a satellite from List1; "Calculate" (Command2) or a choice in the list
// writes the azimuth true, azimuth magnetic and elevation into Text1, Text2
// and Text3. "END" (Command1) and closing the window end the program.
//
// The window only moves texts: it reads the boxes, hands them to the
// calculation (first_actions.h), and writes the results back. A refused input
// is reported through the window's MessageHandler (message_box.h), after which
// the box at fault has the focus with its text selected and no result box has
// changed.
//
// Controls sit at fixed places, drawn in twips with 15 twips to a logical
// pixel; Qt's device pixel ratio scales them on high-density screens. They
// never move when the window is resized.
//
// The window does not delete itself when closed; whoever creates it owns it.

#include <QWidget>
#include <functional>

#include "listmod.h"
#include "message_box.h"

class QLineEdit;
class QPushButton;

namespace vantorel {

enum class Field;
class SatelliteList;
struct OnecalcResult;
struct BoxTexts;

class FirstWindow : public QWidget {
  Q_OBJECT

 public:
  // Builds the controls and lists the catalogue; the window is ready to show.
  explicit FirstWindow(QWidget* parent = nullptr);

  // How refused inputs are reported from now on. The default shows a modal
  // warning box (showMessageBox).
  void setMessageHandler(MessageHandler handler);

  // What "Calculate" computes the boxes' texts with; calculateFromBoxes
  // unless replaced, as a test replaces it to see a calculation's own
  // refusal, which no typed input reaches.
  using Calculation = std::function<OnecalcResult(const BoxTexts&)>;
  void setCalculation(Calculation calculation);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The controls the handlers use, named as the layout names them.
  struct Controls {
    SatelliteList* List1 = nullptr;
    QLineEdit* Text1 = nullptr;  // AZIMUTH TRUE
    QLineEdit* Text2 = nullptr;  // AZIMUTH MAGNETIC
    QLineEdit* Text3 = nullptr;  // ELEVATION
    QLineEdit* Text4 = nullptr;  // site latitude
    QLineEdit* Text5 = nullptr;  // site longitude West
    QLineEdit* Text6 = nullptr;  // satellite longitude West
    QLineEdit* Text7 = nullptr;  // magnetic declination
    QPushButton* Command1 = nullptr;  // "END"
    QPushButton* Command2 = nullptr;  // "Calculate"
  };

  void buildControls();
  void fitBoxFont();
  void setTabOrderAndFocus();
  void connectHandlers();
  void openShowingEveryControl();

  void Form_Load();
  void Command2_Click();
  void List1_Click();
  void Text6_Click();
  void Command1_Click();

  BoxTexts readBoxes() const;
  void showResults(const OnecalcResult& result);
  void refuse(Field field, const QString& message);
  QLineEdit* boxFor(Field field) const;

  Controls m_ui;
  Catalogue m_catalogue;
  MessageHandler m_showMessage = showMessageBox;
  Calculation m_calculate;
};

}  // namespace vantorel
