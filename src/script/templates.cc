#include "script/templates.h"

#include <utility>

namespace brackwen {

using tarnwick::override::Integer;

const ScriptPieces& pieces() {
  static const ScriptPieces shared;
  return shared;
}

ArgumentValue ArgumentValue::hole(int slot) {
  ArgumentValue value;
  value.slot_ = slot;
  return value;
}

Doc ArgumentValue::text() const { return value_ ? integer_text(*value_) : brackwen::hole(slot_); }

Doc integer_text(const Integer& value) { return text(value.to_decimal()); }

Doc eval_int_arg(const ArgumentValue& value) {
  const ScriptPieces& p = pieces();
  return indent(kIndentStep, hsep({p.eval_int_open, value.text(), p.eval_int_close}));
}

Doc verify_call(const Doc& function, std::vector<Doc> overrides, const Doc& spec_name,
                const std::vector<ArgumentValue>& values) {
  std::vector<Doc> application{spec_name};
  for (const ArgumentValue& value : values) application.push_back(eval_int_arg(value));
  return vsep({dquotes(function), list(std::move(overrides)), parens(vcat(std::move(application)))});
}

Doc verify_stmt(const Doc& result, const Doc& call) {
  const ScriptPieces& p = pieces();
  return vcat({hsep({result, p.arrow}),
               indent(kIndentStep, vcat({p.llvm_verify_m, indent(kIndentStep, beside(call, p.semicolon))}))});
}

Doc ov_name(const Doc& spec_name, const Doc& index_text) {
  return hcat({spec_name, pieces().ov_separator, index_text});
}

}  // namespace brackwen
