#pragma once
// Decompression of a whole gzip stream: every member in turn, each checked
// against its trailer, then whatever follows the last one classified as GNU
// gzip classifies it. Like GNU gzip it also reads packed members (pack) and
// LZW data (compress), which runs to the end of the input.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "byte_stream.h"
#include "decoding.h"
#include "input_buffer.h"
#include "zlib_stream.h"

namespace gz {

struct MemberHeader {
  std::optional<std::string> name;  // FNAME as stored, folders and all
  std::uint32_t mtime = 0;
  std::optional<std::size_t> extra_length;  // FEXTRA's size when present
};

enum class Ending {
  EndOfInput,       // the last member ends the input (or a copy did)
  TrailingZeros,    // only zero bytes follow the last member
  TrailingGarbage,  // anything else follows it
};

enum class Method { Deflate, Lzw, Pack };

struct DecompressTotals {
  Ending ending = Ending::EndOfInput;
  std::uint64_t bytes_in = 0;
  std::uint64_t bytes_out = 0;
  // What GNU gzip's ratio counts as output: only the last member's data
  // (and whatever was copied after it).
  std::uint64_t ratio_bytes_out = 0;
  // First header and trailer when the input is exactly one member, else 0:
  // GNU gzip's ratio counts them only then.
  std::uint64_t header_bytes = 0;
  std::uint32_t mtime = 0;  // the last nonzero MTIME of any member
  // The last member's method and CRC-32, which gzip -lv shows (LZW and
  // packed data carry no CRC).
  Method method = Method::Deflate;
  std::optional<std::uint32_t> crc;
};

class MemberReader {
 public:
  // `copy_other_data`: data that is not gzip is passed on unchanged rather
  // than refused (gzip -dcf, the "zcat -f" behaviour).
  MemberReader(ByteSource& input, bool copy_other_data);

  // Reads the first member's header, so that its name and time are known
  // before any output exists. Throws StreamFault.
  const MemberHeader& ReadFirstHeader();
  // Decompresses the rest of the input into `output`. Throws StreamFault,
  // ReadError, WriteError.
  DecompressTotals Decompress(ByteSink& output);
  // The size of the last header read (gzip -l's ratio leaves it out).
  std::uint64_t HeaderSize() const { return header_size_; }
  // True once decompression has gone past the first member.
  bool PastFirstMember() const { return past_first_member_; }

  // Told about each warning as it is met, before any later fault.
  void SetWarningHandler(std::function<void(const StreamWarning&)> handler) { warn_ = std::move(handler); }

 private:
  enum class Next { Member, Lzw, Pack, Other, Zeros };
  // Where the deflate block being decoded starts: its first bits, enough
  // to read its code-length code.
  struct BlockStart {
    std::array<std::uint8_t, 11> bytes{};
    std::size_t count = 0;
    unsigned skip = 0;  // bits of bytes[0] that belong to the block before
    bool known = true;
  };
  void DecodeMember(Next kind, ByteSink& output);
  void NoteBlockStart(const z_stream& z, std::uint8_t last_byte);
  bool EmptyCodeLengthCode() const;
  Next ReadMagic(bool first);
  void ReadHeaderFields();
  void InflateMember(ByteSink& output);
  // Reads the member's trailer and throws when it disagrees with the data.
  void CheckTrailer(std::uint32_t crc, std::uint64_t length);
  std::uint8_t HeaderByte();
  void CopyRest(ByteSink& output);

  InputBuffer input_;
  bool copy_other_data_;
  InflateStream inflater_;
  std::vector<std::uint8_t> window_;
  MemberHeader first_;
  std::optional<Next> first_kind_;
  // Bytes read while looking for a magic number that a copy must still emit.
  std::vector<std::uint8_t> pending_;
  std::uint64_t header_size_ = 0;
  std::uint32_t header_crc_ = 0;
  MemberHeader current_;
  std::uint64_t bytes_out_ = 0;
  std::uint64_t ratio_bytes_out_ = 0;
  BlockStart block_;
  std::function<void(const StreamWarning&)> warn_;
  Method last_method_ = Method::Deflate;
  bool past_first_member_ = false;
  std::optional<std::uint32_t> last_crc_;
};

}  // namespace gz
