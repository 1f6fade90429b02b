#include "script/blocks.h"

#include <vector>

namespace brackwen {

using tarnwick::override::Integer;

namespace {

// The constant arguments of the copy statement.
const Integer kWordBytes = 4;
const Integer kZero = 0;

const Doc& spec_name_of(bool encoder) {
  return encoder ? pieces().enc_int_spec_precise : pieces().dec_int_spec_precise;
}

}  // namespace

Doc marker_line(const Doc& index_text) { return hcat({pieces().marker_open, index_text, pieces().marker_close}); }

Doc main_name(bool encoder, const Doc& index_text) { return ov_name(spec_name_of(encoder), index_text); }

OverrideStatements gen_override(const ArgumentValue& dst_n, const ArgumentValue& src_n, bool encoder,
                                const FieldValues& fields, const Doc& index_text) {
  const ScriptPieces& p = pieces();
  const std::vector<ArgumentValue> copy_arguments =
      encoder ? std::vector<ArgumentValue>{dst_n, kWordBytes, fields.third, kZero, fields.length}
              : std::vector<ArgumentValue>{kWordBytes, src_n, kZero, fields.third, fields.length};
  const ArgumentValue& size = encoder ? dst_n : src_n;
  const std::vector<ArgumentValue> main_arguments = {size, fields.third, fields.lb, fields.ub};
  const Doc copy_name = ov_name(p.big_endian_copy_bits_spec_precise, index_text);
  const Doc main = main_name(encoder, index_text);
  const Doc copy_statement = verify_stmt(copy_name, verify_call(p.big_endian_copy_bits, {p.enc_length_int_ov},
                                                                p.big_endian_copy_bits_spec_precise, copy_arguments));
  const Doc main_statement =
      verify_stmt(main, verify_call(encoder ? p.enc_int : p.dec_int, {p.enc_length_int_ov, copy_name},
                                    spec_name_of(encoder), main_arguments));
  return {main, above(copy_statement, main_statement)};
}

}  // namespace brackwen
