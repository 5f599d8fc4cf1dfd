#pragma once
// The thumbnails view of the photo grid: a picture column and rows tall enough for it, and where
// each row's thumbnail comes from, cheapest first:
//   1. a row whose photo the archive holds (a grey row): decoded from the archive's copy, at
//      reduced scale, on the decoding thread; no phone call;
//   2. a photo read this session (the preview): decoded from those bytes; one the run copied
//      has become a grey row and takes the first way;
//   3. a photo only on the phone: the EXIF thumbnail in the head of its file, the head read in
//      the background at the lowest priority, one photo at a time, the rows on the screen first.
// A photo whose head holds no thumbnail shows a plain placeholder until the preview or a run
// reads it. Everything runs on the window thread except the decoding (its own thread) and the
// head reads (the phone thread); the window never waits for a thumbnail, and paints what it has.
// Thumbnails are kept in memory only (ThumbnailCache); nothing is written anywhere.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "gridview/grid.h"
#include "thumbnails/head_reader.h"
#include "thumbnails/thumbnail_cache.h"
#include "thumbnails/thumbnail_decoder.h"

namespace zv {

class GridThumbnails {
 public:
  // What the view needs of the window. Nothing is owned.
  struct Host {
    TGridView& grid;
    // Where the archive holds the row's photo (a full UTF-8 path), "" when it does not.
    std::function<std::string(int row)> archiveCopy;
    // Whether the archive holds the photo of this name and size (asked before each head read).
    std::function<bool(const std::u16string& name, std::int64_t size)> archived;
    // The phone path (Windows-1251) of the photo of this name and size; "" when no one file is
    // known for it.
    std::function<std::string(const std::u16string& name, std::int64_t size)> phonePath;
    // Hands a task to the window thread, from any thread.
    std::function<void(std::function<void()>)> post;
    // Starts background phone work (the phone jobs layer's lowest priority).
    HeadFetcher::StartBackground startBackground;
    // Reads a local file whole, from the decoding thread.
    ThumbnailDecoder::ReadFile readFile;
  };

  explicit GridThumbnails(Host host);
  ~GridThumbnails();
  GridThumbnails(const GridThumbnails&) = delete;
  GridThumbnails& operator=(const GridThumbnails&) = delete;

  // Turns the view on or off: the picture column, the row heights, and the head reads. Off, the
  // grid is exactly as it was before the view was ever on.
  void SetOn(bool on);
  bool On() const { return on_; }
  // The picture column's index (-1 while the view is off).
  int Column() const { return column_; }

  // A listing filled the grid anew: the head reads of its rows are planned.
  void Listed();
  // The bytes of a whole photo read this session.
  void PhotoRead(const std::u16string& name, std::int64_t size,
                 std::shared_ptr<const std::vector<std::uint8_t>> bytes);

  // The grid's custom drawing of a picture cell, and the end of a paint (what the paint found
  // missing is asked for then, in the order the rows were drawn).
  void DrawCell(Canvas& canvas, int ARow, const TRect& rect);
  void PaintEnded();
  // What a screen reader hears for a picture cell: "Thumbnail of <name>" or "No thumbnail of
  // <name>".
  std::u16string CellName(int ARow);

  // The thumbnail box at the grid's current scaling, and the row height the view gives.
  ThumbnailBox Box() const;
  int RowHeight() const;

  // For tests and benchmarks.
  ThumbnailCache& Cache() { return cache_; }
  HeadFetcher& Heads() { return heads_; }
  ThumbnailDecoder& Decoder() { return *decoder_; }
  // The row's photo has a thumbnail shown (true), none to show (false), or one still coming.
  std::optional<bool> Shown(int ARow);

 private:
  enum class State { kUnknown, kHeadWanted, kDecoding, kNoThumbnail, kFailed };
  struct Photo {
    std::u16string name;
    std::int64_t size = 0;
  };
  std::string Key(int row, Photo* photo = nullptr);
  void Decoded(const std::string& key, std::optional<Bitmap> picture);
  void HeadArrived(const std::string& key, std::vector<std::uint8_t> head);
  void AddColumn();
  void ForgetWantedHeads();
  void FollowScale();

  Host host_;
  bool on_ = false;
  int column_ = -1;
  ThumbnailBox box_;
  ThumbnailCache cache_;
  std::unordered_map<std::string, State> states_;
  std::unordered_map<std::string, Photo> photos_;
  std::vector<DecodeRequest> wantDecodes_;
  std::vector<std::string> wantHeads_;
  std::shared_ptr<bool> alive_;
  HeadFetcher heads_;
  std::unique_ptr<ThumbnailDecoder> decoder_;  // last: its thread ends first
};

}  // namespace zv
