// Budget of stopping a run:
//   stop_calls_after  the phone calls that began after the user pressed Stop (the button, or
//                     Esc), the call in progress at that moment not counted (it is allowed to
//                     finish), nor the one File_Close of the file the stopped read left open
//                     (the phone holds one file at a time: it opens nothing); the worst of
//                     several stop moments; at most 0.
// The main window as the program builds it, with its phone work on a real phone thread, runs over
// five photos whose delete boxes are ticked (so each photo takes four calls: open, read, close,
// delete) against the simulated phone slowed to 200 ms a read. Stop is pressed while a read is in
// progress, early, midway and late in a read, at the first, a middle and the last photo. Every
// call the phone thread makes passes a counter here, which tells the call in progress at the
// stop from those begun after it; the calls are counted until the run has ended and the window
// is whole again. The calls begun after each stop, by name, are printed for the record.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "archive/download_run.h"
#include "form_fixture.h"
#include "gridview/photo_columns.h"
#include "phone/phone_jobs.h"
#include "testing/sim_phone.h"

namespace zv {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr int kPhotos = 5;
constexpr int kReadMs = 200;

std::string PhotoPath(int i) {
  char name[64];
  std::snprintf(name, sizeof name, "/a/mobile/picture/%02d-02-08_%d.jpg", i + 1, i + 1);
  return name;
}

// A JPEG-shaped photo: start marker, one comment segment, end marker.
std::string Photo(size_t size, int seed) {
  std::string bytes(size, static_cast<char>('a' + seed));
  bytes[0] = '\xFF', bytes[1] = '\xD8', bytes[2] = '\xFF', bytes[3] = '\xFE';
  const size_t segment = size - 6;
  bytes[4] = static_cast<char>(segment >> 8), bytes[5] = static_cast<char>(segment & 0xFF);
  bytes[size - 2] = '\xFF', bytes[size - 1] = '\xD9';
  return bytes;
}

// The phone as the phone thread sees it: each call is numbered as it begins, and the call in
// progress (its number, name and start) can be read from the window thread at any moment.
class CountedPhone : public PhoneApi {
 public:
  explicit CountedPhone(PhoneApi& phone) : phone_(phone) {}

  struct InProgress {
    int number = 0;  // 0: no call in progress
    std::string name;
    Clock::time_point since;
  };
  // Calls begun so far.
  int Begun() const { return begun_; }
  InProgress Current() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return current_;
  }
  // The names of the calls numbered above `number`.
  std::vector<std::string> NamesAfter(int number) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return std::vector<std::string>(names_.begin() + std::min<size_t>(number, names_.size()),
                                    names_.end());
  }
  // Calls of one name begun so far.
  int Count(const std::string& name) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<int>(std::count(names_.begin(), names_.end(), name));
  }

  int P2K_Init(P2KStatusCallback cb) override {
    return Call("P2K_Init", [&] { return phone_.P2K_Init(cb); });
  }
  int P2K_GetStatus() override {
    return Call("P2K_GetStatus", [&] { return phone_.P2K_GetStatus(); });
  }
  int File_Count() override { return Call("File_Count", [&] { return phone_.File_Count(); }); }
  int File_List(void* e, int n) override {
    return Call("File_List", [&] { return phone_.File_List(e, n); });
  }
  int File_Create(const char* p, int m) override {
    return Call("File_Create", [&] { return phone_.File_Create(p, m); });
  }
  int File_Read(void* b, int n) override {
    return Call("File_Read", [&] { return phone_.File_Read(b, n); });
  }
  int File_Write(const void* b, int n) override {
    return Call("File_Write", [&] { return phone_.File_Write(b, n); });
  }
  int File_Close() override { return Call("File_Close", [&] { return phone_.File_Close(); }); }
  int File_Delete(const char* p) override {
    return Call("File_Delete", [&] { return phone_.File_Delete(p); });
  }

 private:
  template <class F>
  int Call(const char* name, F&& call) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      names_.push_back(name);
      current_ = {static_cast<int>(names_.size()), name, Clock::now()};
      begun_ = static_cast<int>(names_.size());
    }
    const int result = call();
    std::lock_guard<std::mutex> lock(mutex_);
    current_ = {};
    return result;
  }

  PhoneApi& phone_;
  mutable std::mutex mutex_;
  std::vector<std::string> names_;
  InProgress current_;
  std::atomic<int> begun_{0};
};

class StopBench {
 public:
  StopBench() {
    fx.Create();
    Require(PumpUntil([&] { return !worker.Busy(); }), "the window's start-up");
    // The monitor's first tick takes the phone up.
    fx.Dispatch([&] { f.Timer1Timer(&f.Timer1); });
    Require(PumpUntil([&] { return f.PhoneConnected && !worker.Busy(); }), "taking the phone up");
    f.Edit1.SetText("Phone1");
    f.DirectoryEdit1.SetText(fx.Folder());
  }
  ~StopBench() { worker.Shutdown(10s); }

