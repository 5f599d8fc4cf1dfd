// Head reads from the phone: the calls and their byte counts, the stop after the call in
// progress, and the fetcher's order (rows on the screen first, a stopped read read again).
#include "thumbnails/head_reader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "thumbnails/exif_thumbnail.h"
#include "thumbnails/thumbnail_test_data.h"

namespace zv {
namespace {

using testing::Bytes;

// One file served sequentially, every call logged. `stopAtCall` sets the stop flag while that
// call (counted from 1) is in progress, as the window does when the user starts work.
class FakePhone : public PhoneApi {
 public:
  Bytes file;
  std::vector<std::string> calls;
  int stopAtCall = 0;
  std::atomic<bool> stop{false};
  bool failCreate = false;

  int P2K_Init(P2KStatusCallback) override { return Log("P2K_Init", 0); }
  int P2K_GetStatus() override { return Log("P2K_GetStatus", 1); }
  int File_Count() override { return Log("File_Count", 0); }
  int File_List(void*, int) override { return Log("File_List", 0); }
  int File_Create(const char*, int) override {
    at_ = 0;
    return Log("File_Create", failCreate ? -1 : 0);
  }
  int File_Read(void* buffer, int size) override {
    const std::size_t n = std::min(file.size() - at_, std::size_t(size));
    std::memcpy(buffer, file.data() + at_, n);
    at_ += n;
    return Log("File_Read " + std::to_string(size), 0);
  }
  int File_Write(const void*, int) override { return Log("File_Write", -1); }
  int File_Close() override { return Log("File_Close", 0); }
  int File_Delete(const char*) override { return Log("File_Delete", -1); }

