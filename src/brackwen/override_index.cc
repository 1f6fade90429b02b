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
// as the zigzag varint of its signed limb count and its limbs, least significant first.

// The four fields of `o` and its header byte.
unsigned fields_of(const Override& o, const Integer* (&fields)[4]) {
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
  return header;
}

std::uint64_t zigzag(std::int64_t v) {
  return (static_cast<std::uint64_t>(v) << 1) ^ static_cast<std::uint64_t>(v >> 63);
}

std::int64_t unzigzag(std::uint64_t v) {
  return static_cast<std::int64_t>(v >> 1) ^ -static_cast<std::int64_t>(v & 1);
}

unsigned char* put_varint(std::uint64_t v, unsigned char* p) {
  while (v >= 0x80) {
    *p++ = static_cast<unsigned char>(v | 0x80);
    v >>= 7;
  }
  *p++ = static_cast<unsigned char>(v);
  return p;
}

std::uint64_t get_varint(const unsigned char*& p) {
  std::uint64_t v = 0;
  for (unsigned shift = 0;; shift += 7) {
    const unsigned char byte = *p++;
    v |= std::uint64_t{byte & 0x7fu} << shift;
    if (byte < 0x80) return v;
  }
}

// The most bytes the stored form of a field can take.
std::size_t field_bound(const Integer& v) {
  return v.is_small() ? 10 : 10 + 8 * mpz_size(v.to_mpz().get_mpz_t());
}

unsigned char* put_field(const Integer& v, unsigned char* p) {
  if (v.is_small()) return put_varint(zigzag(v.small_value()), p);
  const mpz_class z = v.to_mpz();
  const std::size_t limbs = mpz_size(z.get_mpz_t());
  const auto count = static_cast<std::int64_t>(limbs);
  p = put_varint(zigzag(mpz_sgn(z.get_mpz_t()) < 0 ? -count : count), p);
  for (std::size_t i = 0; i < limbs; ++i) {
    const std::uint64_t limb = mpz_getlimbn(z.get_mpz_t(), i);
    std::memcpy(p, &limb, 8);
    p += 8;
  }
  return p;
}

Integer get_field(bool large, const unsigned char*& p) {
  const std::int64_t value = unzigzag(get_varint(p));
  if (!large) return Integer(value);
  const std::size_t limbs = static_cast<std::size_t>(value < 0 ? -value : value);
  mpz_class z;
  mpz_import(z.get_mpz_t(), limbs, -1, 8, 0, 0, p);
  p += 8 * limbs;
  if (value < 0) z = -z;
  return Integer(z);
}

// Whether the stored field at `p` equals `v`; moves `p` past it.
bool field_equals(bool large, const unsigned char*& p, const Integer& v) {
  if (!large) return unzigzag(get_varint(p)) == v.small_value();
  return get_field(true, p) == v;
}

std::uint64_t mix(std::uint64_t h, std::uint64_t v) {
  h = (h ^ v) * 0xbf58476d1ce4e5b9ULL;
  return h ^ (h >> 31);
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

std::uint32_t OverrideIndex::prepare(const Override& o) const {
  const Integer* fields[4];
  std::uint64_t h = 0x9e3779b97f4a7c15ULL ^ fields_of(o, fields);
  for (const Integer* field : fields) {
    h = mix(h, field->is_small() ? static_cast<std::uint64_t>(field->small_value()) : field->hash());
  }
  h = mix(h, h >> 29);
  const auto hash = static_cast<std::uint32_t>(h >> 32);
  __builtin_prefetch(&control_[home(hash)]);
  return hash;
}

bool OverrideIndex::insert(const Override& o, std::uint32_t hash) {
  const std::uint8_t control = control_of(hash);
  const std::size_t mask = (std::size_t{1} << bits_) - 1;
  const Integer* fields[4];
  const unsigned header = fields_of(o, fields);
  std::size_t i = home(hash);
  for (; control_[i] != 0; i = (i + 1) & mask) {
    if (control_[i] != control) continue;
    const unsigned char* p = records_[positions_[i]];
    if (*p++ != header) continue;
    bool equal = true;
    for (unsigned f = 0; f < 4 && equal; ++f) equal = field_equals(header & (2u << f), p, *fields[f]);
    if (equal) return false;
  }
  if (records_.size() >= std::numeric_limits<std::uint32_t>::max()) throw std::bad_alloc();
  control_[i] = control;
  positions_[i] = static_cast<std::uint32_t>(records_.size());
  store(o);
  hashes_.push_back(hash);
  if (records_.size() * 2 > mask + 1) grow();
  return true;
}

Override OverrideIndex::operator[](std::size_t position) const {
  const unsigned char* p = records_[position];
  const unsigned header = *p++;
  Integer lb = get_field(header & 2, p);
  Integer ub = get_field(header & 4, p);
  Integer third = get_field(header & 8, p);
  Integer length = get_field(header & 16, p);
  if (header & 1) return Override_dec_int(std::move(lb), std::move(ub), std::move(third), std::move(length));
  return Override_enc_int(std::move(lb), std::move(ub), std::move(third), std::move(length));
}

void OverrideIndex::store(const Override& o) {
  const Integer* fields[4];
  const unsigned header = fields_of(o, fields);
  std::size_t bound = 1;
  for (const Integer* field : fields) bound += field_bound(*field);
  if (chunk_used_ + bound > chunk_size_) {
    chunk_size_ = std::max(kChunkBytes, bound);
    chunks_.push_back(allocate_large(chunk_size_, false));
    chunk_used_ = 0;
  }
  unsigned char* const start = static_cast<unsigned char*>(chunks_.back().get()) + chunk_used_;
  unsigned char* p = start;
  *p++ = static_cast<unsigned char>(header);
  for (const Integer* field : fields) p = put_field(*field, p);
  records_.push_back(start);
  chunk_used_ += static_cast<std::size_t>(p - start);
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
