#pragma once
// The small picture that a camera stores in the head of its JPEG (the EXIF thumbnail), and how
// much of a photo's head to read from the phone to find it.
//
// The head comes over the phone link from a file the program did not write: every offset and
// length is checked against the bytes at hand before use, in both TIFF byte orders, without
// recursion. Only IFD0 and the IFD it links to (IFD1, which holds the thumbnail) are looked at;
// an IFD1 that points back at IFD0 is a loop and gives nothing.
#include <cstddef>
#include <cstdint>
#include <optional>

namespace zv {

// The head read first: enough for the EXIF segment of most cameras.
inline constexpr std::size_t kHeadBytes = 16 * 1024;
// The most ever read of one head, whatever the EXIF segment declares (a JPEG segment cannot be
// longer than 64 KiB either).
inline constexpr std::size_t kMaxHeadBytes = 64 * 1024;
// A thumbnail above this is not a thumbnail: it is ignored.
inline constexpr std::size_t kMaxExifThumbnailBytes = 64 * 1024;

// Bytes of the first read of a photo's head: kHeadBytes, or the whole file when smaller.
std::size_t FirstHeadRead(std::int64_t fileSize);

// The whole head to read, given the first `got` bytes of a file of `fileSize` bytes: kHeadBytes,
// or the end of the EXIF segment (APP1 "Exif") when it declares more, never over kMaxHeadBytes
// nor the file's size. Never less than what was read already.
std::size_t HeadLength(const std::uint8_t* head, std::size_t got, std::int64_t fileSize);

// Where the thumbnail lies inside `data`.
struct ByteRange {
  std::size_t offset = 0;
  std::size_t length = 0;
};

// The EXIF thumbnail (a JPEG: it begins FF D8) in the head of a JPEG file; none when the head
// has no EXIF segment, when a structure runs past the bytes at hand, when the thumbnail is
// empty, larger than kMaxExifThumbnailBytes or no JPEG.
std::optional<ByteRange> FindExifThumbnail(const std::uint8_t* data, std::size_t size);

}  // namespace zv
