#include "input/line_reader.h"

#include <cstddef>

#include "input/read_whole.h"
#include "input/undecodable.h"
#include "override/decoded_text.h"
#include "override/override.h"

namespace brackwen {
OverrideText LineReader::read(PaddedText line) {
  namespace model = tarnwick::override;
  if (takes_printed_form() && model::read_canonical_texts(line, found_)) return texts_in(line, found_);
  // Characters past the first that cannot be decoded matter only if the reading reaches them.
  const bool decoded = decoder_.decode(line, characters_);
  const model::Override o = read_whole<model::Override>(decoded ? model::DecodedText(characters_)
                                                                : model::DecodedText(characters_, fail_undecodable));
  const model::Integer* fields[4] = {&model::lb(o), &model::ub(o), &model::third_field(o), &model::length(o)};
  OverrideText text{model::is_enc_int(o), {}};
  for (std::size_t i = 0; i < 4; ++i) {
    digits_.clear();
    fields[i]->append_decimal(digits_);
    decimal_[i].assign(digits_);
    text.values[i] = decimal_[i].text();
  }
  return text;
}

}  // namespace brackwen
