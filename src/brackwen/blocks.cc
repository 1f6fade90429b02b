#include "brackwen/blocks.h"

#include <cstdint>
#include <utility>
#include <variant>

namespace brackwen {
namespace {

using tarnwick::override::Override_dec_int;
using tarnwick::override::Override_enc_int;

// The constant arguments of the copy statement.
const Integer kWordBytes = 4;
const Integer kZero = 0;

// Everything a statement varies by, given its variant.
struct StatementParts {
  const Doc& function;
  const Doc& specification;
  std::vector<ArgumentValue> copy_arguments;
  std::vector<ArgumentValue> main_arguments;
};

StatementParts parts_of(const ArgumentValue& dst_n, const ArgumentValue&, const Override_enc_int& o) {
  const ScriptPieces& p = pieces();
  return {p.enc_int, p.enc_int_spec_precise,
          {dst_n, kWordBytes, o.dst_i(), kZero, o.length()},
          {dst_n, o.dst_i(), o.lb(), o.ub()}};
}

StatementParts parts_of(const ArgumentValue&, const ArgumentValue& src_n, const Override_dec_int& o) {
  const ScriptPieces& p = pieces();
  return {p.dec_int, p.dec_int_spec_precise,
          {kWordBytes, src_n, kZero, o.src_i(), o.length()},
          {src_n, o.src_i(), o.lb(), o.ub()}};
}

const Doc& specification_of(const Override& o) {
  return tarnwick::override::is_enc_int(o) ? pieces().enc_int_spec_precise : pieces().dec_int_spec_precise;
}

// The state of the one walk over the distinct overrides that both sequences share.
struct Walk {
  ArgumentValue dst_n, src_n;
  std::shared_ptr<DistinctOverrides> overrides;
  std::size_t produced = 0;  // how many distinct overrides the walk has produced

  // Whether the override with index `index` exists, producing it if needed.
  bool reach(std::size_t index) {
    while (produced <= index) {
      if (!overrides->advance()) return false;
      ++produced;
    }
    return true;
  }
};

Integer index_integer(std::size_t index) { return Integer(static_cast<std::int64_t>(index)); }

class BlockSequence : public DocSequence {
 public:
  explicit BlockSequence(std::shared_ptr<Walk> walk) : walk_(std::move(walk)) {}
  std::optional<Doc> next() override {
    if (!walk_->reach(next_)) return std::nullopt;
    const std::size_t index = next_++;
    Doc statements = lazy([walk = walk_, index] {
      return gen_override(walk->dst_n, walk->src_n, walk->overrides->at(index), index_integer(index)).statements;
    });
    return vcat({marker_line(index_integer(index)), std::move(statements), empty()});
  }

 private:
  std::shared_ptr<Walk> walk_;
  std::size_t next_ = 0;
};

class ResultNameSequence : public DocSequence {
 public:
  explicit ResultNameSequence(std::shared_ptr<Walk> walk) : walk_(std::move(walk)) {}
  std::optional<Doc> next() override {
    if (!walk_->reach(next_)) return std::nullopt;
    const std::size_t index = next_++;
    return lazy([walk = walk_, index] { return main_name(walk->overrides->at(index), index_integer(index)); });
  }

 private:
  std::shared_ptr<Walk> walk_;
  std::size_t next_ = 0;
};

}  // namespace

Doc marker_line(const Integer& index) {
  return hcat({pieces().marker_open, integer_text(index), pieces().marker_close});
}

Doc main_name(const Override& o, const Integer& index) { return ov_name(specification_of(o), index); }

OverrideStatements gen_override(const ArgumentValue& dst_n, const ArgumentValue& src_n, const Override& o,
                                const Integer& index) {
  const ScriptPieces& p = pieces();
  const StatementParts parts = std::visit([&](const auto& record) { return parts_of(dst_n, src_n, record); }, o);
  const Doc copy_name = ov_name(p.big_endian_copy_bits_spec_precise, index);
  const Doc main = ov_name(parts.specification, index);
  const Doc copy_statement = verify_stmt(
      copy_name, verify_call(p.big_endian_copy_bits, {p.enc_length_int_ov}, p.big_endian_copy_bits_spec_precise,
                             parts.copy_arguments));
  const Doc main_statement = verify_stmt(
      main, verify_call(parts.function, {p.enc_length_int_ov, copy_name}, parts.specification, parts.main_arguments));
  return {main, above(copy_statement, main_statement)};
}

BlockSequences gen_blocks(ArgumentValue dst_n, ArgumentValue src_n, std::shared_ptr<DistinctOverrides> overrides) {
  auto walk = std::make_shared<Walk>(Walk{std::move(dst_n), std::move(src_n), std::move(overrides)});
  return {std::make_shared<ResultNameSequence>(walk), std::make_shared<BlockSequence>(walk)};
}

}  // namespace brackwen
