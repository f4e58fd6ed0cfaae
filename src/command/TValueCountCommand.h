#pragma once

#include <iosfwd>

// The gridtally command: counts the cells of each distinct value of one ESRI
// ASCII grid and writes "value count" lines in ascending order of value.
class TValueCountCommand {
 public:
  static constexpr int kSuccess = 0;
  static constexpr int kFailure = 1;
  static constexpr int kUsageError = 2;

  // Runs the command with the program's arguments. Results go to `out` only after
  // the whole grid has been read and checked; every failure is one line on `err`.
  // Returns the exit status: 0, 1 after a reported failure, 2 for a wrong number
  // of arguments. With `showProgress` (for a terminal), a grid that takes more
  // than a second to read gets a progress line on `err`, erased before the
  // results or a message.
  static int Run(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
                 bool showProgress = false);

 private:
  // Reports the exception being handled as one line on `err`; returns the status.
  static int ReportFailure(std::ostream& err);
};
