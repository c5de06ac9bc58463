// SPDX-License-Identifier: MIT
// Writes the record of one value, readable or JSON. A record is written in
// three steps so that the value as given can be echoed piece by piece while it
// is still being read (a line of any length needs no memory of its own):
// beginRecord, putInputPiece for each piece, endRecord.
#pragma once

#include <string_view>

#include "options.h"
#include "output_buffer.h"
#include "report.h"

namespace bitscope::cli {

struct RecordWriter {
  const Options& options;
  OutputBuffer& out;
  bool firstRecord = true;

  void beginRecord();
  void putInputPiece(std::string_view piece);
  void endRecord(const ValueReport& report);
};

}  // namespace bitscope::cli
