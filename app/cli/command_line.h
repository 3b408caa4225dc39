#pragma once
// Vantorel's command line. Without calculation options the program opens its
// windows; with --satellite or --all it prints the look angles instead,
// computed by the same handlers as the main window's, and touches no display.
//
//   vantorel [Qt's window options]      the splash window, then the main window
//   vantorel --planner [Qt's options]   the planner, every capability in one window
//   vantorel --help | -h                the options, the input forms, the exit statuses
//   vantorel --version | -v             "Vantorel 1.0.4"
//   vantorel [site] [mount] [--satellites FILE] [--sheet FILE [--paper NAME]] --satellite T|NAME
//   vantorel [site] [mount] [--satellites FILE] --all [--csv] [--min-elevation DEG]
//     site:  [--latitude T] [--longitude T] [--declination T|auto] [--date D]
//     mount: [--offset-angle DEG] [--motor]
//
// Each T is a text as the window's box takes it, or with a hemisphere letter;
// "auto" looks the declination up in the World Magnetic Model on date D
// (YYYY-MM-DD, default today in UTC). The run itself is handlers/command_run.
// Exit statuses: 0 the results were printed, warnings or not; 1 an input or a
// list was refused, or the output or the sheet could not be written, with
// the reason on standard error; 2 the command line was not understood. Every
// message on standard error begins "vantorel: ", but for a usage error's
// second line, which points to --help.

#include <QStringList>
#include <iosfwd>
#include <vector>
#include <optional>
#include <string>

#include "command_run.h"

namespace vantorel {

// What the command line asks for: a mode, and for the look angles the run's
// request (command_run.h).
struct CommandLine {
  enum class Mode { Windows, Planner, Help, Version, Pointing, UsageError };
  Mode mode = Mode::Windows;
  PointingRequest request;
  std::string message;  // the help text, or what is wrong with the command line
};

// Reads the program's arguments, its own name first, each carried as Latin-1
// characters, one per byte (QString::fromLatin1): the options are ASCII, and
// a value then reaches its box byte for byte, so that a refusal quotes what
// was typed, bytes that are not UTF-8 included, rather than replacement
// characters. Qt's own window options (-platform, -style, ...) are accepted
// and left for the application.
CommandLine parseCommandLine(const QStringList& arguments);

// Carries out any mode but Mode::Windows, writing the results to out and
// refusals and usage errors to err; returns the exit status. Nothing is
// written to out unless every result could be computed and the sheet, if
// asked for, written by writeSheet (without one, a sheet is refused).
int runCommandLine(const CommandLine& command, std::ostream& out, std::ostream& err,
                   const SheetWriter& writeSheet = {});

}  // namespace vantorel
