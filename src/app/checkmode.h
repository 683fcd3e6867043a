#pragma once
// The check mode for authors and automated tests: builds description files
// without a display, runs given actions, and prints what was built as JSON.
//
//   tobrina --check [--window NAME] [--run ACTION | --set NAME=VALUE]... [--screenshots FOLDER] [FOLDER]
//
// --set gives an edit or combo box its text, checks a check or radio button
// (1/0, true/false) or selects a list row, in order with the actions.

#include <QStringList>

namespace tobrina {

struct CheckOptions {
  QString folder;        // empty: the executable's folder
  QString window;        // one description file, or empty for every struct_*.txt
  QStringList actions;   // run in order in each window; "=NAME=VALUE" is a --set
  QString screenshots;   // where to save a picture of each window, if anywhere
};

// Parses the arguments after the program name; false (with a message on
// stderr) when they do not fit.
bool ParseCheckArguments(const QStringList& arguments, CheckOptions& options);

// Runs the check and writes the JSON document to standard output; returns
// the exit status: 1 when any error message was raised, else 0.
int RunCheck(const CheckOptions& options);

// The JSON document for the options, and whether an error was raised.
QByteArray CheckReport(const CheckOptions& options, bool* errorRaised);

}  // namespace tobrina
