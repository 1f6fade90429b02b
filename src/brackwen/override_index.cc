#include "brackwen/override_index.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

#include <sys/mman.h>

namespace brackwen {

using tarnwick::override::Integer;
using tarnwick::override::Override;
using tarnwick::override::Override_dec_int;
using tarnwick::override::Override_enc_int;

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kChunkBytes = std::size_t{4} << 20;

// The stored form of an override: a header byte (bit 0 the variant, bit 1 + i set when field i
// lies outside the 64-bit range), then each field: a small one as its zigzag varint, a large one
// as the zigzag varint of its signed limb count and its limbs, least significant first. Both
// forms are canonical, so two overrides are equal exactly when their forms are.

void put_varint(std::uint64_t v, std::string& out) {
  while (v >= 0x80) {
    out.push_back(static_cast<char>(v | 0x80));
    v >>= 7;
  }
  out.push_back(static_cast<char>(v));
}

std::uint64_t get_varint(const char*& p) {
  std::uint64_t v = 0;
  for (unsigned shift = 0;; shift += 7) {
    const auto byte = static_cast<unsigned char>(*p++);
    v |= std::uint64_t{byte & 0x7fu} << shift;
    if (byte < 0x80) return v;
  }
}

std::uint64_t zigzag(std::int64_t v) {
  return (static_cast<std::uint64_t>(v) << 1) ^ static_cast<std::uint64_t>(v >> 63);
}

std::int64_t unzigzag(std::uint64_t v) {
  return static_cast<std::int64_t>(v >> 1) ^ -static_cast<std::int64_t>(v & 1);
}

void put_field(const Integer& v, std::string& out) {
  if (v.is_small()) {
    put_varint(zigzag(v.small_value()), out);
    return;
  }
  const mpz_class z = v.to_mpz();
  const std::size_t limbs = mpz_size(z.get_mpz_t());
  put_varint(zigzag(mpz_sgn(z.get_mpz_t()) < 0 ? -static_cast<std::int64_t>(limbs) : static_cast<std::int64_t>(limbs)), out);
  for (std::size_t i = 0; i < limbs; ++i) {
    const std::uint64_t limb = mpz_getlimbn(z.get_mpz_t(), i);
    char bytes[8];
    std::memcpy(bytes, &limb, 8);
    out.append(bytes, 8);
  }
}

Integer get_field(bool large, const char*& p) {
  const std::int64_t value = unzigzag(get_varint(p));
  if (!large) return Integer(value);
  const std::size_t limbs = static_cast<std::size_t>(value < 0 ? -value : value);
  mpz_class z;
  mpz_import(z.get_mpz_t(), limbs, -1, 8, 0, 0, p);
  p += 8 * limbs;
  if (value < 0) z = -z;
  return Integer(z);
}

void encode(const Override& o, std::string& out) {
  const Integer* fields[4];
  unsigned header;
  if (const auto* e = std::get_if<Override_enc_int>(&o)) {
    header = 0;
    fields[0] = &e->lb(), fields[1] = &e->ub(), fields[2] = &e->dst_i(), fields[3] = &e->length();
  } else {
    const auto& d = std::get<Override_dec_int>(o);
    header = 1;
    fields[0] = &d.lb(), fields[1] = &d.ub(), fields[2] = &d.src_i(), fields[3] = &d.length();
  }
  for (unsigned i = 0; i < 4; ++i) {
    if (!fields[i]->is_small()) header |= 2u << i;
  }
  out.clear();
  out.push_back(static_cast<char>(header));
  for (const Integer* field : fields) put_field(*field, out);
}

// A hash of a stored form, well mixed in its high bits.
std::uint64_t hash_bytes(std::string_view bytes) {
  std::uint64_t h = 0x9e3779b97f4a7c15ULL ^ bytes.size();
  std::size_t i = 0;
  for (; i + 8 <= bytes.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes.data() + i, 8);
    h = (h ^ word) * 0xbf58476d1ce4e5b9ULL;
    h ^= h >> 31;
  }
  std::uint64_t tail = 0;
  std::memcpy(&tail, bytes.data() + i, bytes.size() - i);
  h = (h ^ tail) * 0x94d049bb133111ebULL;
  h ^= h >> 29;
  h *= 0xbf58476d1ce4e5b9ULL;
  return h ^ (h >> 32);
}

}  // namespace

