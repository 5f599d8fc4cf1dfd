// Head reads of photos on the phone (see head_reader.h).
#include "thumbnails/head_reader.h"

#include <algorithm>
#include <utility>

#include "thumbnails/exif_thumbnail.h"

namespace zv {
namespace {

bool StopSet(const std::atomic<bool>* stop) { return stop != nullptr && stop->load(); }

}  // namespace

HeadRead ReadPhotoHead(PhoneApi& phone, const char* path, std::int64_t size,
                       std::vector<std::uint8_t>& head, const std::atomic<bool>* stop) {
  head.clear();
  const std::size_t first = FirstHeadRead(size);
  if (first == 0) return HeadRead::kFailed;
  if (phone.File_Create(path, 0) < 0) return HeadRead::kFailed;
  if (StopSet(stop)) return HeadRead::kStopped;
  // Zeroed, so that bytes a short read did not deliver read as no EXIF at all.
  head.assign(first, 0);
  int answer = phone.File_Read(head.data(), int(first));
  // A stop that came during the read does not throw its bytes away: reading them again would
  // cost the link as much once more. Only a call still to make is left out (the jobs layer closes
  // the file a stopped job leaves open).
  if (ReadTransfer(answer, int(first)) == Transfer::kFailed) {
    if (!StopSet(stop)) phone.File_Close();
    head.clear();
    return HeadRead::kFailed;
  }
  const std::size_t whole = HeadLength(head.data(), first, size);
  if (StopSet(stop)) {
    if (whole > first) return HeadRead::kStopped;  // the thumbnail may lie in the rest
    return HeadRead::kRead;
  }
  if (whole > first) {
    head.resize(whole, 0);
    answer = phone.File_Read(head.data() + first, int(whole - first));
    if (StopSet(stop)) return HeadRead::kStopped;
    if (ReadTransfer(answer, int(whole - first)) == Transfer::kFailed) head.resize(first);
  }
  phone.File_Close();
  return HeadRead::kRead;
}

struct HeadFetcher::Shared {
  HeadRead result = HeadRead::kFailed;
  std::vector<std::uint8_t> head;
};

HeadFetcher::HeadFetcher(StartBackground start, Got got)
    : start_(std::move(start)), got_(std::move(got)), alive_(std::make_shared<bool>(true)) {}

HeadFetcher::~HeadFetcher() { *alive_ = false; }

void HeadFetcher::SetWanted(std::vector<HeadWanted> photos) {
  waiting_.assign(std::make_move_iterator(photos.begin()), std::make_move_iterator(photos.end()));
}

void HeadFetcher::Prefer(const std::vector<std::string>& keys) {
  for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
    const auto at = std::find_if(waiting_.begin(), waiting_.end(),
                                 [&](const HeadWanted& w) { return w.key == *key; });
    if (at == waiting_.end() || at == waiting_.begin()) continue;
    HeadWanted photo = std::move(*at);
    waiting_.erase(at);
    waiting_.push_front(std::move(photo));
  }
}

void HeadFetcher::Add(HeadWanted photo) {
  const auto at = std::find_if(waiting_.begin(), waiting_.end(),
                               [&](const HeadWanted& w) { return w.key == photo.key; });
  if (at == waiting_.end()) waiting_.push_front(std::move(photo));
}

void HeadFetcher::Clear() { waiting_.clear(); }

void HeadFetcher::Pump() {
  // A starter that runs the job at once calls Finished, and so Pump, from inside StartOne: the
  // inner call only asks this loop to go round again, so the stack does not grow per photo.
  if (pumping_) {
    pumpAgain_ = true;
    return;
  }
  pumping_ = true;
  do {
    pumpAgain_ = false;
    StartOne();
  } while (pumpAgain_);
  pumping_ = false;
}

void HeadFetcher::StartOne() {
  if (inFlight_ || !start_) return;
  while (!waiting_.empty() && skip_ && skip_(waiting_.front())) waiting_.pop_front();
  if (waiting_.empty()) return;
  HeadWanted photo = std::move(waiting_.front());
  waiting_.pop_front();
  auto shared = std::make_shared<Shared>();
  auto job = [photo, shared](JobContext& context) {
    shared->result =
        ReadPhotoHead(context.phone, photo.path.c_str(), photo.size, shared->head, &context.stop);
  };
  std::weak_ptr<bool> alive = alive_;
  auto done = [this, alive, photo, shared](std::exception_ptr) {
    const auto lives = alive.lock();
    if (!lives || !*lives) return;
    Finished(photo, shared->result, std::move(shared->head));
  };
  inFlight_ = true;
  if (!start_(std::move(job), std::move(done))) {
    // Not now (the phone is busy): the photo stays first in line for the next Pump.
    inFlight_ = false;
    waiting_.push_front(std::move(photo));
  }
}

void HeadFetcher::Finished(const HeadWanted& photo, HeadRead result,
                           std::vector<std::uint8_t> head) {
  inFlight_ = false;
  if (result == HeadRead::kStopped) {
    // Other work came first: this photo is read again, queued behind it, once the phone is free.
    waiting_.push_front(photo);
    Pump();
    return;
  }
  if (result == HeadRead::kRead) {
    ++reads_;
    mostBytes_ = std::max(mostBytes_, head.size());
  } else {
    head.clear();
  }
  if (got_) got_(photo.key, std::move(head));
  Pump();
}

}  // namespace zv