  struct Moment {
    const char* what;
    int read;        // stopped during this read (1-based)
    int msIntoRead;  // this long after the read began
    bool escape;     // Esc rather than the button
  };

  // Calls begun after Stop at this moment, or -1 when the moment could not be met.
  int CallsAfterStop(const Moment& m, std::string& after, std::string& summary) {
    for (int attempt = 0; attempt < 3; ++attempt) {
      Restore();
      phone.SetFaults("slow " + std::to_string(kReadMs) + "\n");
      const int reads = counted.Count("File_Read") + m.read;  // this run's read m, in all
      fx.Dispatch([&] { f.BitBtn2Click(&f.BitBtn2); });
      if (!PumpUntil([&] {
            const CountedPhone::InProgress now = counted.Current();
            return counted.Count("File_Read") >= reads &&
                   (now.name != "File_Read" ||
                    Clock::now() - now.since >= std::chrono::milliseconds(m.msIntoRead));
          }))
        return -1;
      // The stop moment: the read asked for is in progress before and after the press, so no
      // call began in between, and any call numbered above it began after Stop.
      const CountedPhone::InProgress before = counted.Current();
      fx.Dispatch([&] {
        if (m.escape)
          f.OnCancel(&f);
        else
          f.BitBtn2Click(&f.BitBtn2);
      });
      const CountedPhone::InProgress after_ = counted.Current();
      const bool duringRead = before.name == "File_Read" && counted.Count("File_Read") == reads &&
                              after_.number == before.number;
      Require(PumpUntil([&] { return f.RunningJob() == JobKind::kNone; }), "the run's end");
      if (!duringRead) continue;  // the read ended around the press: this moment again
      std::vector<std::string> names = counted.NamesAfter(before.number);
      // The close of the stopped read's file, first after it, is the phone's one-file rule.
      if (!names.empty() && names.front() == "File_Close") names.erase(names.begin());
      for (const std::string& name : names) after += (after.empty() ? "" : " ") + name;
      summary = fx.Boxes.Messages.empty() ? "" : fx.Boxes.Messages[0];
      return static_cast<int>(names.size());
    }
    return -1;
  }

  int OutOfTurn() const { return worker.CallsOutOfTurn(); }

 private:
  static void Require(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "stuck at %s\n", what);
    std::exit(1);
  }
  // The window thread's loop: runs what the phone thread hands over until `done` holds.
  bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = 20s) {
    const auto end = Clock::now() + limit;
    while (!done()) {
      if (Clock::now() > end) return false;
      queue.WaitForTask(2ms);
      while (auto task = queue.Take()) fx.Dispatch(*task);
    }
    return true;
  }
  // Five photos on the phone, none archived, listed, every delete box ticked.
  void Restore() {
    phone.ClearFaults();
    for (int i = 0; i < kPhotos; ++i) phone.AddFile(PhotoPath(i), Photo(1000, i));
    std::filesystem::remove_all(fx.Temp.Path() / "Phone1");
    fx.Dispatch([&] { f.BitBtn1Click(&f.BitBtn1); });
    Require(PumpUntil([&] { return f.RunningJob() == JobKind::kNone; }), "the listing");
    Require(f.GridView1.RowCount() == kPhotos, "the listing's rows");
    for (int row = 0; row < kPhotos; ++row)
      f.GridView1.CellAt(kDeleteColumn, row).SetAsBoolean(true);
    fx.Boxes.Messages.clear();
  }

  SimPhone phone;
  CountedPhone counted{phone.Api()};
  WindowQueue queue;
  PhoneWorker worker{counted, queue};
  FormFixture fx{counted, &worker};
  TForm1& f = *fx.Form1;
};

int Main() {
  const StopBench::Moment moments[] = {
      {"early in the first read", 1, 20, false},
      {"midway through the third read", 3, kReadMs / 2, true},
      {"late in the third read", 3, kReadMs * 3 / 4, false},
      {"midway through the last read", kPhotos, kReadMs / 2, false},
  };
  StopBench bench;
  int worst = 0;
  for (const StopBench::Moment& m : moments) {
    std::string after, summary;
    const int calls = bench.CallsAfterStop(m, after, summary);
    if (calls < 0) {
      std::fprintf(stderr, "no stop could be pressed %s\n", m.what);
      return 1;
    }
    const size_t line = summary.find('\r');
    std::printf("stop %s (%s): %d calls after it%s%s; the summary: \"%s\"\n", m.what,
                m.escape ? "Esc" : "the button", calls, after.empty() ? "" : ": ", after.c_str(),
                summary.substr(0, line).c_str());
    worst = std::max(worst, calls);
  }
  if (bench.OutOfTurn() != 0) {
    std::fprintf(stderr, "%d phone calls out of turn\n", bench.OutOfTurn());
    return 1;
  }
  std::printf("budget stop_calls_after: %d calls (limit 0 calls) %s\n", worst,
              worst <= 0 ? "ok" : "OVER");
  return 0;
}

}  // namespace
}  // namespace zv

int main() { return zv::Main(); }
