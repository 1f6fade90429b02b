// The memory functions of GNU MP.
#pragma once

namespace brackwen {

// Makes GNU MP allocate with the C library and end the run by `end_out_of_memory` when that
// fails, instead of aborting: its allocation functions may neither return failure nor throw.
void install_gmp_memory_functions();

}  // namespace brackwen
