#include "io/input_stream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>
#include <utility>

#include <poll.h>
#include <unistd.h>

#include "io/fd_io.h"
#include "support/failure.h"
#include "support/padded_text.h"

namespace brackwen {
namespace {

constexpr std::size_t kChunk = std::size_t{1} << 16;

}  // namespace

InputStream::InputStream(int fd, std::function<void()> before_waiting)
    : fd_(fd), before_waiting_(std::move(before_waiting)), buffer_(kChunk + kTextPadding) {}

std::optional<PaddedText> InputStream::peek_line_at_hand() {
  if (peeked_count_ == kPeekLimit) return std::nullopt;
  const char* start = buffer_.data() + begin_ + peeked_;
  const std::size_t held = end_ - begin_ - peeked_;
  const void* feed = std::memchr(start + scanned_, '\n', held - scanned_);
  if (feed == nullptr) {
    scanned_ = held;
    return std::nullopt;
  }
  const auto length = static_cast<std::size_t>(static_cast<const char*>(feed) - start);
  const std::size_t line_start = begin_ + peeked_;
  add_peeked(length);
  return held_text(line_start, length);
}

PaddedText InputStream::text_at_hand() {
  if (peeked_count_ == kPeekLimit) return {};
  return held_text(begin_ + peeked_, end_ - begin_ - peeked_);
}

void InputStream::peek_line_of_length(std::size_t length) {
  if (peeked_count_ == kPeekLimit || length >= end_ - begin_ - peeked_ || buffer_[begin_ + peeked_ + length] != '\n') {
    throw std::logic_error("a line peeked by its length does not end there");
  }
  add_peeked(length);
}

void InputStream::add_peeked(std::size_t length) {
  peeked_lengths_[(first_peeked_ + peeked_count_++) % kPeekLimit] = length;
  peeked_ += length + 1;
  scanned_ = 0;
}

std::optional<PaddedText> InputStream::next_line() {
  if (peeked_count_ != 0) {
    const std::size_t length = peeked_lengths_[first_peeked_];
    first_peeked_ = (first_peeked_ + 1) % kPeekLimit;
    --peeked_count_;
    const PaddedText line = held_text(begin_, length);
    begin_ += length + 1;
    peeked_ -= length + 1;
    return line;
  }
  for (;;) {
    const char* start = buffer_.data() + begin_;
    const std::size_t held = end_ - begin_;
    if (const void* feed = std::memchr(start + scanned_, '\n', held - scanned_)) {
      const std::size_t length = static_cast<std::size_t>(static_cast<const char*>(feed) - start);
      const PaddedText line = held_text(begin_, length);
      begin_ += length + 1;
      scanned_ = 0;
      return line;
    }
    scanned_ = held;
    if (!read_more()) {
      if (begin_ == end_) return std::nullopt;
      const PaddedText last = held_text(begin_, end_ - begin_);
      begin_ = end_;
      scanned_ = 0;
      return last;
    }
  }
}

bool InputStream::read_more() {
  if (at_end_) return false;
  // Keep the unfinished line at the front, and make room for a chunk after it.
  const std::size_t held = end_ - begin_;
  if (begin_ != 0) std::memmove(buffer_.data(), buffer_.data() + begin_, held);
  begin_ = 0;
  end_ = held;
  // The bytes after the room for reading stay as padding.
  const std::size_t room = buffer_.size() - kTextPadding;
  if (room - end_ < kChunk) buffer_.resize(std::max(room * 2, end_ + kChunk) + kTextPadding);
  before_waiting_();
  for (;;) {
    const ssize_t n = ::read(fd_, buffer_.data() + end_, buffer_.size() - kTextPadding - end_);
    if (n > 0) {
      end_ += static_cast<std::size_t>(n);
      return true;
    }
    if (n == 0) {
      at_end_ = true;
      return false;
    }
    if (errno == EAGAIN || errno == EWOULDBLOCK) {
      wait_until_ready(fd_, POLLIN);
    } else if (errno != EINTR) {
      throw Failure(std::string("standard input: ") + std::strerror(errno));
    }
  }
}

}  // namespace brackwen
