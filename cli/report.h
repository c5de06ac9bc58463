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
    ok,      // a number read, or a valid encoding (an infinity or NaN pattern included)
    special, // an infinity or NaN named by the first three characters
    invalid, // not a number, out of range, or not an encoding
    novalue, // the text supplies no number
};

std::string_view statusName(Status status);

// Whether a value with this status counts as handled for the exit status.
constexpr bool succeeded(Status status) { return status == Status::ok || status == Status::special; }

struct ValueReport {
    Status status = Status::invalid;
    bool hasEncoding = false; // false for invalid and novalue: nothing below is set
    BitFields fields;      // S, E and T
    std::string hex;       // the encoding in hexadecimal digits, uppercase
    std::string_view type; // the data-type text of the language, without padding blanks
    std::string x;         // X as the X display shows it
    bool finite = false;   // the parameter views are set
    ParameterViews views;  // as the engine makes them: captions keep their leading blanks
};

// Reads one value as the options say and fills the report; the report's
// strings are reused from one value to the next, so that the steady state
// allocates nothing.
void analyseValue(const Options& options, ValueInput& input, ValueReport& report);

} // namespace bitscope::cli
