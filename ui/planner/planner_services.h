#pragma once
// What the planner asks of the program that opens it: building a job and
// reading satellite lists. The program holds the magnetic model and the
// orbital arithmetic, linked statically; the planner is a module of its own
// that the windows never load, so it is handed these instead.

#include <functional>
#include <string>
#include <string_view>

#include "job_builder.h"
#include "satellite_list.h"

namespace vantorel {

struct PlannerServices {
  // buildJob (job_builder.h).
  std::function<Job(const JobRequest&, const SatelliteCatalog&, std::string_view)> buildJob;
  // loadSatelliteList and builtInSatelliteList (satellite_list.h).
  std::function<SatelliteCatalog(const std::string&)> loadList;
  std::function<SatelliteCatalog(BuiltInList)> builtInList;
};

// The module's one symbol: a function that opens the planner under the
// QApplication already made and runs it to its end, returning the exit
// status.
using PlannerEntry = int (*)(const PlannerServices&);
inline constexpr const char* kPlannerSymbol = "vantorel_planner";

}  // namespace vantorel

extern "C" vantorel::PlannerEntry vantorel_planner();
