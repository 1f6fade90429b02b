#include "input/undecodable.h"

#include "support/failure.h"

namespace brackwen {
namespace {

// The message for input that is not valid text in the locale's encoding.
constexpr const char* kInvalidInput = "standard input: invalid byte sequence";

}  // namespace

void fail_undecodable() { throw Failure(kInvalidInput); }

}  // namespace brackwen
