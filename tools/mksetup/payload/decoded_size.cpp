// Decoded bytes are counted and dropped. A string that lies behind the
// decoder's window would have to be read back from them, which a sink that
// keeps nothing cannot do; that is rare (long runs that fill the dictionary
// with long strings), and then the entry is decoded once more into a
// temporary file, which can give them back.
#include "mksetup/payload/decoded_size.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace mksetup {
namespace {

class CountingSink final : public package::LzwSink {
 public:
  // Bytes go on to `keep` when it is given; otherwise they are dropped.
  explicit CountingSink(package::LzwSink* keep = nullptr) : m_keep(keep) {}

  bool Write(const std::uint8_t* data, std::size_t size) override {
    m_count += size;
    return m_keep == nullptr || m_keep->Write(data, size);
  }

  bool ReadBack(std::uint64_t offset, std::uint8_t* data, std::size_t size) override {
    if (m_keep == nullptr) {
      m_readBackAsked = true;
      return false;
    }
    return m_keep->ReadBack(offset, data, size);
  }

  std::uint64_t Count() const { return m_count; }
  bool ReadBackAsked() const { return m_readBackAsked; }

 private:
  package::LzwSink* m_keep;
  std::uint64_t m_count = 0;
  bool m_readBackAsked = false;
};

}  // namespace

package::LzwStatus DecodedSize(package::LzwStreamDecoder& decoder,
                               std::span<const std::uint8_t> stream, std::uint64_t& size,
                               std::string& error) {
  size = 0;
  CountingSink counted;
  package::LzwStatus status = decoder.Decode(stream.data(), stream.size(), counted);
  if (status == package::LzwStatus::Ok) size = counted.Count();
  if (status != package::LzwStatus::WriteFailed || !counted.ReadBackAsked()) return status;

  std::FILE* file = std::tmpfile();
  if (file == nullptr) {
    error = std::string("cannot create a temporary file: ") + std::strerror(errno);
    return package::LzwStatus::WriteFailed;
  }
  package::LzwFileSink spill(file);
  CountingSink kept(&spill);
  status = decoder.Decode(stream.data(), stream.size(), kept);
  if (status == package::LzwStatus::Ok) size = kept.Count();
  if (status == package::LzwStatus::WriteFailed) {
    error = std::string("cannot write a temporary file: ") + std::strerror(errno);
  }
  std::fclose(file);
  return status;
}

}  // namespace mksetup
