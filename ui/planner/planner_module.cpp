// The planner as a module of its own, which the program loads only for
// --planner: the splash and the main window then start without loading Qt's
// print support, the sheet's painting or its SVG writer.
#include <QApplication>

#include "planner_services.h"
#include "planner_window.h"

extern "C" __attribute__((visibility("default"))) vantorel::PlannerEntry vantorel_planner() {
  return [](const vantorel::PlannerServices& services) {
    vantorel::PlannerWindow window(services);
    window.show();
    return QApplication::exec();
  };
}
