// The distinct overrides of the lines of the input, and when each line is read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

#include "input/distinct_overrides.h"
#include "input/first_line.h"
#include "input/line_reader.h"
#include "input/override_index.h"
#include "input/read_ahead.h"
#include "io/line_source.h"
#include "io/locale_text.h"

namespace brackwen {

// The distinct overrides of the lines of an input, in input order. The first line is taken
// without being read; every later line is read when it is examined, and kept unless it equals
// a kept override. The first comparison reads the first line, just before the second.
class DistinctLines : public DistinctOverrides {
 public:
  // The distinct overrides of `input`'s lines, found by a hash keyed by `hash_seed`.
  DistinctLines(std::shared_ptr<LineSource> input, LocaleDecoder decoder, std::uint64_t hash_seed)
      : input_(std::move(input)), reader_(decoder), kept_(hash_seed) {}

  bool advance() override;
  OverrideText at(std::size_t index) override;
  bool is_enc_int(std::size_t index) override;

 private:
  // Reads the first line and keeps its override, if it is still unread.
  void read_first_line();
  // Reads `line` and keeps its override unless it equals a kept one; true when it was kept.
  bool keep_line(PaddedText line);

  std::shared_ptr<LineSource> input_;
  LineReader reader_;
  bool first_line_taken_ = false;
  std::optional<UnreadFirstLine> unread_first_line_;
  OverrideIndex kept_;
  ReadAhead ahead_;
};

}  // namespace brackwen
