// Scripts and parts of scripts that tests of the program compare its output with.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "cli/run_process.h"

namespace brackwen::testing {

// The script for `input` with 64 and 32, which must succeed.
inline std::string script_for(const std::string& input) {
  const RunResult r = run_brackwen({"64", "32"}, input);
  EXPECT_EQ(r.status, 0) << r.err;
  return r.out;
}

// The text of `script` before `marker`, which must occur in it.
inline std::string before(const std::string& script, const std::string& marker) {
  const std::size_t at = script.find(marker);
  EXPECT_NE(at, std::string::npos) << marker;
  return script.substr(0, at);
}

}  // namespace brackwen::testing
