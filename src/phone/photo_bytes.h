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
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "phone/phone_api.h"

namespace zv {

// The largest photo the program reads. A phone camera of this kind takes photos of a few hundred
// kilobytes (the largest sensors of its time give 2 to 5 MB), so no real photo comes near it; a
// directory entry that claims more is damaged, and reading it would need a buffer of that size
// (up to 2 GiB) in a 32-bit program whose memory stays below 512 MiB.
inline constexpr std::int32_t kMaxPhotoSize = 64 * 1024 * 1024;
// How the limit reads in messages: the text MaxPhotoSize of ui/lang.

bool PhotoLooksWhole(const std::uint8_t* data, std::size_t size);

// How reading one photo from the phone went.
enum class PhoneRead { kWhole, kFailed, kStopped };
// File_Create, File_Read and File_Close of the photo at path, `size` bytes, into buffer (zeroed
// first, and one byte longer than the photo, so that even an empty photo has a buffer to read
// into). kFailed for a negative answer, a short read, bytes that cannot be the whole photo, or a
// size outside 0..kMaxPhotoSize. kStopped when *stop was set as a call returned: no further call
// is made (the file may stay open) and the bytes are not the photo's.
PhoneRead ReadWholePhoto(PhoneApi& phone, const char* path, std::int32_t size,
                         std::vector<std::uint8_t>& buffer, const std::atomic<bool>* stop = nullptr);

}  // namespace zv
