// The memory functions of GNU MP.
#pragma once

namespace brackwen {

// Makes GNU MP allocate with the C library's functions and, when an allocation fails, end the
// run as every failure to allocate does (`end_out_of_memory`) instead of aborting: GNU MP's
// allocation functions must not return when they fail, and may not throw.
void install_gmp_memory_functions();

}  // namespace brackwen
