#include "override/reader.h"

#include <utility>

#include "override/lexer.h"

namespace tarnwick::override {
namespace {

// The four field values of a record, in field order, with the index after its "}".
struct FieldsRead {
  Integer lb, ub, third, length;
  std::size_t end;
};

// One field: its name `name`, "=" and its integer value.
std::optional<IntegerRead> read_field(const DecodedText& text, std::size_t pos, std::u32string_view name) {
  std::optional<std::size_t> next = expect_lexeme(text, pos, LexemeKind::Ident, name);
  if (next) next = expect_lexeme(text, *next, LexemeKind::Punc, U"=");
  if (!next) return std::nullopt;
  return read_integer(text, *next);
}

// The braces and the four fields of a record whose third field is named `third_name`.
std::optional<FieldsRead> read_fields(const DecodedText& text, std::size_t pos, std::u32string_view third_name) {
  std::optional<std::size_t> next = expect_lexeme(text, pos, LexemeKind::Punc, U"{");
  if (!next) return std::nullopt;
  const std::u32string_view names[4] = {U"lb", U"ub", third_name, U"length"};
  Integer values[4];
  for (int i = 0; i < 4; ++i) {
    if (i > 0) {
      next = expect_lexeme(text, *next, LexemeKind::Punc, U",");
      if (!next) return std::nullopt;
    }
    std::optional<IntegerRead> field = read_field(text, *next, names[i]);
    if (!field) return std::nullopt;
    values[i] = std::move(field->value);
    next = field->end;
  }
  next = expect_lexeme(text, *next, LexemeKind::Punc, U"}");
  if (!next) return std::nullopt;
  return FieldsRead{std::move(values[0]), std::move(values[1]), std::move(values[2]), std::move(values[3]), *next};
}

// A record without enclosing parentheses: the constructor name, which chooses the form, and
// the braced fields of that form.
std::optional<OverrideRead> read_record(const DecodedText& text, std::size_t pos) {
  const std::optional<LexemeRead> name = read_lexeme(text, skip_white_space(text, pos));
  if (!name || name->lexeme.kind != LexemeKind::Ident) return std::nullopt;
  const bool enc = name->lexeme.text == U"Override_enc_int";
  if (!enc && name->lexeme.text != U"Override_dec_int") return std::nullopt;
  std::optional<FieldsRead> f = read_fields(text, name->end, enc ? U"dst_i" : U"src_i");
  if (!f) return std::nullopt;
  if (enc) {
    return OverrideRead{Override_enc_int(std::move(f->lb), std::move(f->ub), std::move(f->third), std::move(f->length)),
                        f->end};
  }
  return OverrideRead{Override_dec_int(std::move(f->lb), std::move(f->ub), std::move(f->third), std::move(f->length)),
                      f->end};
}

// The records of a list after its "[", up to and including the "]".
std::optional<OverrideListRead> read_list_body(const DecodedText& text, std::size_t pos) {
  if (std::optional<std::size_t> close = expect_lexeme(text, pos, LexemeKind::Punc, U"]")) {
    return OverrideListRead{{}, *close};
  }
  OverrideListRead list{{}, pos};
  while (true) {
    std::optional<OverrideRead> record = read_override_at(text, list.rest, 0);
    if (!record) return std::nullopt;
    list.values.push_back(std::move(record->value));
    const std::optional<LexemeRead> next = read_lexeme(text, skip_white_space(text, record->rest));
    if (!next || next->lexeme.kind != LexemeKind::Punc) return std::nullopt;
    list.rest = next->end;
    if (next->lexeme.text == U"]") return list;
    if (next->lexeme.text != U",") return std::nullopt;
  }
}

}  // namespace

std::optional<OverrideRead> read_override(const DecodedText& text, int precedence) {
  return read_override_at(text, 0, precedence);
}

std::optional<OverrideRead> read_override_at(const DecodedText& text, std::size_t pos, int precedence) {
  // Inside each pair of parentheses the precedence is 0, so a record stands bare there.
  const OpenParens open = read_open_parens(text, pos);
  if (open.count == 0 && precedence > kRecordPrecedence) return std::nullopt;
  std::optional<OverrideRead> record = read_record(text, open.end);
  if (!record) return std::nullopt;
  const std::optional<std::size_t> end = read_close_parens(text, record->rest, open.count);
  if (!end) return std::nullopt;
  record->rest = *end;
  return record;
}

std::optional<OverrideListRead> read_override_list(const DecodedText& text) {
  const OpenParens open = read_open_parens(text, 0);
  const std::optional<std::size_t> bracket = expect_lexeme(text, open.end, LexemeKind::Punc, U"[");
  if (!bracket) return std::nullopt;
  std::optional<OverrideListRead> list = read_list_body(text, *bracket);
  if (!list) return std::nullopt;
  const std::optional<std::size_t> end = read_close_parens(text, list->rest, open.count);
  if (!end) return std::nullopt;
  list->rest = *end;
  return list;
}

}  // namespace tarnwick::override
