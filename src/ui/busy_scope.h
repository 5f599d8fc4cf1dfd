#pragma once
// Shows the busy indicator for the lifetime of the object: setBusy(true) on construction and
// setBusy(false) on destruction, so an operation that ends with an error hides it too. An empty
// function (a run without an indicator, as in tests and benchmarks) is skipped.
#include <functional>

namespace zv {

class BusyScope {
 public:
  explicit BusyScope(const std::function<void(bool)>& setBusy) : setBusy_(setBusy) {
    if (setBusy_) setBusy_(true);
  }
  ~BusyScope() {
    if (setBusy_) setBusy_(false);
  }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  const std::function<void(bool)>& setBusy_;  // not owned
};

}  // namespace zv
