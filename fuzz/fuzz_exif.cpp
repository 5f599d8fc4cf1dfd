// The EXIF reader on any bytes taken as a photo's head: the thumbnail it names lies inside the
// bytes, begins like a JPEG and is at most 64 KiB; the head's byte count is never less than what
// was read, never over 64 KiB beyond it, and never past the file; a thumbnail it names decodes
// through the bounded decoder into the thumbnail box, or throws the decoder's errors.
#include <algorithm>
#include <string>

#include "fuzz_support.h"
#include "preview/jpeg_image.h"
#include "thumbnails/exif_thumbnail.h"
#include "thumbnails/thumbnail_decode.h"

using namespace zv;
using namespace zv::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  // The head's byte count, for a file of the head's size and for one much longer.
  for (std::int64_t fileSize : {std::int64_t(size), std::int64_t(size) + (1 << 20)}) {
    const std::size_t got = std::min(size, FirstHeadRead(fileSize));
    const std::size_t whole = HeadLength(data, got, fileSize);
    ZV_FUZZ_CHECK(whole >= got, "a head shorter than what was read");
    ZV_FUZZ_CHECK(whole <= std::max(got, kMaxHeadBytes), "a head over 64 KiB");
    ZV_FUZZ_CHECK(std::int64_t(whole) <= std::max<std::int64_t>(std::int64_t(got), fileSize),
                  "a head past the file's end");
  }

  const auto found = FindExifThumbnail(data, size);
  if (!found) return 0;
  ZV_FUZZ_CHECK(found->length > 0 && found->length <= kMaxExifThumbnailBytes, "thumbnail length");
  ZV_FUZZ_CHECK(found->offset < size && found->length <= size - found->offset,
                "a thumbnail beyond the bytes");
  ZV_FUZZ_CHECK(data[found->offset] == 0xFF && data[found->offset + 1] == 0xD8,
                "a thumbnail that does not begin like a JPEG");
  const ThumbnailBox box{64, 48};
  try {
    const Bitmap b = DecodeThumbnail(data + found->offset, found->length, box);
    ZV_FUZZ_CHECK(b.Width > 0 && b.Height > 0 && b.Width <= box.width && b.Height <= box.height,
                  "a thumbnail outside its box");
    ZV_FUZZ_CHECK(b.Pixels.size() == std::size_t(b.Width) * std::size_t(b.Height), "pixel count");
  } catch (const EJPEG&) {
  } catch (const EJPEGLimit&) {
  } catch (const Exception&) {
  }
  return 0;
}
