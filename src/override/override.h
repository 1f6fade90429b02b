// The override record: what one line of the override file holds.
#pragma once

#include <type_traits>
#include <utility>
#include <variant>

#include "override/integer.h"

namespace tarnwick::override {

// The precedence of a record: the reader takes one without parentheses in a context of at most
// this precedence, and the printer encloses one in a context of at least this.
inline constexpr int kRecordPrecedence = 11;

// An override of the integer encoder `enc_int`; `dst_i` is a position in the destination buffer.
class Override_enc_int {
 public:
  // The record of the four fields in their order; any four integers make a record.
  Override_enc_int(Integer lb, Integer ub, Integer dst_i, Integer length)
      : lb_(std::move(lb)), ub_(std::move(ub)), dst_i_(std::move(dst_i)), length_(std::move(length)) {}
  const Integer& lb() const noexcept { return lb_; }
  const Integer& ub() const noexcept { return ub_; }
  const Integer& dst_i() const noexcept { return dst_i_; }
  const Integer& length() const noexcept { return length_; }

 private:
  Integer lb_, ub_, dst_i_, length_;
};

// An override of the integer decoder `dec_int`; `src_i` is a position in the source buffer.
class Override_dec_int {
 public:
  // The record of the four fields in their order; any four integers make a record.
  Override_dec_int(Integer lb, Integer ub, Integer src_i, Integer length)
      : lb_(std::move(lb)), ub_(std::move(ub)), src_i_(std::move(src_i)), length_(std::move(length)) {}
  const Integer& lb() const noexcept { return lb_; }
  const Integer& ub() const noexcept { return ub_; }
  const Integer& src_i() const noexcept { return src_i_; }
  const Integer& length() const noexcept { return length_; }

 private:
  Integer lb_, ub_, src_i_, length_;
};

// An override of either variant; the encoder variant comes first, and orders first.
using Override = std::variant<Override_enc_int, Override_dec_int>;

// Whether `o` is an `Override_enc_int`.
inline bool is_enc_int(const Override& o) noexcept { return o.index() == 0; }

// The fields that both variants have, at the same positions.
inline const Integer& lb(const Override& o) noexcept {
  return std::visit([](const auto& r) -> const Integer& { return r.lb(); }, o);
}
inline const Integer& ub(const Override& o) noexcept {
  return std::visit([](const auto& r) -> const Integer& { return r.ub(); }, o);
}
inline const Integer& length(const Override& o) noexcept {
  return std::visit([](const auto& r) -> const Integer& { return r.length(); }, o);
}
// The third field: `dst_i` of an `Override_enc_int`, `src_i` of an `Override_dec_int`.
inline const Integer& third_field(const Override& o) noexcept {
  return std::visit(
      [](const auto& r) -> const Integer& {
        if constexpr (std::is_same_v<std::decay_t<decltype(r)>, Override_enc_int>) {
          return r.dst_i();
        } else {
          return r.src_i();
        }
      },
      o);
}

}  // namespace tarnwick::override
