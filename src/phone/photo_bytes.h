#pragma once
// Whether the bytes a read put into a zeroed buffer can be a whole photo.
//
// The published phone library answers File_Read with 0 however much of the file arrived, so a
// short read shows only in the buffer: its end keeps the zeros it was filled with. A JPEG tells
// where it ends, though: it begins with the marker FF D8 and ends with FF D9. The check follows
// the JPEG's own structure (segment lengths, then the coded data up to the next marker), so that
// the end marker of a thumbnail inside the header is not taken for the photo's end, and accepts
// whatever follows the end marker (some phones pad their files). A file that does not begin with
// FF D8 is no JPEG and is taken as it is: there is nothing to check it against, unless it is
// zeros from end to end, which is what a read that delivered nothing leaves.
#include <cstddef>
#include <cstdint>

namespace zv {

// The largest photo the program reads. A phone camera of this kind takes photos of a few hundred
// kilobytes (the largest sensors of its time give 2 to 5 MB), so no real photo comes near it; a
// directory entry that claims more is damaged, and reading it would need a buffer of that size
// (up to 2 GiB) in a 32-bit program whose memory stays below 512 MiB.
inline constexpr std::int32_t kMaxPhotoSize = 64 * 1024 * 1024;
// How the limit reads in messages: the text MaxPhotoSize of ui/lang.

bool PhotoLooksWhole(const std::uint8_t* data, std::size_t size);

}  // namespace zv
