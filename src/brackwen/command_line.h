// The command line: the program name, the test for the usage text, and the usage text.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace brackwen {

// The program name: `argv0`, the argument vector's first element, from after its last "/" if it has one.
std::string_view program_name(std::string_view argv0);

// Whether the arguments after the program name call for the usage text: any count but two,
// or "-h" or "--help" as either of two.
bool wants_usage(std::span<const std::string_view> arguments);

// The four lines of the usage text, each ended by a line feed.
std::string usage_text(std::string_view program);

}  // namespace brackwen
