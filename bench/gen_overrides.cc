// Writes an override file for benchmarks: N lines holding D distinct overrides, encoders and
// decoders mixed, mostly small values with some beyond 64 bits.
//
//   gen_overrides LINES DISTINCT [SEED]   lines in record form
//   gen_overrides --digits COUNT          one encoder whose lb has COUNT decimal digits
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

// The text of one field value: small most of the time, beyond 64 bits now and then.
std::string value_text(std::mt19937_64& random, std::uint64_t unique) {
  if (random() % 64 == 0) return std::to_string(unique) + "0000000000000000000000" + std::to_string(random() % 10);
  if (random() % 16 == 0) return std::string("-").append(std::to_string(random() % 100000));
  return std::to_string(random() % 70000);
}

// The record text of the distinct override number `n`; its third field makes it unique.
std::string record(std::mt19937_64& random, std::uint64_t n) {
  const bool encoder = random() % 2 == 0;
  std::string text = encoder ? "Override_enc_int {lb = " : "Override_dec_int {lb = ";
  text += value_text(random, n) + ", ub = " + value_text(random, n);
  text += encoder ? ", dst_i = " : ", src_i = ";
  text += std::to_string(n) + ", length = " + std::to_string(random() % 64) + "}\n";
  return text;
}

int usage() {
  std::fputs("usage: gen_overrides LINES DISTINCT [SEED] | gen_overrides --digits COUNT\n", stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--digits") {
    const long count = std::atol(argv[2]);
    std::string digits(static_cast<std::size_t>(count), '7');
    std::printf("Override_enc_int {lb = %s, ub = 1, dst_i = 2, length = 3}\n", digits.c_str());
    return 0;
  }
  if (argc < 3 || argc > 4) return usage();
  const std::uint64_t lines = std::strtoull(argv[1], nullptr, 10);
  const std::uint64_t distinct = std::strtoull(argv[2], nullptr, 10);
  if (distinct == 0 || distinct > lines) return usage();
  std::mt19937_64 random(argc == 4 ? std::strtoull(argv[3], nullptr, 10) : 1);
  std::vector<std::string> records;
  records.reserve(distinct);
  for (std::uint64_t n = 0; n < distinct; ++n) records.push_back(record(random, n));
  // Every distinct override appears first in order; the other lines repeat earlier ones.
  std::string out;
  for (std::uint64_t i = 0; i < lines; ++i) {
    out += i < distinct ? records[i] : records[random() % distinct];
    if (out.size() > (1u << 20)) {
      std::fwrite(out.data(), 1, out.size(), stdout);
      out.clear();
    }
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return 0;
}
