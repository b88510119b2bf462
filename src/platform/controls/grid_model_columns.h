#pragma once

#include "platform/controls/grid_types.h"
#include "platform/db/money.h"

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

namespace corvane::platform {

// The texts of one grid column, each reached by a 32-bit code (0: the empty text).
// Texts that repeat (directions, marks, styles, common digests) are kept once in a
// table and shared by every cell that shows them; once the table is full the other
// texts are stored end to end in one buffer, a length before each, so a million
// distinct numbers cost their characters and not a heap block each.
class GridTextStore {
 public:
  static constexpr quint32 kPooled = 0x80000000u;

  quint32 Add(const QString& text);
  QString Get(quint32 code) const;
  // A stored text no cell uses any more (its room is reclaimed by Compact).
  void Drop(quint32 code);
  bool WantsCompaction() const;
  // Compaction: Begin, then Keep for every code still in use (its new code is
  // returned), then End.
  void BeginCompact();
  quint32 Keep(quint32 code);
  void EndCompact();
  void Clear();
  void Squeeze();

 private:
  static constexpr int kMaxShared = 1024;
  static constexpr size_t kSlots = 2048;  // open addressing, at most half full
  // The code of text in the table, else 0 with slot at the free slot it would take.
  quint32 Find(const QString& text, size_t& slot) const;

  std::vector<QString> shared_;  // code c (1..) is shared_[c - 1]
  std::vector<quint16> slots_;   // codes of shared_ by hash; 0: free (made at the first text)
  quint32 last_ = 0;             // the shared code found or added last
  std::vector<char16_t> pool_, old_;
  size_t garbage_ = 0;  // pool units no cell uses
  int hits_ = 0, misses_ = 0;  // lookups since the table filled
  bool interning_ = true;
};

// 32-bit codes kept in one byte each while all of them are below 256 (columns of
// flags and marks, of a few styles), widened for good when a larger one comes.
class GridCodes {
 public:
  size_t size() const { return wide_ ? words_.size() : bytes_.size(); }
  quint32 operator[](size_t i) const { return wide_ ? words_[i] : bytes_[i]; }
  void Set(size_t i, quint32 code) {
    if (wide_) words_[i] = code;
    else if (code <= 0xFF) bytes_[i] = static_cast<quint8>(code);
    else Widen(i, code);
  }
  void Resize(size_t n);
  void Erase(size_t first, size_t count);
  void Squeeze();

 private:
  void Widen(size_t i, quint32 code);

  std::vector<quint8> bytes_;
  std::vector<quint32> words_;
  bool wide_ = false;
};

// The cells of a grid's data rows (numbered from 0 here), kept column by column in
// the form each column's CellType gives. Every cell reads back exactly the text it
// was given: a text that is not the column's own form of a value is kept as text.
class GridColumns {
 public:
  int RowCount() const { return rows_; }
  int ColCount() const { return static_cast<int>(cols_.size()); }
  void SetColCount(int cols);  // new columns hold text
  CellType ColType(int col) const;
  // Turns the column's cells into the new type; each keeps its text.
  void SetColType(int col, CellType type);
  void SetRowCount(int rows);  // new rows are empty
  int AppendRow();             // an empty row; returns its index
  void EraseRows(int first, int count);

  QString Text(int row, int col) const;
  void SetText(int row, int col, const QString& text);
  // The same for a cell that holds nothing yet (rows just added), the way bulk loads
  // write: nothing to release, no room to reclaim.
  void SetNewText(int row, int col, const QString& text);
  // An invalid date empties the cell. On a text column the value is stored as the
  // text a date or amount column would show for it.
  void SetDate(int row, int col, const QDate& date);
  void SetAmount(int row, int col, Money amount);
  // The value of a cell of a date or amount column; nothing for a cell kept as
  // text (empty ones included) and for text columns.
  std::optional<QDate> Date(int row, int col) const;
  std::optional<Money> Amount(int row, int col) const;

  // Gives back the room reserved for rows and texts to come.
  void Squeeze();

 private:
  struct Column {
    CellType type;
    GridCodes codes;              // text columns: text codes; date columns: day numbers or text codes
    std::vector<qint64> amounts;  // amount columns: fixed-point counts or text codes
    std::vector<bool> asText;     // date and amount columns: the cell holds a text code
    GridTextStore texts;

    quint32 TextCode(size_t row) const;
    void PutText(size_t row, quint32 code);
    void Release(size_t row);
    void Resize(size_t rows);
    void Compact();
  };
  bool IsCell(int row, int col) const { return row >= 0 && row < rows_ && col >= 0 && col < ColCount(); }

  std::vector<Column> cols_;
  int rows_ = 0;
};

// "yyyy.mm.dd" with the given separator; the date must have a four-digit year.
QString GridDateText(const QDate& date, char separator);

}  // namespace corvane::platform
