// Standard input cut into lines, with lines at hand peeked before they are taken.
#include "io/input_stream.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace brackwen {
namespace {

// A pipe that holds `text` and then ends.
class PipedInput : public ::testing::Test {
 protected:
  void feed(const std::string& text) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    writer_ = std::thread([fd = fds[1], text] {
      // Once the read end is closed, a write fails with EPIPE instead of ending the test.
      sigset_t pipe_signal;
      sigemptyset(&pipe_signal);
      sigaddset(&pipe_signal, SIGPIPE);
      pthread_sigmask(SIG_BLOCK, &pipe_signal, nullptr);
      for (std::size_t done = 0; done < text.size();) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
      }
      close(fd);
    });
    read_fd_ = fds[0];
    input_.emplace(read_fd_, [this] { ++waits_; });
  }
  // Closes the read end first, so that a writer still writing, when a test stopped reading
  // early, fails and ends instead of waiting forever.
  ~PipedInput() override {
    if (read_fd_ >= 0) close(read_fd_);
    if (writer_.joinable()) writer_.join();
  }

  // Takes every remaining line.
  std::vector<std::string> rest() {
    std::vector<std::string> lines;
    while (const std::optional<std::string_view> line = input_->next_line()) lines.emplace_back(*line);
    return lines;
  }

  int waits_ = 0;  // how often the stream has run its action before a read that may wait
  int read_fd_ = -1;
  std::thread writer_;
  std::optional<InputStream> input_;
};

TEST_F(PipedInput, RunsItsOwnersActionBeforeEachReadThatMayWaitAndNoneAfterTheEnd) {
  feed("one\ntwo");
  EXPECT_EQ(waits_, 0);
  ASSERT_EQ(input_->next_line(), "one");
  EXPECT_GE(waits_, 1);
  EXPECT_EQ(rest(), (std::vector<std::string>{"two"}));
  const int waits_to_the_end = waits_;
  EXPECT_EQ(input_->next_line(), std::nullopt);
  EXPECT_EQ(input_->peek_line_at_hand(), std::nullopt);
  EXPECT_EQ(waits_, waits_to_the_end);
}

TEST_F(PipedInput, PeekedLinesAreTakenInOrderAndStayValidUntilTheNextTake) {
  feed("one\ntwo\n\nfour\nlast");
  std::optional<std::string_view> line;
  // Nothing is at hand before the first read.
  EXPECT_EQ(input_->peek_line_at_hand(), std::nullopt);
  ASSERT_EQ(input_->next_line(), "one");
  // The rest of a short pipe arrives with the first read; the last line has no line feed, so
  // it is not at hand whole.
  std::vector<std::string_view> peeked;
  while ((line = input_->peek_line_at_hand())) peeked.push_back(*line);
  ASSERT_EQ(peeked, (std::vector<std::string_view>{"two", "", "four"}));
  const std::optional<std::string_view> two = input_->next_line();
  ASSERT_EQ(two, "two");
  EXPECT_EQ(two->data(), peeked[0].data());
  EXPECT_EQ(peeked[2], "four");
  EXPECT_EQ(rest(), (std::vector<std::string>{"", "four", "last"}));
  EXPECT_EQ(input_->peek_line_at_hand(), std::nullopt);
}

TEST_F(PipedInput, PeekingStopsAtItsLimitAndResumesAfterTakes) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += std::to_string(i) + "\n";
  feed(text);
  ASSERT_EQ(input_->next_line(), "0");
  std::vector<std::string> peeked;
  while (const std::optional<std::string_view> line = input_->peek_line_at_hand()) peeked.emplace_back(*line);
  ASSERT_GT(peeked.size(), 4u);
  ASSERT_LT(peeked.size(), 99u);
  EXPECT_EQ(peeked.front(), "1");
  EXPECT_EQ(peeked.back(), std::to_string(peeked.size()));
  ASSERT_EQ(input_->next_line(), "1");
  ASSERT_EQ(input_->peek_line_at_hand(), std::to_string(peeked.size() + 1));
  std::vector<std::string> expected;
  for (std::size_t i = 2; i < 100; ++i) expected.push_back(std::to_string(i));
  EXPECT_EQ(rest(), expected);
}

TEST_F(PipedInput, LinesCutFromTheTextAtHandAreTakenLikePeekedOnes) {
  feed("first\nsecond\nthird\nrest");
  ASSERT_EQ(input_->next_line(), "first");
  ASSERT_EQ(input_->text_at_hand(), "second\nthird\nrest");
  input_->peek_line_of_length(6);
  ASSERT_EQ(input_->text_at_hand(), "third\nrest");
  // A length whose character is no line feed is refused.
  EXPECT_THROW(input_->peek_line_of_length(3), std::logic_error);
  EXPECT_THROW(input_->peek_line_of_length(10), std::logic_error);
  ASSERT_EQ(input_->peek_line_at_hand(), "third");
  EXPECT_EQ(input_->text_at_hand(), "rest");
  EXPECT_EQ(rest(), (std::vector<std::string>{"second", "third", "rest"}));
}

TEST_F(PipedInput, LinesLongerThanAChunkArePeekedWhenWhole) {
  const std::string long_line(200000, 'x');
  feed("a\n" + long_line + "\nb\n");
  ASSERT_EQ(input_->next_line(), "a");
  // The long line is not whole in the first chunk, so it is not at hand; taking it reads on.
  EXPECT_EQ(input_->peek_line_at_hand(), std::nullopt);
  ASSERT_EQ(input_->next_line(), long_line);
  ASSERT_EQ(input_->peek_line_at_hand(), "b");
  EXPECT_EQ(rest(), (std::vector<std::string>{"b"}));
}

}  // namespace
}  // namespace brackwen
