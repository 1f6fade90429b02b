// The process entry: the locale, the interrupt handling, GNU MP's memory functions, and one run
// over the standard streams.
#include <clocale>
#include <span>

#include <unistd.h>

#include "brackwen/entry.h"
#include "io/gmp_memory.h"
#include "io/interrupt.h"

int main(int argc, char** argv) {
  // Only the character encoding matters, so only LC_CTYPE is taken from the environment: a
  // locale named for another category that is not installed must not leave the encoding at C.
  std::setlocale(LC_CTYPE, "");
  brackwen::install_interrupt_handler();
  brackwen::install_gmp_memory_functions();
  return brackwen::run(std::span<const char* const>(argv, static_cast<std::size_t>(argc)),
                       {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO});
}