void LargeAllocation::operator()(void* p) const noexcept { std::free(p); }

std::unique_ptr<void, LargeAllocation> allocate_large(std::size_t bytes, bool zero) {
  if (bytes >= kHugePage) {
    const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* p = std::aligned_alloc(kHugePage, rounded);
    if (p == nullptr) throw std::bad_alloc();
    madvise(p, rounded, MADV_HUGEPAGE);
    if (zero) std::memset(p, 0, bytes);
    return std::unique_ptr<void, LargeAllocation>(p);
  }
  void* p = zero ? std::calloc(1, bytes) : std::malloc(bytes);
  if (p == nullptr) throw std::bad_alloc();
  return std::unique_ptr<void, LargeAllocation>(p);
}

OverrideIndex::OverrideIndex() {
  bits_ = 10;
  control_memory_ = allocate_large(std::size_t{1} << bits_, true);
  position_memory_ = allocate_large(sizeof(std::uint32_t) << bits_, false);
  control_ = static_cast<std::uint8_t*>(control_memory_.get());
  positions_ = static_cast<std::uint32_t*>(position_memory_.get());
}

bool OverrideIndex::insert(const Override& o) {
  encode(o, scratch_);
  const auto hash = static_cast<std::uint32_t>(hash_bytes(scratch_) >> 32);
  const std::uint8_t control = control_of(hash);
  const std::size_t mask = (std::size_t{1} << bits_) - 1;
  std::size_t i = home(hash);
  for (; control_[i] != 0; i = (i + 1) & mask) {
    if (control_[i] == control && stored(positions_[i]) == scratch_) return false;
  }
  if (records_.size() >= std::numeric_limits<std::uint32_t>::max()) throw std::bad_alloc();
  control_[i] = control;
  positions_[i] = static_cast<std::uint32_t>(records_.size());
  store(scratch_);
  hashes_.push_back(hash);
  if (records_.size() * 2 > mask + 1) grow();
  return true;
}

Override OverrideIndex::operator[](std::size_t position) const {
  const char* p = records_[position];
  get_varint(p);
  const auto header = static_cast<unsigned char>(*p++);
  Integer lb = get_field(header & 2, p);
  Integer ub = get_field(header & 4, p);
  Integer third = get_field(header & 8, p);
  Integer length = get_field(header & 16, p);
  if (header & 1) return Override_dec_int(std::move(lb), std::move(ub), std::move(third), std::move(length));
  return Override_enc_int(std::move(lb), std::move(ub), std::move(third), std::move(length));
}

bool OverrideIndex::is_enc_int(std::size_t position) const {
  const char* p = records_[position];
  get_varint(p);
  return (*p & 1) == 0;
}

std::string_view OverrideIndex::stored(std::size_t position) const {
  const char* p = records_[position];
  const std::uint64_t length = get_varint(p);
  return std::string_view(p, length);
}

void OverrideIndex::store(std::string_view bytes) {
  std::string length;
  put_varint(bytes.size(), length);
  const std::size_t needed = length.size() + bytes.size();
  if (chunk_used_ + needed > chunk_size_) {
    chunk_size_ = std::max(kChunkBytes, needed);
    chunks_.push_back(allocate_large(chunk_size_, false));
    chunk_used_ = 0;
  }
  char* p = static_cast<char*>(chunks_.back().get()) + chunk_used_;
  std::memcpy(p, length.data(), length.size());
  std::memcpy(p + length.size(), bytes.data(), bytes.size());
  records_.push_back(p);
  chunk_used_ += needed;
}

void OverrideIndex::grow() {
  ++bits_;
  control_memory_ = allocate_large(std::size_t{1} << bits_, true);
  position_memory_ = allocate_large(sizeof(std::uint32_t) << bits_, false);
  control_ = static_cast<std::uint8_t*>(control_memory_.get());
  positions_ = static_cast<std::uint32_t*>(position_memory_.get());
  const std::size_t mask = (std::size_t{1} << bits_) - 1;
  for (std::size_t position = 0; position < records_.size(); ++position) {
    const std::uint32_t hash = hashes_[position];
    std::size_t i = home(hash);
    while (control_[i] != 0) i = (i + 1) & mask;
    control_[i] = control_of(hash);
    positions_[i] = static_cast<std::uint32_t>(position);
  }
}

}  // namespace brackwen
