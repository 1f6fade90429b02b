// The printer of the override record text form, the form that `read_override` reads back.
//
// The printer writes ASCII only. A rest is appended byte for byte as given, so it may hold
// text in any encoding that is a superset of ASCII, such as UTF-8.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "override/override.h"

namespace tarnwick::override {

// The text of `record` at precedence `precedence`, in parentheses from `kRecordPrecedence` on,
// followed by `rest`.
std::string show_override(int precedence, const Override& record, std::string_view rest);

// The text of `record` by itself, never enclosed in parentheses.
std::string override_to_text(const Override& record);

// "[", the texts of `records` separated by "," (none enclosed), "]", then `rest`.
std::string show_override_list(std::span<const Override> records, std::string_view rest);

}  // namespace tarnwick::override
