// A file of distinct records for runs whose script is too long for a pipe to hold.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "cli/run_process.h"

namespace brackwen::testing {

// A file of `count` distinct decoder records, whose script no pipe holds when they are many;
// removed at the end.
class RecordsFile {
 public:
  explicit RecordsFile(int count) {
    path_ = (std::filesystem::temp_directory_path() / "brackwen-records-XXXXXX").string();
    const int fd = mkstemp(path_.data());
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
