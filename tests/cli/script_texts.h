// Inputs that tests of the program run it on, and the scripts and parts of scripts that they
// compare its output with.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include <unistd.h>

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

// A file of `count` distinct decoder records, whose script no pipe holds when they are many;
// removed at the end.
class RecordsFile {
 public:
  explicit RecordsFile(int count) {
    char path[] = "/tmp/brackwen-records-XXXXXX";
    const int fd = mkstemp(path);
    path_ = path;
    for (int i = 0; i < count; ++i) {
      text_ += "Override_dec_int {lb = " + std::to_string(i) + ", ub = 1, src_i = 2, length = 3}\n";
    }
    EXPECT_EQ(write(fd, text_.data(), text_.size()), static_cast<ssize_t>(text_.size()));
    close(fd);
  }
  ~RecordsFile() { unlink(path_.c_str()); }
  RecordsFile(const RecordsFile&) = delete;
  RecordsFile& operator=(const RecordsFile&) = delete;

  // How to run brackwen 64 32 on the file.
  Launch launch() const {
    Launch launch = brackwen_launch({"64", "32"});
    launch.input_path = path_;
    return launch;
  }
  // What the file holds.
  const std::string& text() const { return text_; }

 private:
  std::string path_;
  std::string text_;
};

}  // namespace brackwen::testing
