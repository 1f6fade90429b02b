#include "input/distinct_lines.h"

namespace brackwen {

bool DistinctLines::advance() {
  if (!first_line_taken_) {
    const std::optional<PaddedText> line = input_->next_line();
    if (!line) return false;
    first_line_taken_ = true;
    unread_first_line_.emplace(*line);
    return true;
  }
  if (unread_first_line_) unread_first_line_->check_decodes(reader_.decoder());
  while (const std::optional<PaddedText> line = input_->next_line()) {
    if (unread_first_line_) UnreadFirstLine::check_next_begins(reader_.decoder(), *line);
    read_first_line();
    bool kept;
    if (ahead_.holds_taken_line()) {
      // Its texts still view the line just taken.
      const PreparedOverride& read = ahead_.take();
      kept = kept_.insert(read.text, read.hash);
    } else {
      ahead_.pass();
      kept = keep_line(*line);
    }
    if (reader_.takes_printed_form()) ahead_.fill(*input_, kept_);
    if (kept) return true;
  }
  return false;
}

OverrideText DistinctLines::at(std::size_t index) {
  read_first_line();
  return kept_[index];
}

bool DistinctLines::is_enc_int(std::size_t index) {
  read_first_line();
  return kept_.is_enc_int(index);
}

void DistinctLines::read_first_line() {
  if (!unread_first_line_) return;
  keep_line(unread_first_line_->text());
  unread_first_line_.reset();
}

bool DistinctLines::keep_line(PaddedText line) {
  const OverrideText text = reader_.read(line);
  return kept_.insert(text, kept_.prepare(text));
}

}  // namespace brackwen
