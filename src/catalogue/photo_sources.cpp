// The entries behind the grid's rows (see photo_sources.h).
#include "catalogue/photo_sources.h"

#include "phone/phone_api.h"

namespace zv {

void PhotoSources::Add(std::string_view photoName, std::int32_t size,
                       std::string_view phonePath) {
  const auto [it, added] = entries_.try_emplace(Key{AnsiString(photoName), size});
  if (added)
    it->second.phonePath.assign(phonePath);
  else
    it->second.ambiguous = true;
}

PhotoSources::Source PhotoSources::Find(const AnsiString& photoName, std::int32_t size) const {
  const auto it = entries_.find({photoName, size});
  if (it == entries_.end()) return {Match::kRebuilt, AnsiString(kPhotoFolder) + photoName};
  if (it->second.ambiguous) return {Match::kAmbiguous, {}};
  return {Match::kOne, it->second.phonePath};
}

}  // namespace zv
