#include "brackwen/templates.h"

#include <utility>

namespace brackwen {

const ScriptPieces& pieces() {
  static const ScriptPieces shared;
  return shared;
}

ArgumentValue::ArgumentValue(Integer value)
    : read_([known = std::move(value)]() -> const Integer& { return known; }) {}

ArgumentValue::ArgumentValue(std::function<const Integer&()> read) : read_(std::move(read)) {}

Doc ArgumentValue::text() const {
  return lazy([read = read_] { return integer_text(read()); });
}

Doc integer_text(const Integer& value) { return text(value.to_decimal()); }

Doc eval_int_arg(const ArgumentValue& value) {
  const ScriptPieces& p = pieces();
  return indent(kIndentStep, hsep({p.eval_int_open, value.text(), p.eval_int_close}));
}

Doc verify_call(const Doc& function, std::vector<Doc> overrides, const Doc& specification,
                const std::vector<ArgumentValue>& values) {
  std::vector<Doc> application{specification};
  for (const ArgumentValue& value : values) application.push_back(eval_int_arg(value));
  return vsep({dquotes(function), list(std::move(overrides)), parens(vcat(std::move(application)))});
}

Doc verify_stmt(const Doc& result, const Doc& call) {
  const ScriptPieces& p = pieces();
  return vcat({hsep({result, p.arrow}),
               indent(kIndentStep, vcat({p.llvm_verify_m, indent(kIndentStep, beside(call, p.semicolon))}))});
}

Doc ov_name(const Doc& specification, const Integer& index) {
  return hcat({specification, pieces().ov_separator, integer_text(index)});
}

}  // namespace brackwen
