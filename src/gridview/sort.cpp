// Sorting the store's rows by one column: the comparisons of each sort type, the reverse-in-place
// shortcut for the second sort of a column in the other direction, and a quicksort whose pivot is
// a random row of lo + 1 .. hi. An exchange moves one cell reference per column; the row records
// stay where they are.
#include <string>

#include "gridview/cell_store.h"
#include "ui/errors.h"
#include "ui/lang/texts.h"
#include "ui/text.h"

namespace zv {
namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

std::string CaseFolded(const TCell& cell) {
  std::string s = Utf16ToCp1251(cell.AsString());
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

// A total order: a value that is not a number orders after every number, so that the scans of
// the partition always find their stop.
int CompareNumbers(double a, double b) {
  bool na = a != a, nb = b != b;
  if (na || nb) return static_cast<int>(na) - static_cast<int>(nb);
  return (a > b) - (a < b);
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
    throw EConvertError(FormatText(TextId::NotAnIpAddress, {Cp1251ToUtf8(Utf16ToCp1251(text))}));
  return result;
}

// The sort key of each sort type: what is read from a cell (Get) and how two keys compare.
// The pivot's key is read once per partition: its cell keeps its value while rows move.

// AsString, code unit by code unit as unsigned 16-bit numbers; a prefix orders first. Text cells
// are read without a virtual call.
struct AlphabeticKeys {
  using Key = std::u16string_view;
  bool textCells;
  Key Get(const TCell& c, std::u16string& scratch) const {
    return textCells ? static_cast<const TStringCell&>(c).Text() : c.StringView(scratch);
  }
  static int Compare(Key a, Key b) { return Sign(a.compare(b)); }
};

struct BooleanKeys {
  using Key = bool;
  Key Get(const TCell& c, std::u16string&) const { return c.AsBoolean(); }
  static int Compare(bool a, bool b) { return static_cast<int>(a) - static_cast<int>(b); }
};

// AsString in the ANSI code page with ASCII letters folded to lower case, byte by byte as
// unsigned numbers.
struct CaseInsensitiveKeys {
  using Key = std::string;
  Key Get(const TCell& c, std::u16string&) const { return CaseFolded(c); }
  static int Compare(const Key& a, const Key& b) { return Sign(a.compare(b)); }
};

struct NumericKeys {
  using Key = double;
  Key Get(const TCell& c, std::u16string&) const { return c.AsFloat(); }
  static int Compare(double a, double b) { return CompareNumbers(a, b); }
};

struct DateKeys {
  using Key = double;
  Key Get(const TCell& c, std::u16string&) const { return c.AsDateTime(); }
  static int Compare(double a, double b) { return CompareNumbers(a, b); }
};

// Dotted IPv4 order: the first number counts most.
struct IpKeys {
  using Key = std::uint32_t;
  Key Get(const TCell& c, std::u16string&) const { return IpValue(c); }
  static int Compare(Key a, Key b) { return (a > b) - (a < b); }
};

}  // namespace

// Sorts the rows of one column list; a friend of the store. The quicksort works on a row source:
// the cells themselves (a key read from a cell at each comparison), or, for text cells sorted
// alphabetically, an array of their texts that is permuted and then applied to every column list
// at once (reading a text cannot fail, so nothing observable differs, and the comparisons stay
// in one contiguous array).
class CellSorter {
 public:
  CellSorter(TCells& store, int col, bool descending)
      : store_(store),
        cells_(store.lists_[static_cast<std::size_t>(col)]->cells),
        col_(col),
        descending_(descending) {}

  template <class Keys>
  void SortCells(const Keys& keys) {
    CellSource<Keys> source{*this, keys};
    QuickSort(source, 0, store_.rowCount_ - 1);
  }

  void SortTexts() {
    const std::size_t n = cells_.size();
    TextSource source{store_, {}};
    source.entries.reserve(n);
    for (std::size_t r = 0; r < n; ++r)
      source.entries.push_back(
          {static_cast<const TStringCell*>(cells_[r])->Text(), static_cast<int>(r)});
    QuickSort(source, 0, static_cast<int>(n) - 1);
    std::vector<TCell*> moved(n);
    for (auto& list : store_.lists_) {
      for (std::size_t k = 0; k < n; ++k)
        moved[k] = list->cells[static_cast<std::size_t>(source.entries[k].row)];
      list->cells.swap(moved);
    }
  }