 private:
  int Log(std::string call, int result) {
    calls.push_back(std::move(call));
    if (int(calls.size()) == stopAtCall) stop = true;
    return result;
  }
  std::size_t at_ = 0;
};

Bytes PhotoWithExifOf(std::size_t padding) {
  demo::ExifOptions o;
  o.padding = padding;
  Bytes photo = testing::PhotoWithExif(testing::QuarterThumbnail(), o, 640, 480);
  photo.resize(std::max<std::size_t>(photo.size(), 200000), 0);  // a photo of 200 KB
  return photo;
}

TEST(HeadReader, ReadsTheHeadInAtMostTwoReadsOfAtMost64KiB) {
  const Bytes shortExif = PhotoWithExifOf(0), longExif = PhotoWithExifOf(30000);
  const std::size_t longEnd = 2 + demo::ExifSegment(testing::QuarterThumbnail(),
                                                    [] {
                                                      demo::ExifOptions o;
                                                      o.padding = 30000;
                                                      return o;
                                                    }())
                                      .size();
  Bytes tiny = testing::MakeJpeg(testing::Quarters(16, 16));
  struct Case {
    const char* name;
    Bytes file;
    std::vector<std::string> calls;
    std::size_t bytes;
    bool thumbnail;
  };
  const Case cases[] = {
      {"EXIF within 16 KiB",
       shortExif,
       {"File_Create", "File_Read 16384", "File_Close"},
       16384,
       true},
      {"longer EXIF segment",
       longExif,
       {"File_Create", "File_Read 16384", "File_Read " + std::to_string(longEnd - 16384),
        "File_Close"},
       longEnd,
       true},
      {"photo smaller than 16 KiB",
       tiny,
       {"File_Create", "File_Read " + std::to_string(tiny.size()), "File_Close"},
       tiny.size(),
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakePhone phone;
    phone.file = c.file;
    Bytes head;
    EXPECT_EQ(ReadPhotoHead(phone, "/a/mobile/picture/05-12-07_0001.jpg",
                            std::int64_t(c.file.size()), head),
              HeadRead::kRead);
    EXPECT_EQ(phone.calls, c.calls);
    EXPECT_EQ(head.size(), c.bytes);
    EXPECT_LE(head.size(), kMaxHeadBytes);
    EXPECT_TRUE(std::equal(head.begin(), head.end(), c.file.begin()));
    EXPECT_EQ(FindExifThumbnail(head.data(), head.size()).has_value(), c.thumbnail);
  }
}

TEST(HeadReader, StopsAfterTheCallInProgress) {
  const Bytes photo = PhotoWithExifOf(30000);  // four calls when not stopped
  for (int stopAt = 1; stopAt <= 3; ++stopAt) {
    SCOPED_TRACE(stopAt);
    FakePhone phone;
    phone.file = photo;
    phone.stopAtCall = stopAt;
    Bytes head;
    EXPECT_EQ(
        ReadPhotoHead(phone, "/a/mobile/picture/x", std::int64_t(photo.size()), head, &phone.stop),
        HeadRead::kStopped);
    EXPECT_EQ(int(phone.calls.size()), stopAt);  // no call after the one in progress
  }
  // A stop during a read that brought the whole head keeps its bytes: no read again, no call
  // after it (the close is left to the jobs layer).
  {
    const Bytes small = PhotoWithExifOf(0);
    FakePhone phone;
    phone.file = small;
    phone.stopAtCall = 2;
    Bytes head;
    EXPECT_EQ(
        ReadPhotoHead(phone, "/a/mobile/picture/x", std::int64_t(small.size()), head, &phone.stop),
        HeadRead::kRead);
    EXPECT_EQ(phone.calls, (std::vector<std::string>{"File_Create", "File_Read 16384"}));
    EXPECT_TRUE(FindExifThumbnail(head.data(), head.size()).has_value());
  }
  FakePhone failing;
  failing.file = photo;
  failing.failCreate = true;
  Bytes head;
  EXPECT_EQ(ReadPhotoHead(failing, "/a/mobile/picture/x", std::int64_t(photo.size()), head),
            HeadRead::kFailed);
  EXPECT_EQ(failing.calls, (std::vector<std::string>{"File_Create"}));
  EXPECT_EQ(ReadPhotoHead(failing, "/a/mobile/picture/x", 0, head), HeadRead::kFailed);
}

// A starter that keeps the jobs for the test to run, as a phone thread would later.
struct ManualStarter {
  std::vector<std::pair<PhoneJobs::Job, PhoneJobs::Done>> started;
  bool refuse = false;
  HeadFetcher::StartBackground Start() {
    return [this](PhoneJobs::Job job, PhoneJobs::Done done) {
      if (refuse) return false;
      started.emplace_back(std::move(job), std::move(done));
      return true;
    };
  }
  // Runs the oldest started job against `phone` and finishes it.
  void RunNext(FakePhone& phone) {
    auto [job, done] = std::move(started.front());
    started.erase(started.begin());
    JobContext context{phone, phone.stop, [](WindowQueue::Task t) { t(); }};
    job(context);
    done(nullptr);
  }
};

TEST(HeadFetcher, OneReadAtATimeScreenRowsFirstStoppedReadAgain) {
  ManualStarter starter;
  std::vector<std::string> got;
  std::vector<std::size_t> sizes;
  HeadFetcher fetcher(starter.Start(), [&](const std::string& key, Bytes head) {
    got.push_back(key);
    sizes.push_back(head.size());
  });
  const Bytes photo = PhotoWithExifOf(0);
  std::vector<HeadWanted> wanted;
  for (const char* key : {"a", "b", "c", "d"})
    wanted.push_back({key, std::string("/a/mobile/picture/") + key, std::int64_t(photo.size())});
  fetcher.SetWanted(wanted);
  fetcher.Prefer({"c", "d"});
  starter.refuse = true;  // the phone is busy: nothing starts, nothing is lost
  fetcher.Pump();
  EXPECT_FALSE(fetcher.InFlight());
  EXPECT_EQ(fetcher.Waiting(), 4u);
  starter.refuse = false;
  fetcher.Pump();
  fetcher.Pump();  // one at a time
  ASSERT_EQ(starter.started.size(), 1u);

  FakePhone phone;
  phone.file = photo;
  starter.RunNext(phone);  // c
  ASSERT_EQ(starter.started.size(), 1u);
  // d is stopped as its file opens (the user pressed Download): it is queued again at once,
  // first, and runs when the phone is free.
  phone.calls.clear();
  phone.stopAtCall = 1;
  starter.RunNext(phone);
  EXPECT_EQ(phone.calls.size(), 1u);
  ASSERT_EQ(starter.started.size(), 1u);
  EXPECT_EQ(fetcher.Waiting(), 2u);
  EXPECT_TRUE(got.size() == 1u);
  phone.stop = false;
  phone.stopAtCall = 0;
  while (!starter.started.empty()) starter.RunNext(phone);
  EXPECT_EQ(got, (std::vector<std::string>{"c", "d", "a", "b"}));
  EXPECT_EQ(sizes, (std::vector<std::size_t>(4, kHeadBytes)));
  EXPECT_EQ(fetcher.Reads(), 4);
  EXPECT_EQ(fetcher.MostBytes(), kHeadBytes);
}

TEST(HeadFetcher, AStarterThatRunsAtOnceReadsEveryPhotoWithoutDeepening) {
  FakePhone phone;
  phone.file = PhotoWithExifOf(0);
  int reads = 0;
  HeadFetcher fetcher(
      [&](PhoneJobs::Job job, PhoneJobs::Done done) {
        JobContext context{phone, phone.stop, [](WindowQueue::Task t) { t(); }};
        job(context);
        done(nullptr);
        return true;
      },
      [&](const std::string&, Bytes) { ++reads; });
  std::vector<HeadWanted> wanted(
      5000, HeadWanted{"k", "/a/mobile/picture/k", std::int64_t(phone.file.size())});
  fetcher.SetWanted(wanted);
  fetcher.Pump();
  EXPECT_EQ(reads, 5000);
  EXPECT_EQ(fetcher.Waiting(), 0u);
}

}  // namespace
}  // namespace zv
