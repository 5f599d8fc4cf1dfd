// The entries behind the grid's rows (see photo_sources.h).
#include "catalogue/photo_sources.h"

#include "phone/phone_api.h"

namespace zv {

void PhotoSources::Add(const AnsiString& photoName, std::int32_t size,
                       const AnsiString& phonePath) {
  entries_[{photoName, size}].push_back(phonePath);
}

PhotoSources::Source PhotoSources::Find(const AnsiString& photoName, std::int32_t size) const {
  const auto it = entries_.find({photoName, size});
  if (it == entries_.end()) return {Match::kRebuilt, AnsiString(kPhotoFolder) + photoName};
  if (it->second.size() > 1) return {Match::kAmbiguous, {}};
  return {Match::kOne, it->second.front()};
}

}  // namespace zv
