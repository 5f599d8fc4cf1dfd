#pragma once
// The root of the component model: TObject (what an event names as its Sender) and TComponent,
// a named object with an owner. An owner lists the components it owns (not owned by the list:
// the form keeps its controls as members), so that the backend can walk a form's timers and
// controls when it gives them platform resources.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace zv {

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;
};

// An event that only names its sender: OnClick, OnTimer, OnDblClick, OnChange...
using TNotifyEvent = std::function<void(TObject* Sender)>;

class TComponent : public TObject {
 public:
  explicit TComponent(TComponent* owner = nullptr, std::string name = {}) : Owner_(owner) {
    Name = std::move(name);
    if (Owner_) Owner_->components_.push_back(this);
  }
  ~TComponent() override {
    if (Owner_) std::erase(Owner_->components_, this);
    for (TComponent* c : components_) c->Owner_ = nullptr;
  }

  std::string Name;
  TComponent* Owner() const { return Owner_; }
  // Components that name this one as their owner, in creation order (not owned by the list).
  const std::vector<TComponent*>& Components() const { return components_; }

 private:
  TComponent* Owner_;
  std::vector<TComponent*> components_;
};

}  // namespace zv
