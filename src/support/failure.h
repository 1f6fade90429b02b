// The one kind of error that ends a run with a message on standard error.
#pragma once

#include <stdexcept>
#include <string>

namespace brackwen {

// A failure that ends the run: the entry writes the program name, ": " and the message.
class Failure : public std::runtime_error {
 public:
  explicit Failure(const std::string& message) : std::runtime_error(message) {}
};

// The message of every text that cannot be read as the value it must hold.
inline constexpr const char* kNoParse = "Prelude.read: no parse";

// The message of a run that could not get the memory it needs.
inline constexpr const char* kOutOfMemory = "out of memory";

}  // namespace brackwen
