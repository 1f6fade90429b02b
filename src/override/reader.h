// The reader of the override record text form, for example
// `Override_enc_int {lb = 0, ub = 255, dst_i = 3, length = 8}`, and of bracketed lists of records.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "override/decoded_text.h"
#include "override/override.h"

namespace tarnwick::override {

// A record read from a text, with the index in that text at which the rest begins: right after
// the record's "}", or after the last ")" around it. White space after it is the rest's.
struct OverrideRead {
  Override value;
  std::size_t rest;
};

// A list of records read from a text, in text order, with the index at which the rest begins.
struct OverrideListRead {
  std::vector<Override> values;
  std::size_t rest;
};

// The record at the start of `text` (after white space) under the context precedence
// `precedence`: without enclosing parentheses only when `precedence` is 11 or less, inside any
// number of pairs of parentheses at any precedence. Nothing when `text` does not begin so.
std::optional<OverrideRead> read_override(const DecodedText& text, int precedence);

// The record form as `read_override` reads it, beginning at the index `pos` of `text`.
std::optional<OverrideRead> read_override_at(const DecodedText& text, std::size_t pos, int precedence);

// The list at the start of `text`: "[", records separated by ",", "]", each record read at
// precedence 0, the whole inside any number of pairs of parentheses. Nothing when `text` does
// not begin so.
std::optional<OverrideListRead> read_override_list(const DecodedText& text);

}  // namespace tarnwick::override