 private:
  template <class Keys>
  struct CellSource {
    CellSorter& sorter;
    const Keys& keys;
    using Key = typename Keys::Key;
    Key Get(int row, std::u16string& scratch) { return keys.Get(sorter.At(row), scratch); }
    static int Compare(const Key& a, const Key& b) { return Keys::Compare(a, b); }
    void Exchange(int i, int j) { sorter.store_.ExchangeRows(i, j); }
  };

  struct TextSource {
    TCells& store;
    struct Entry {
      std::u16string_view text;
      int row;  // the row the text came from
    };
    std::vector<Entry> entries;
    using Key = std::u16string_view;
    Key Get(int row, std::u16string&) { return entries[static_cast<std::size_t>(row)].text; }
    static int Compare(Key a, Key b) { return Sign(a.compare(b)); }
    void Exchange(int i, int j) {
      std::swap(entries[static_cast<std::size_t>(i)], entries[static_cast<std::size_t>(j)]);
      ++store.stats_.Exchanges;
    }
  };

  // The cell of a row, its position fields updated as by a fetch.
  const TCell& At(int row) {
    TCell* cell = cells_[static_cast<std::size_t>(row)];
    cell->col_ = static_cast<std::uint16_t>(col_);
    cell->row_ = row;
    return *cell;
  }

  template <class Source>
  void QuickSort(Source& source, int lo, int hi) {
    // Recursing into the smaller part keeps the stack shallow whatever the pivots drawn.
    while (lo < hi) {
      int p = Partition(source, lo, hi);
      if (p - lo < hi - p + 1) {
        QuickSort(source, lo, p - 1);
        lo = p;
      } else {
        QuickSort(source, p, hi);
        hi = p - 1;
      }
    }
  }

  template <class Source>
  int Partition(Source& source, int lo, int hi) {
    // The pivot is a cell of lo + 1 .. hi, never row lo; its value stays while rows move.
    std::u16string pivotScratch, scratch;
    const typename Source::Key pivot =
        source.Get(lo + 1 + static_cast<int>(store_.Random(static_cast<std::uint32_t>(hi - lo))),
                   pivotScratch);
    // LessOrEqual(pivot, row) and GreaterOrEqual(pivot, row).
    auto compare = [&](int row) {
      ++store_.stats_.Comparisons;
      return Source::Compare(pivot, source.Get(row, scratch));
    };
    auto stopsI = [&](int row) { return descending_ ? compare(row) >= 0 : compare(row) <= 0; };
    auto stopsJ = [&](int row) { return descending_ ? compare(row) <= 0 : compare(row) >= 0; };
    int i = lo - 1;
    int j = hi + 1;
    do {
      // The bounds only matter for comparisons that contradict themselves; they keep the scans
      // inside lo .. hi.
      do ++i;
      while (!stopsI(i) && i < hi);
      do --j;
      while (!stopsJ(j) && j > lo);
      if (i != j) source.Exchange(i, j);
    } while (i < j);
    if (i != j) source.Exchange(i, j);  // undoes the exchange of the crossed pair
    return i > lo ? i : lo + 1;
  }

  TCells& store_;
  std::vector<TCell*>& cells_;
  int col_;
  bool descending_;
};

void TCells::Sort(int ACol, TSortType sortType, bool descending) {
  if (ACol < 0 || ACol >= ColumnCount()) throw ListIndexError(ACol);
  if (sortValid_ && sortedColumn_ == ACol && sortDescending_ != descending) {
    // Nothing changed since the last sort of this column: its reverse is the other direction.
    sortDescending_ = descending;
    for (int i = 0; i < rowCount_ / 2; ++i) ExchangeRows(i, rowCount_ - 1 - i);
  } else {
    // A comparison that fails leaves the rows partly sorted and the sort memory as it was,
    // except for the direction.
    sortDescending_ = descending;
    CellSorter sorter(*this, ACol, descending);
    switch (sortType) {
      case stAlphabetic: {
        const TCellKind kind = ColumnKind(ACol);
        const bool textCells = kind != ckIncrement && kind != ckBoolean && kind != ckDateTime &&
                               kind != ckFloat && kind != ckInteger && kind != ckVirtual;
        if (textCells)
          sorter.SortTexts();
        else
          sorter.SortCells(AlphabeticKeys{false});
        break;
      }
      case stBoolean:
        sorter.SortCells(BooleanKeys{});
        break;
      case stCaseInsensitive:
        sorter.SortCells(CaseInsensitiveKeys{});
        break;
      case stNumeric:
        sorter.SortCells(NumericKeys{});
        break;
      case stDate:
        sorter.SortCells(DateKeys{});
        break;
      case stIP:
        sorter.SortCells(IpKeys{});
        break;
    }
  }
  sortedColumn_ = ACol;
  sortValid_ = true;
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
