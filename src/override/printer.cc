#include "override/printer.h"

namespace tarnwick::override {
namespace {

// Appends `name`, " = " and the decimal text of `value`.
void append_field(std::string& out, std::string_view name, const Integer& value) {
  out.append(name);
  out.append(" = ");
  value.append_decimal(out);
}

// Appends the text of `record` without enclosing parentheses.
void append_record(std::string& out, const Override& record) {
  const bool enc = is_enc_int(record);
  out.append(enc ? "Override_enc_int {" : "Override_dec_int {");
  append_field(out, "lb", lb(record));
  out.append(", ");
  append_field(out, "ub", ub(record));
  out.append(", ");
  append_field(out, enc ? "dst_i" : "src_i", third_field(record));
  out.append(", ");
  append_field(out, "length", length(record));
  out.push_back('}');
}

}  // namespace

std::string show_override(int precedence, const Override& record, std::string_view rest) {
  const bool enclose = precedence >= kRecordPrecedence;
  std::string out;
  if (enclose) out.push_back('(');
  append_record(out, record);
  if (enclose) out.push_back(')');
  out.append(rest);
  return out;
}

std::string override_to_text(const Override& record) { return show_override(0, record, {}); }

std::string show_override_list(std::span<const Override> records, std::string_view rest) {
  std::string out = "[";
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (i > 0) out.push_back(',');
    append_record(out, records[i]);
  }
  out.push_back(']');
  out.append(rest);
  return out;
}

}  // namespace tarnwick::override
