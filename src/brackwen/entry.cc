#include "brackwen/entry.h"

#include <memory>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

#include "brackwen/command_line.h"
#include "brackwen/pipeline.h"
#include "io/abrupt_end.h"
#include "io/fd_io.h"
#include "io/input_stream.h"
#include "io/locale_text.h"
#include "io/output_stream.h"
#include "script/script_page.h"
#include "support/failure.h"
#include "support/random_seed.h"

namespace brackwen {

int run(std::span<const char* const> argv, const StandardStreams& streams) {
  const std::string_view program = program_name(!argv.empty() && argv[0] != nullptr ? argv[0] : "");
  // Made within the handling of failures, since making it can run out of memory too.
  std::optional<OutputStream> out;
  AbruptEndScope abrupt_end(program, streams.error);
  try {
    out.emplace(streams.output, isatty(streams.output) == 1);
    abrupt_end.write_out(out->pending());
    // Made before anything is written, the usage text included: it refuses an encoding whose
    // bytes for the ASCII characters are not ASCII's, the bytes that every text here is written in.
    const LocaleDecoder decoder;
    const std::vector<std::string_view> arguments(argv.begin() + (argv.empty() ? 0 : 1), argv.end());
    int status = 0;
    if (wants_usage(arguments)) {
      out->write(usage_text(program));
      status = 1;
    } else {
      auto input = std::make_shared<InputStream>(streams.input, [&out] { out->flush(); });
      render_script(gen_script(arguments[0], arguments[1], std::move(input), decoder, random_seed()), *out);
      out->write("\n");
    }
    out->flush();
    return status;
  } catch (const Failure& failure) {
    if (out) out->flush_ignoring_errors();
    write_failure_line(streams.error, program, failure.what());
  } catch (const std::bad_alloc&) {
    if (out) out->flush_ignoring_errors();
    write_failure_line(streams.error, program, kOutOfMemory);
  }
  return 1;
}

}  // namespace brackwen
