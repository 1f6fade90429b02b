// The statement templates: one verification statement of the script, and its fixed pieces.
#pragma once

#include <optional>
#include <vector>

#include "layout/doc.h"
#include "override/integer.h"

namespace brackwen {

// The fixed texts of the script, each a document built once and shared by every statement.
struct ScriptPieces {
  Doc marker_open = text("print \"XXX ");
  Doc marker_close = text("\";");
  Doc enc_length_int_ov = text("enc_length_int_ov");
  Doc big_endian_copy_bits = text("big_endian_copy_bits");
  Doc big_endian_copy_bits_spec_precise = text("big_endian_copy_bits_spec_precise");
  Doc enc_int = text("enc_int");
  Doc enc_int_spec_precise = text("enc_int_spec_precise");
  Doc dec_int = text("dec_int");
  Doc dec_int_spec_precise = text("dec_int_spec_precise");
  Doc eval_int_open = text("(eval_int {{");
  Doc eval_int_close = text(": [32] }})");
  Doc llvm_verify_m = text("llvm_verify m");
  Doc arrow = text("<-");
  Doc semicolon = text(";");
  Doc ov_separator = text("_ov_");
};

// The shared fixed pieces.
const ScriptPieces& pieces();

// The columns by which a statement indents its inner lines.
inline constexpr int kIndentStep = 2;

// An integer argument of a statement: a known value, or a hole of a template.
class ArgumentValue {
 public:
  // A known value.
  ArgumentValue(tarnwick::override::Integer value)
      : value_(std::move(value)) {}  // NOLINT: a known integer is an argument value
  // The hole `slot`, filled in when the laid-out template is written.
  static ArgumentValue hole(int slot);
  // The document of the value's decimal text, or the hole.
  Doc text() const;

 private:
  ArgumentValue() = default;
  std::optional<tarnwick::override::Integer> value_;
  int slot_ = 0;
};

// The document of the decimal text of `value`.
Doc integer_text(const tarnwick::override::Integer& value);

// One argument line: "(eval_int {{", the value, ": [32] }})", indented by 2.
Doc eval_int_arg(const ArgumentValue& value);

// The call part of a statement: the quoted function name, the override list, and the
// function's precise contract `spec_name` applied to one argument line per value, on
// successive lines.
Doc verify_call(const Doc& function, std::vector<Doc> overrides, const Doc& spec_name,
                const std::vector<ArgumentValue>& values);

// A whole statement: the result name bound by "<-" to `llvm_verify m` and the call, ended by ";".
Doc verify_stmt(const Doc& result, const Doc& call);

// The result name made of a contract name such as `enc_int_spec_precise`, "_ov_" and the
// document of an index's text.
Doc ov_name(const Doc& spec_name, const Doc& index_text);

}  // namespace brackwen
