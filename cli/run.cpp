// SPDX-License-Identifier: MIT
#include "run.h"

#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <string>

#include "io_count.h"
#include "line_reader.h"
#include "record_writer.h"
#include "report.h"
#include "value_input.h"

namespace bitscope::cli {

namespace {

void complain(std::string_view what, int error) {
  std::string message = "bitscope-cli: ";
  message += what;
  message += ": ";
  message += std::strerror(error);
  message += '\n';
  [[maybe_unused]] const ssize_t n = ::write(STDERR_FILENO, message.data(), ioCount(message.size()));
}

// The state of one run: reused for every value, so that the steady state
// allocates nothing of its own.
struct Session {
  explicit Session(const Options& chosen)
      : options(chosen),
        kind(chosen.hex    ? ValueKind::hex
             : chosen.bits ? ValueKind::bits
                           : ValueKind::decimal) {}

  const Options& options;
  const ValueKind kind;
  OutputBuffer out{STDOUT_FILENO};
  RecordWriter writer{options, out};
  ValueInput input;
  ValueReport report;
  bool anyFailed = false;

  void begin() {
    input.clear();
    writer.beginRecord();
  }
  void piece(std::string_view bytes) {
    writer.putInputPiece(bytes);
    input.feed(bytes, kind);
  }
  void end() {
    analyseValue(options, input, report);
    anyFailed = anyFailed || !succeeded(report.status);
    writer.endRecord(report);
  }
};

}  // namespace

ExitStatus run(const Options& options) {
  Session session{options};
  bool readFailed = false;
  if (!options.values.empty()) {
    for (const std::string_view value : options.values) {
      session.begin();
      session.piece(value);
      session.end();
    }
  } else {
    LineReader reader(STDIN_FILENO);
    LinePiece piece;
    for (PieceOutcome outcome; (outcome = reader.next(piece)) != PieceOutcome::endOfInput;) {
      if (outcome == PieceOutcome::needInput) {
        if (!session.out.flush()) break;  // reported below; the rest would be lost too
        if (reader.fill()) continue;
        complain("cannot read standard input", errno);
        readFailed = true;
        break;
      }
      if (piece.startsLine) session.begin();
      session.piece(piece.bytes);
      if (piece.endsLine) session.end();
    }
  }
  if (!session.out.flush()) {
    complain("cannot write standard output", session.out.error());
    return ExitStatus::ioError;
  }
  if (readFailed) return ExitStatus::ioError;
  return session.anyFailed ? ExitStatus::someInvalid : ExitStatus::allRead;
}

}  // namespace bitscope::cli
