#include "input/first_line.h"

#include "input/undecodable.h"

namespace brackwen {

void UnreadFirstLine::check_decodes(const LocaleDecoder& decoder) {
  if (decodes_) return;
  if (!decoder.is_valid(line_.text())) fail_undecodable();
  decodes_ = true;
}

void UnreadFirstLine::check_next_begins(const LocaleDecoder& decoder, PaddedText next) {
  if (!decoder.first_character_is_valid(next)) fail_undecodable();
}

}  // namespace brackwen
