// The photo grid's thumbnails view (see grid_thumbnails.h).
#include "app/grid_thumbnails.h"

#include <algorithm>
#include <utility>

#include "gridview/column_classes.h"
#include "gridview/photo_columns.h"
#include "thumbnails/exif_thumbnail.h"
#include "ui/lang/texts.h"
#include "ui/text.h"

namespace zv {
namespace {

// Room around the picture in its cell: the grid line, and a little air.
constexpr int kCellMargin = 4;

}  // namespace

GridThumbnails::GridThumbnails(Host host)
    : host_(std::move(host)),
      alive_(std::make_shared<bool>(true)),
      heads_(host_.startBackground, [this](const std::string& key, std::vector<std::uint8_t> head) {
        HeadArrived(key, std::move(head));
      }) {
  box_ = Box();
  // Results come on the decoding thread and go to the window thread; once the view is gone they
  // go nowhere.
  std::weak_ptr<bool> alive = alive_;
  auto post = host_.post;
  decoder_ = std::make_unique<ThumbnailDecoder>(
      box_,
      [this, alive, post](const std::string& key, std::optional<Bitmap> picture) {
        if (!post) return;
        post([this, alive, key, picture = std::move(picture)]() mutable {
          if (alive.lock()) Decoded(key, std::move(picture));
        });
      },
      [this, alive, post](const std::string& key) {
        if (!post) return;
        post([this, alive, key] {
          if (alive.lock()) states_.erase(key);  // asked again when its row shows again
        });
      },
      host_.readFile);
  heads_.SetSkip([this](const HeadWanted& photo) {
    if (!on_ || cache_.Contains(photo.key)) return true;
    const auto found = photos_.find(photo.key);
    return found != photos_.end() && host_.archived &&
           host_.archived(found->second.name, found->second.size);
  });
}

GridThumbnails::~GridThumbnails() { alive_.reset(); }

ThumbnailBox GridThumbnails::Box() const { return ThumbnailBoxFor(host_.grid.PixelsPerInch()); }

int GridThumbnails::RowHeight() const { return Box().height + kCellMargin; }

void GridThumbnails::AddColumn() {
  TGridView& grid = host_.grid;
  const bool wasLoading = grid.Loading();
  grid.SetLoading(true);
  auto& column = grid.Columns().Add<TGraphicColumn>("Picture");
  column_ = column.ColumnIndex();
  column.SetColor(clWindow);
  column.SetWidth(Box().width + 2 * kCellMargin);
  column.SetOptions({coPublicUsing});
  column.SetDrawingOptions(doBackgroundOnly);
  column.Header().SetCaption(UiText16(TextId::ThumbnailColumn));
  column.AccessibleName = UiText16(TextId::ThumbnailColumn);
  // Between the boxes and the file name.
  column.SetPosition(kFileColumn);
  grid.SetLoading(wasLoading);
}

void GridThumbnails::SetOn(bool on) {
  if (on == on_) return;
  on_ = on;
  TGridView& grid = host_.grid;
  if (on) {
    AddColumn();
    grid.OnMeasuringRowHeight = [this](TObject*, int, int& height) {
      height = std::max(height, RowHeight());
    };
    Listed();
  } else {
    // The picture column goes with its cells: the grid is exactly as it was before.
    grid.Columns().Delete(column_);
    column_ = -1;
    grid.LayoutColumns(true);
    grid.AutoSizeColumns(nullptr, false);
    grid.OnMeasuringRowHeight = nullptr;
    // No more head reads; what is being decoded still comes into the cache.
    heads_.Clear();
    ForgetWantedHeads();
  }
  grid.UpdateVerticalScrollRange();
  grid.Invalidate();
}

std::string GridThumbnails::Key(int row, Photo* photo) {
  TGridView& grid = host_.grid;
  const std::u16string name = grid.CellAt(kFileColumn, row).AsString();
  const std::int64_t size = grid.CellAt(kSizeColumn, row).AsInteger();
  if (photo) *photo = {name, size};
  return Utf16ToUtf8(name) + '|' + std::to_string(size);
}

void GridThumbnails::ForgetWantedHeads() {
  for (auto it = states_.begin(); it != states_.end();)
    it = it->second == State::kHeadWanted ? states_.erase(it) : std::next(it);
}

void GridThumbnails::Listed() {
  // The heads are planned anew; decodes under way stay useful (a photo keeps its key).
  heads_.Clear();
  ForgetWantedHeads();
  photos_.clear();
  if (!on_) return;
  TGridView& grid = host_.grid;
  std::vector<HeadWanted> wanted;
  wanted.reserve(std::size_t(grid.RowCount()));
  for (int row = 0; row < grid.RowCount(); ++row) {
    Photo photo;
    const std::string key = Key(row, &photo);
    const std::string path = host_.phonePath ? host_.phonePath(photo.name, photo.size) : "";
    photos_[key] = photo;
    if (path.empty() || cache_.Contains(key) || states_.count(key) != 0) continue;
    states_[key] = State::kHeadWanted;
    wanted.push_back({key, path, photo.size});
  }
  heads_.SetWanted(std::move(wanted));
  heads_.Pump();
}

void GridThumbnails::PhotoRead(const std::u16string& name, std::int64_t size,
                               std::shared_ptr<const std::vector<std::uint8_t>> bytes) {
  const std::string key = Utf16ToUtf8(name) + '|' + std::to_string(size);
  if (!on_ || cache_.Contains(key) || !bytes) return;
  states_[key] = State::kDecoding;
  DecodeRequest request;
  request.key = key;
  request.bytes = std::move(bytes);
  decoder_->Want({std::move(request)});
}

void GridThumbnails::FollowScale() {
  const ThumbnailBox box = Box();
  if (box.width == box_.width && box.height == box_.height) return;
  // Another scaling: the thumbnails are made again at the new size as their rows show.
  box_ = box;
  cache_.Clear();
  decoder_->Clear();
  decoder_->SetBox(box);
  for (auto it = states_.begin(); it != states_.end();)
    it = it->second == State::kDecoding ? states_.erase(it) : std::next(it);
}

void GridThumbnails::DrawCell(Canvas& canvas, int ARow, const TRect& rect) {
  FollowScale();
  const std::string key = Key(ARow);
  if (const Bitmap* picture = cache_.Find(key)) {
    const int x = rect.Left + (rect.Width() - picture->Width) / 2;
    const int y = rect.Top + (rect.Height() - picture->Height) / 2;
    canvas.DrawBitmap(x, y, *picture, clNone);
    return;
  }
  // The placeholder: the box's outline.
  const int x = rect.Left + (rect.Width() - box_.width) / 2;
  const int y = rect.Top + (rect.Height() - box_.height) / 2;
  canvas.FrameRect({x, y, x + box_.width, y + box_.height}, clBtnShadow);

  const auto state = states_.find(key);
  const State now = state == states_.end() ? State::kUnknown : state->second;
  if (now == State::kDecoding || now == State::kFailed) return;
  const std::string copy = host_.archiveCopy ? host_.archiveCopy(ARow) : "";
  if (!copy.empty()) {
    // The archive's copy is the cheapest: no phone call.
    states_[key] = State::kDecoding;
    DecodeRequest request;
    request.key = key;
    request.path = copy;
    wantDecodes_.push_back(std::move(request));
  } else if (now == State::kHeadWanted) {
    wantHeads_.push_back(key);
  } else if (now == State::kUnknown) {
    // Dropped from the cache since, or never planned: its head is read again.
    const auto photo = photos_.find(key);
    const std::string path = photo == photos_.end() || !host_.phonePath
                                 ? std::string()
                                 : host_.phonePath(photo->second.name, photo->second.size);
    if (path.empty()) return;
    states_[key] = State::kHeadWanted;
    heads_.Add({key, path, photo->second.size});
    wantHeads_.push_back(key);
  }
}

void GridThumbnails::PaintEnded() {
  if (!wantDecodes_.empty()) decoder_->Want(std::move(wantDecodes_));
  wantDecodes_.clear();
  if (!wantHeads_.empty()) {
    heads_.Prefer(wantHeads_);
    wantHeads_.clear();
    heads_.Pump();
  }
}

void GridThumbnails::Decoded(const std::string& key, std::optional<Bitmap> picture) {
  if (picture) {
    cache_.Put(key, std::move(*picture));
    states_.erase(key);
  } else {
    states_[key] = State::kFailed;
  }
  host_.grid.InvalidateData();
}

void GridThumbnails::HeadArrived(const std::string& key, std::vector<std::uint8_t> head) {
  const auto found = FindExifThumbnail(head.data(), head.size());
  if (!found) {
    states_[key] = State::kNoThumbnail;
    host_.grid.InvalidateData();
    return;
  }
  states_[key] = State::kDecoding;
  DecodeRequest request;
  request.key = key;
  request.bytes = std::make_shared<const std::vector<std::uint8_t>>(std::move(head));
  request.offset = found->offset;
  request.length = found->length;
  decoder_->Want({std::move(request)});
}

std::optional<bool> GridThumbnails::Shown(int ARow) {
  const std::string key = Key(ARow);
  if (cache_.Contains(key)) return true;
  const auto state = states_.find(key);
  if (state != states_.end() &&
      (state->second == State::kNoThumbnail || state->second == State::kFailed))
    return false;
  return std::nullopt;
}

std::u16string GridThumbnails::CellName(int ARow) {
  const std::string name = Utf16ToUtf8(host_.grid.CellAt(kFileColumn, ARow).AsString());
  const bool shown = cache_.Contains(Key(ARow));
  return Utf8ToUtf16(FormatText(shown ? TextId::ThumbnailOf : TextId::NoThumbnailOf, {name}));
}

}  // namespace zv
