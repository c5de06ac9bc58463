// SPDX-License-Identifier: MIT
// Everything bitscope-cli shows about one value, as texts made by the engine,
// and how those texts are obtained.
#pragma once

#include <string>
#include <string_view>

#include "engine/bitfields.h"
#include "engine/views.h"
#include "options.h"
#include "value_input.h"

namespace bitscope::cli {

enum class Status {
  ok,       // a number read, or a valid encoding (an infinity or NaN pattern included)
  special,  // an infinity or NaN named by the first three characters
  invalid,  // not a number, out of range, or not an encoding
  novalue,  // the text supplies no number
};

std::string_view statusName(Status status);

// Whether a value with this status counts as handled for the exit status.
constexpr bool succeeded(Status status) { return status == Status::ok || status == Status::special; }

// What --exact adds for a finite value: every digit of what is stored, the
// interval of decimal numbers that read into it, and, for a decimal read, the
// error stored - typed (as a number and in ULP(X)).
struct ExactReport {
  bool applies = false;  // a finite encoding: the texts below are set
  std::string value;
  std::string intervalLow, intervalHigh;
  bool lowIncluded = false, highIncluded = false;
  bool hasError = false;  // a decimal read whose every digit is known
  std::string error, errorUlps;
};

// The error is shown to this many significant digits.
inline constexpr int errorDigits = 17;

struct ValueReport {
  Status status = Status::invalid;
  std::string message;       // why the value is invalid (empty otherwise)
  bool hasEncoding = false;  // false for invalid and novalue: nothing below is set
  BitFields fields;          // S, E and T
  std::string hex;           // the encoding in hexadecimal digits, uppercase
  std::string_view type;     // the data-type text of the language, without padding blanks
  std::string x;             // X as the X display shows it
  bool finite = false;       // the parameter views are set
  ParameterViews views;      // as the engine makes them: captions keep their leading blanks
  ExactReport exact;         // with --exact
};

// Reads one value as the options say and fills the report; the report's
// strings are reused from one value to the next, so that the steady state
// allocates nothing.
void analyseValue(const Options& options, ValueInput& input, ValueReport& report);

}  // namespace bitscope::cli
