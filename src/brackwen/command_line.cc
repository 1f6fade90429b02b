#include "brackwen/command_line.h"

#include <algorithm>

namespace brackwen {

std::string_view program_name(std::string_view argv0) {
  const std::size_t slash = argv0.rfind('/');
  return slash == std::string_view::npos ? argv0 : argv0.substr(slash + 1);
}

bool wants_usage(std::span<const std::string_view> arguments) {
  if (arguments.size() != 2) return true;
  const auto is = [&](std::string_view option) {
    return std::find(arguments.begin(), arguments.end(), option) != arguments.end();
  };
  return is("-h") || is("--help");
}

std::string usage_text(std::string_view program) {
  std::string text = "usage: ";
  text.append(program);
  text.append(
      " DST_N SRC_N < OVERRIDE_FILE\n"
      "\n"
      "Generate Quenby Script for overrides specified on stdin, \n"
      "using given destination and source buffer sizes.\n");
  return text;
}

}  // namespace brackwen
