// The entry: command line, standard input and output, and the end of every run.
#include <cerrno>
#include <clocale>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

#include "brackwen/command_line.h"
#include "brackwen/failure.h"
#include "brackwen/input_stream.h"
#include "brackwen/interrupt.h"
#include "brackwen/locale_text.h"
#include "brackwen/output_stream.h"
#include "brackwen/render.h"
#include "brackwen/pipeline.h"

namespace {

// Writes the failure line to standard error, ignoring a failure to write it.
void report_failure(std::string_view program, std::string_view message) {
  std::string line(program);
  line.append(": ").append(message).append("\n");
  for (std::string_view rest = line; !rest.empty();) {
    const ssize_t n = ::write(STDERR_FILENO, rest.data(), rest.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return;
    }
    rest.remove_prefix(static_cast<std::size_t>(n));
  }
}

}  // namespace

int main(int argc, char** argv) {
  using namespace brackwen;
  std::setlocale(LC_ALL, "");
  install_interrupt_handler();
  const std::string_view program = program_name(argc > 0 && argv[0] != nullptr ? argv[0] : "");
  const std::vector<std::string_view> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  OutputStream out(STDOUT_FILENO, isatty(STDOUT_FILENO) == 1);
  int status = 0;
  try {
    if (wants_usage(arguments)) {
      out.write(usage_text(program));
      status = 1;
    } else {
      auto input = std::make_shared<InputStream>(STDIN_FILENO, out);
      render_script(gen_script(arguments[0], arguments[1], std::move(input), LocaleDecoder()), out);
      out.write("\n");
    }
    out.flush();
  } catch (const Failure& failure) {
    out.flush_ignoring_errors();
    report_failure(program, failure.what());
    status = 1;
  } catch (const std::bad_alloc&) {
    out.flush_ignoring_errors();
    report_failure(program, "out of memory");
    status = 1;
  }
  if (interrupt_pending()) end_by_interrupt();
  return status;
}
