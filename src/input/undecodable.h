// The failure of input that cannot be decoded.
#pragma once

namespace brackwen {

// Ends the run where the reading first needs a character of the input that cannot be decoded.
[[noreturn]] void fail_undecodable();

}  // namespace brackwen
