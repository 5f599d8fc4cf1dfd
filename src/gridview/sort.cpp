// Sorting the store's rows by one column: the comparisons of each sort type, the reverse-in-place
// shortcut for the second sort of a column in the other direction, and a quicksort whose pivot is
// a random row of lo + 1 .. hi. An exchange moves one cell reference per column; the row records
// stay where they are.
#include <string>

#include "gridview/cell_store.h"
#include "ui/errors.h"
#include "ui/text.h"

namespace zv {
namespace {

using Compare = int (*)(const TCell&, const TCell&);

int Sign(int v) { return (v > 0) - (v < 0); }

// Code unit by code unit as unsigned 16-bit numbers; a prefix orders first.
int CompareAlphabetic(const TCell& x, const TCell& y) {
  std::u16string sx, sy;
  return Sign(x.StringView(sx).compare(y.StringView(sy)));
}

int CompareBoolean(const TCell& x, const TCell& y) {
  return static_cast<int>(x.AsBoolean()) - static_cast<int>(y.AsBoolean());
}

std::string CaseFolded(const TCell& cell) {
  std::string s = Utf16ToCp1251(cell.AsString());
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

// Byte by byte as unsigned numbers after folding ASCII letters to lower case.
int CompareCaseInsensitive(const TCell& x, const TCell& y) {
  return Sign(CaseFolded(x).compare(CaseFolded(y)));
}

// A total order: a value that is not a number orders after every number, so that the scans of
// the partition always find their stop.
int CompareNumbers(double a, double b) {
  bool na = a != a, nb = b != b;
  if (na || nb) return static_cast<int>(na) - static_cast<int>(nb);
  return (a > b) - (a < b);
}

int CompareNumeric(const TCell& x, const TCell& y) { return CompareNumbers(x.AsFloat(), y.AsFloat()); }

int CompareDate(const TCell& x, const TCell& y) {
  return CompareNumbers(x.AsDateTime(), y.AsDateTime());
}

// Four numbers of 0..255 separated by full stops; digits accumulate, other characters are
// skipped. Anything else fails with "'%s' is not a valid IP address".
std::uint32_t IpValue(const TCell& cell) {
  std::u16string text = cell.AsString();
  std::uint32_t result = 0;
  int numbers = 0;
  int digits = 0;
  std::uint32_t current = 0;
  bool ok = true;
  auto close = [&] {
    if (digits == 0 || current > 255 || numbers == 4) ok = false;
    result = (result << 8) | (current & 0xFF);
    ++numbers;
    digits = 0;
    current = 0;
  };
  for (char16_t c : text) {
    if (c == u'.') {
      close();
    } else if (c >= u'0' && c <= u'9') {
      if (current <= 255) current = current * 10 + static_cast<std::uint32_t>(c - u'0');
      ++digits;
    }
    if (!ok) break;
  }
  if (ok) close();
  if (!ok || numbers != 4)
    throw EConvertError("'" + Cp1251ToUtf8(Utf16ToCp1251(text)) + "' is not a valid IP address");
  return result;
}

// Dotted IPv4 order: the first number counts most.
int CompareIp(const TCell& x, const TCell& y) {
  std::uint32_t a = IpValue(x), b = IpValue(y);
  return (a > b) - (a < b);
}

Compare CompareFor(TSortType type) {
  switch (type) {
    case stBoolean: return CompareBoolean;
    case stCaseInsensitive: return CompareCaseInsensitive;
    case stNumeric: return CompareNumeric;
    case stDate: return CompareDate;
    case stIP: return CompareIp;
    case stAlphabetic: break;
  }
  return CompareAlphabetic;
}

}  // namespace

void TCells::Sort(int ACol, TSortType sortType, bool descending) {
  Compare compare = CompareFor(sortType);
  if (ACol < 0 || ACol >= ColumnCount()) throw ListIndexError(ACol);
  if (sortValid_ && sortedColumn_ == ACol && sortDescending_ != descending) {
    // Nothing changed since the last sort of this column: its reverse is the other direction.
    sortDescending_ = descending;
    for (int i = 0; i < rowCount_ / 2; ++i) ExchangeRows(i, rowCount_ - 1 - i);
  } else {
    // A comparison that fails leaves the rows partly sorted and the sort memory as it was,
    // except for the direction.
    sortDescending_ = descending;
    QuickSort(ACol, 0, rowCount_ - 1, descending, compare);
  }
  sortedColumn_ = ACol;
  sortValid_ = true;
}

void TCells::QuickSort(int ACol, int lo, int hi, bool descending, Compare compare) {
  // Recursing into the smaller part keeps the stack shallow whatever the pivots drawn.
  while (lo < hi) {
    int p = Partition(ACol, lo, hi, descending, compare);
    if (p - lo < hi - p + 1) {
      QuickSort(ACol, lo, p - 1, descending, compare);
      lo = p;
    } else {
      QuickSort(ACol, p, hi, descending, compare);
      hi = p - 1;
    }
  }
}

int TCells::Partition(int ACol, int lo, int hi, bool descending, Compare compare) {
  std::vector<TCell*>& cells = lists_[static_cast<std::size_t>(ACol)]->cells;
  auto at = [&](int row) -> const TCell& {
    TCell* cell = cells[static_cast<std::size_t>(row)];
    cell->col_ = static_cast<std::uint16_t>(ACol);
    cell->row_ = row;
    return *cell;
  };
  // The pivot is a cell object (never row lo): its value stays while rows move.
  const TCell& pivot = at(lo + 1 + static_cast<int>(Random(static_cast<std::uint32_t>(hi - lo))));
  auto lessOrEqual = [&](int row) {
    ++stats_.Comparisons;
    return compare(pivot, at(row)) <= 0;
  };
  auto greaterOrEqual = [&](int row) {
    ++stats_.Comparisons;
    return compare(pivot, at(row)) >= 0;
  };
  int i = lo - 1;
  int j = hi + 1;
  do {
    // The bounds only matter for comparisons that contradict themselves; they keep the scans
    // inside lo .. hi.
    do ++i;
    while (!(descending ? greaterOrEqual(i) : lessOrEqual(i)) && i < hi);
    do --j;
    while (!(descending ? lessOrEqual(j) : greaterOrEqual(j)) && j > lo);
    if (i != j) ExchangeRows(i, j);
  } while (i < j);
  if (i != j) ExchangeRows(i, j);  // undoes the exchange of the crossed pair
  return i > lo ? i : lo + 1;
}

std::uint32_t TCells::Random(std::uint32_t range) {
  // xorshift64*: fast and uniform enough for pivots.
  rng_ ^= rng_ >> 12;
  rng_ ^= rng_ << 25;
  rng_ ^= rng_ >> 27;
  std::uint64_t r = (rng_ * 0x2545F4914F6CDD1Dull) >> 32;
  return static_cast<std::uint32_t>((r * range) >> 32);
}

}  // namespace zv
