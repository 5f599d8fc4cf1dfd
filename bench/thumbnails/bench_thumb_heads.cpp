// Budget thumb_head_bytes: the most bytes read from the phone for one photo's EXIF thumbnail,
// over photos whose EXIF segment is short, long (a maker note before the thumbnail) and as long
// as a JPEG segment can be, photos without EXIF and photos smaller than a head: at most 65,536.
// The heads are read as the view reads them (HeadFetcher, ReadPhotoHead) from an in-memory phone
// that counts the bytes each File_Read asks for; every thumbnail must also be found.
#include <atomic>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "exif_segment.h"
#include "phone/phone_api.h"
#include "thumbnails/exif_thumbnail.h"
#include "thumbnails/head_reader.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Serves files from memory; counts the bytes asked of each file between open and close.
class CountingPhone : public zv::PhoneApi {
 public:
  std::map<std::string, Bytes> files;
  std::size_t most = 0;

  int P2K_Init(zv::P2KStatusCallback) override { return 0; }
  int P2K_GetStatus() override { return 1; }
  int File_Count() override { return 0; }
  int File_List(void*, int) override { return 0; }
  int File_Create(const char* path, int) override {
    open_ = &files.at(path);
    at_ = 0;
    asked_ = 0;
    return 0;
  }
  int File_Read(void* buffer, int size) override {
    asked_ += std::size_t(size);
    most = std::max(most, asked_);
    const std::size_t n = std::min(open_->size() - at_, std::size_t(size));
    std::memcpy(buffer, open_->data() + at_, n);
    at_ += n;
    return 0;
  }
  int File_Write(const void*, int) override { return -1; }
  int File_Close() override { return 0; }
  int File_Delete(const char*) override { return -1; }

 private:
  const Bytes* open_ = nullptr;
  std::size_t at_ = 0, asked_ = 0;
};

// A JPEG-shaped photo body of `size` bytes after the EXIF segment.
Bytes Body(std::size_t size) {
  Bytes b(size, 0x55);
  b[0] = 0xFF, b[1] = 0xD8, b[size - 2] = 0xFF, b[size - 1] = 0xD9;
  return b;
}

}  // namespace

int main() {
  // A thumbnail as cameras store them: a JPEG of some kilobytes.
  Bytes thumbnail = Body(6000);
  CountingPhone phone;
  std::vector<zv::HeadWanted> wanted;
  int withThumbnail = 0;
  const std::size_t paddings[] = {0, 12000, 30000, 50000, 65535 - 8 - 6000 - 200};
  int n = 0;
  for (std::size_t padding : paddings) {
    for (bool big : {false, true}) {
      zv::demo::ExifOptions o;
      o.padding = padding;
      o.bigEndian = big;
      Bytes segment;
      try {
        segment = zv::demo::ExifSegment(thumbnail, o);
      } catch (const std::exception&) {
        continue;  // past the longest segment
      }
      const std::string path = "/a/mobile/picture/01-01-10_" + std::to_string(n++) + ".jpg";
      phone.files[path] = zv::demo::WithSegment(Body(900000), segment);
      wanted.push_back({path, path, std::int64_t(phone.files[path].size())});
      ++withThumbnail;
    }
  }
  for (std::size_t size : {std::size_t(900000), std::size_t(9000)}) {
    const std::string path = "/a/mobile/picture/01-01-10_" + std::to_string(n++) + ".jpg";
    phone.files[path] = Body(size);
    wanted.push_back({path, path, std::int64_t(size)});
  }

  std::atomic<bool> stop{false};
  int found = 0;
  zv::HeadFetcher fetcher(
      [&](zv::PhoneJobs::Job job, zv::PhoneJobs::Done done) {
        zv::JobContext context{phone, stop, [](zv::WindowQueue::Task t) { t(); }};
        job(context);
        done(nullptr);
        return true;
      },
      [&](const std::string&, Bytes head) {
        if (zv::FindExifThumbnail(head.data(), head.size())) ++found;
      });
  fetcher.SetWanted(wanted);
  fetcher.Pump();
  std::printf("%d heads read, %d of %d thumbnails found, most bytes read for one: %zu\n",
              fetcher.Reads(), found, withThumbnail, phone.most);
  const bool ok = phone.most <= 65536 && found == withThumbnail;
  std::printf("budget thumb_head_bytes: %zu bytes (limit 65536 bytes) %s\n", phone.most,
              ok ? "ok" : "OVER");
  return ok ? 0 : 1;
}
