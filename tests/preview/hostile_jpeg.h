#pragma once
// Damaged and hostile JPEGs written byte by byte, for tests, the worst-case benchmark and the
// fuzzer's seeds: a header that declares any size, any number of scans, and almost no data.
// libjpeg reads what is there and supplies zeros for the rest (with warnings), so decoding such a
// file costs what a real picture of the declared size costs.
#include <cstdint>
#include <vector>

namespace zv::testing {

struct HostileJpegShape {
  int Width = 16, Height = 16;
  int Components = 3;        // 1 (greyscale) or 3 (YCbCr)
  bool Progressive = false;  // SOF2 with a DC scan, then AC scans; else one baseline scan
  int Scans = 1;             // progressive only: the DC scan and Scans - 1 AC scans
  bool Truncated = false;    // no end-of-image marker
};

inline std::vector<std::uint8_t> MakeHostileJpeg(const HostileJpegShape& s) {
  std::vector<std::uint8_t> out;
  auto byte = [&](int b) { out.push_back(static_cast<std::uint8_t>(b)); };
  auto word = [&](int w) {
    byte(w >> 8);
    byte(w & 0xFF);
  };
  byte(0xFF), byte(0xD8);  // start of image
  // One quantisation table of ones.
  byte(0xFF), byte(0xDB), word(67), byte(0);
  for (int i = 0; i < 64; ++i) byte(1);
  // Frame: 8-bit samples, the declared size, every component at full resolution.
  byte(0xFF), byte(s.Progressive ? 0xC2 : 0xC0), word(8 + 3 * s.Components), byte(8);
  word(s.Height), word(s.Width), byte(s.Components);
  for (int c = 0; c < s.Components; ++c) byte(c + 1), byte(0x11), byte(0);
  // A DC and an AC table of one code each ("0": difference 0, end of block).
  for (int table : {0x00, 0x10}) {
    byte(0xFF), byte(0xC4), word(2 + 1 + 16 + 1), byte(table), byte(1);
    for (int i = 1; i < 16; ++i) byte(0);
    byte(0);
  }
  auto scan = [&](const std::vector<int>& components, int ss, int se) {
    byte(0xFF), byte(0xDA), word(6 + 2 * int(components.size())), byte(int(components.size()));
    for (int c : components) byte(c + 1), byte(0x00);
    byte(ss), byte(se), byte(0);
    byte(0x00);  // one byte of entropy-coded data; the rest is missing
  };
  std::vector<int> all;
  for (int c = 0; c < s.Components; ++c) all.push_back(c);
  if (!s.Progressive) {
    scan(all, 0, 63);
  } else {
    scan(all, 0, 0);
    for (int i = 1; i < s.Scans; ++i) scan({(i - 1) % s.Components}, 1, 63);
  }
  if (!s.Truncated) byte(0xFF), byte(0xD9);
  return out;
}

}  // namespace zv::testing
