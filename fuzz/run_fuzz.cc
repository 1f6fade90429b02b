// Fuzzes one whole run of the tool in process, through `brackwen::run` over memory files.
//
// Input layout: the first byte's low two bits are the number of arguments after the program
// name (so "2" gives two); then each argument up to a NUL byte (the last one may end with the
// data); everything after is standard input. The program name is "brackwen"; the locale is
// C.UTF-8.
//
// Checked on every input, against what the tool must do:
// - the usage text, with status 1 and nothing on standard error, exactly when the arguments
//   call for it;
// - otherwise status 0 exactly when every input line is UTF-8 holding one record with only
//   white space around it, and each buffer size that some record needs is UTF-8 holding one
//   integer; the script then begins with its header, ends with the final list and a line feed,
//   has one block per distinct record value, and nothing is on standard error;
// - on status 1 standard error holds one line: "brackwen: " and one of the known messages.
#include <clocale>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "brackwen/entry.h"
#include "fuzz/fuzz_text.h"
#include "fuzz/require.h"
#include "override/hashing.h"
#include "override/lexer.h"
#include "override/reader.h"

namespace {

using namespace tarnwick::override;
using brackwen::fuzz::require;

// A new memory file holding `bytes`, positioned at its start.
int memory_file(std::string_view bytes) {
  const int fd = memfd_create("brackwen-fuzz", MFD_CLOEXEC);
  require(fd >= 0);
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    require(n > 0);
    done += static_cast<std::size_t>(n);
  }
  require(lseek(fd, 0, SEEK_SET) == 0);
  return fd;
}

// All that the memory file `fd` holds; closes it.
std::string contents(int fd) {
  struct stat info {};
  require(fstat(fd, &info) == 0);
  std::string text(static_cast<std::size_t>(info.st_size), '\0');
  require(pread(fd, text.data(), text.size(), 0) == static_cast<ssize_t>(text.size()));
  close(fd);
  return text;
}

// The lines of `input`: cut at each line feed, a line feed at the very end beginning no line.
std::vector<std::string_view> lines_of(std::string_view input) {
  std::vector<std::string_view> lines;
  while (!input.empty()) {
    const std::size_t feed = input.find('\n');
    lines.push_back(input.substr(0, feed));
    input.remove_prefix(feed == std::string_view::npos ? input.size() : feed + 1);
  }
  return lines;
}

// The number of times `needle` occurs in `text`.
std::size_t count(std::string_view text, std::string_view needle) {
  std::size_t n = 0;
  for (std::size_t at = text.find(needle); at != std::string_view::npos; at = text.find(needle, at + 1)) ++n;
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::setlocale(LC_ALL, "C.UTF-8");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  if (rest.empty()) return 0;
  const std::size_t argument_count = static_cast<std::uint8_t>(rest[0]) & 3;
  rest.remove_prefix(1);
  std::vector<std::string> arguments;
  for (std::size_t i = 0; i < argument_count; ++i) {
    const std::size_t nul = rest.find('\0');
    arguments.emplace_back(rest.substr(0, nul));
    rest.remove_prefix(nul == std::string_view::npos ? rest.size() : nul + 1);
  }
  const std::string_view input = rest;

  std::vector<const char*> argv = {"brackwen"};
  for (const std::string& a : arguments) argv.push_back(a.c_str());
  const int in = memory_file(input);
  const int out = memory_file("");
  const int err = memory_file("");
  const int status = brackwen::run(argv, {in, out, err});
  close(in);
  const std::string output = contents(out);
  const std::string error = contents(err);

  bool usage = arguments.size() != 2;
  for (const std::string& a : arguments) usage = usage || a == "-h" || a == "--help";
  if (usage) {
    require(status == 1 && error.empty());
    require(output ==
            "usage: brackwen DST_N SRC_N < OVERRIDE_FILE\n\n"
            "Generate Quenby Script for overrides specified on stdin, \n"
            "using given destination and source buffer sizes.\n");
    return 0;
  }

  // What the run must come to, from the model's own readers.
  bool readable = true;
  bool needs_dst = false, needs_src = false;
  std::unordered_set<Override, OverrideHasher, OverrideEqualTo> distinct;
  for (const std::string_view line : lines_of(input)) {
    bool strict = false;
    const std::u32string text = brackwen::fuzz::decode_lenient(line, &strict);
    const std::optional<OverrideRead> read = strict ? read_override(text, 0) : std::nullopt;
    if (!read || skip_white_space(text, read->rest) != text.size()) {
      readable = false;
      break;
    }
    (is_enc_int(read->value) ? needs_dst : needs_src) = true;
    distinct.insert(read->value);
  }
  const auto size_readable = [](const std::string& argument) {
    bool strict = false;
    const std::u32string text = brackwen::fuzz::decode_lenient(argument, &strict);
    const std::optional<IntegerRead> read = strict ? read_integer(text, 0) : std::nullopt;
    return read && skip_white_space(text, read->end) == text.size();
  };
  readable = readable && (!needs_dst || size_readable(arguments[0])) && (!needs_src || size_readable(arguments[1]));

  const std::string_view header = "// This script was machine generated by Brackwen.\n\n";
  require(std::string_view(output).substr(0, header.size()) == header);
  if (readable) {
    require(status == 0 && error.empty());
    require(output.size() >= 3 && output.compare(output.size() - 3, 3, "];\n") == 0);
    require(count(output, "\nprint \"XXX ") == distinct.size());
    require(count(output, "enc_dec_ovs <-") == 1);
  } else {
    require(status == 1);
    require(error == "brackwen: Prelude.read: no parse\n" ||
            error == "brackwen: standard input: invalid byte sequence\n");
  }
  return 0;
}
