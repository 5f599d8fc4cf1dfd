#pragma once
// Reading the head of a photo on the phone for its EXIF thumbnail, and the queue of photos whose
// heads are wanted.
//
// The head is read with the phone's ordinary reading sequence: File_Create, File_Read of
// the first bytes (FirstHeadRead), a second File_Read of the rest of the EXIF segment only when
// the segment declares more (HeadLength: never over 64 KiB in all), File_Close. The job looks at
// its stop flag after every call, so that the user's work, which stops it, waits for at most the
// call in progress.
//
// HeadFetcher runs on the window thread. It keeps the photos that show only on the phone and
// hands their head reads, one at a time, to a starter of background phone work (the phone jobs
// layer's lowest priority). The rows on the screen go first.
#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "phone/phone_api.h"
#include "phone/phone_jobs.h"

namespace zv {

enum class HeadRead { kRead, kFailed, kStopped };

// Reads the head of the photo at `path` (a file of `size` bytes) into `head`, sized to the bytes
// read. kFailed for a failed call or an empty file; kStopped when *stop was set as a call
// returned: no further call is made (the file may stay open; the next File_Create closes it).
HeadRead ReadPhotoHead(PhoneApi& phone, const char* path, std::int64_t size,
                       std::vector<std::uint8_t>& head, const std::atomic<bool>* stop = nullptr);

// A photo whose head is wanted.
struct HeadWanted {
  std::string key;
  std::string path;  // the phone path, Windows-1251
  std::int64_t size = 0;
};

class HeadFetcher {
 public:
  // Starts background phone work; false when it could not be started now.
  using StartBackground = std::function<bool(PhoneJobs::Job, PhoneJobs::Done)>;
  // A head read, on the window thread: the bytes, or empty when the read failed.
  using Got = std::function<void(const std::string& key, std::vector<std::uint8_t> head)>;

  HeadFetcher(StartBackground start, Got got);
  // The job in flight, if any, reports to nobody once the fetcher is gone.
  ~HeadFetcher();

  // The photos whose heads are wanted, in the order to read them (a listing's rows); replaces
  // the earlier list. A read in flight finishes.
  void SetWanted(std::vector<HeadWanted> photos);
  // One more photo, first in line (unless it waits already: then it stays where it is).
  void Add(HeadWanted photo);
  // These keys (the rows on the screen) go to the front, in this order.
  void Prefer(const std::vector<std::string>& keys);
  // Forgets every waiting photo.
  void Clear();
  // Asked of the next photo just before its read starts: true passes it over (its thumbnail
  // has come from elsewhere meanwhile, say).
  void SetSkip(std::function<bool(const HeadWanted&)> skip) { skip_ = std::move(skip); }
  // Starts the next read when none is in flight (after a listing, after a user job ended, or
  // when the starter refused earlier).
  void Pump();

  bool InFlight() const { return inFlight_; }
  std::size_t Waiting() const { return waiting_.size(); }
  // Head reads completed, and the most bytes one of them read (benchmarks, tests).
  int Reads() const { return reads_; }
  std::size_t MostBytes() const { return mostBytes_; }

 private:
  struct Shared;
  void StartOne();
  void Finished(const HeadWanted& photo, HeadRead result, std::vector<std::uint8_t> head);

  StartBackground start_;
  Got got_;
  std::function<bool(const HeadWanted&)> skip_;
  std::deque<HeadWanted> waiting_;
  bool inFlight_ = false;
  bool pumping_ = false, pumpAgain_ = false;
  int reads_ = 0;
  std::size_t mostBytes_ = 0;
  std::shared_ptr<bool> alive_;
};

}  // namespace zv
