#pragma once
// PhoneFileEntry: one 512-byte record of the phone's directory as File_List delivers it.
//   offset 0, 4 bytes:   file size, little-endian, signed 32-bit
//   offset 4, 4 bytes:   never read by the program
//   offset 8, 504 bytes: full path, Windows-1251, "/" separated, ended by the first zero byte
//                        (no zero byte when the path fills all 504 bytes)
// Header-only so that the simulated phone library can write records without linking the program.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace zv {

inline constexpr size_t kPhoneFileEntrySize = 512;
inline constexpr size_t kPhoneFilePathOffset = 8;
inline constexpr size_t kPhoneFilePathSize = kPhoneFileEntrySize - kPhoneFilePathOffset;

struct PhoneFileEntry {
  unsigned char bytes[kPhoneFileEntrySize];

  // The file size as the phone reports it (may be negative when the phone says so).
  int32_t Size() const {
    const uint32_t u = uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 |
                       uint32_t{bytes[3]} << 24;
    return static_cast<int32_t>(u);
  }

  // The path bytes (Windows-1251) up to the first zero byte, or all 504 when there is none; a
  // view into the record, so that reading a directory copies no path it does not keep.
  std::string_view PathView() const {
    const char* text = reinterpret_cast<const char*>(bytes + kPhoneFilePathOffset);
    const void* zero = std::memchr(text, 0, kPhoneFilePathSize);
    const size_t length =
        zero ? static_cast<size_t>(static_cast<const char*>(zero) - text) : kPhoneFilePathSize;
    return std::string_view(text, length);
  }
  std::string Path() const { return std::string(PathView()); }

  // Builds a record; a path longer than 504 bytes is cut, a shorter one is zero-padded.
  static PhoneFileEntry Make(int32_t size, std::string_view path, uint32_t unread = 0) {
    PhoneFileEntry e{};
    const uint32_t u = static_cast<uint32_t>(size);
    for (int i = 0; i < 4; ++i) {
      e.bytes[i] = static_cast<unsigned char>(u >> (8 * i));
      e.bytes[4 + i] = static_cast<unsigned char>(unread >> (8 * i));
    }
    std::memcpy(e.bytes + kPhoneFilePathOffset, path.data(),
                std::min(path.size(), kPhoneFilePathSize));
    return e;
  }
};
static_assert(sizeof(PhoneFileEntry) == kPhoneFileEntrySize, "records are packed back to back");

}  // namespace zv
