#include "suite/print/data_output.h"

#include "platform/print/report_engine.h"

#include <QDate>
#include <QFile>
#include <QRegularExpression>
#include <xlsxwriter.h>

namespace corvane::suite {

using namespace platform;

namespace {

std::vector<int> ShownColumns(const PrintableGrid& grid) {
  std::vector<int> cols;
  for (int c = 0; c < grid.PrintColumnCount(); ++c)
    if (grid.PrintColumnWidth(c) > 0) cols.push_back(c);
  return cols;
}

// The caption a column shows lowest in the header (merged header rows leave the
// lower rows of a span empty).
QString HeaderCaption(const PrintableGrid& grid, int col) {
  for (int r = grid.PrintHeaderRowCount() - 1; r >= 0; --r) {
    const QString t = grid.PrintHeaderText(r, col).trimmed();
    if (!t.isEmpty()) return t;
  }
  return QString();
}

QByteArray CsvField(const QString& text) {
  QByteArray b = text.toUtf8();
  if (b.contains(',') || b.contains('"') || b.contains('\n') || b.contains('\r')) {
    b.replace("\"", "\"\"");
    b = '"' + b + '"';
  }
  return b;
}

}  // namespace

// Reads a run of digits from i on; gives how many there were.
static int Digits(const QString& t, qsizetype& i) {
  const qsizetype start = i;
  while (i < t.size() && t[i].isDigit() && t[i].unicode() < 128) ++i;
  return static_cast<int>(i - start);
}

// Written out by hand rather than with a regular expression: an output reads
// every amount cell of the grid, and this is the part that shows in its time.
bool ReadAmountText(const QString& text, double& value) {
  const QString t = text.trimmed();
  qsizetype i = 0;
  if (i < t.size() && t[i] == QLatin1Char('-')) ++i;
  const int lead = Digits(t, i);
  if (lead == 0) return false;
  if (i < t.size() && t[i] == QLatin1Char(',')) {
    if (lead > 3) return false;
    while (i < t.size() && t[i] == QLatin1Char(',')) {
      ++i;
      if (Digits(t, i) != 3) return false;
    }
  }
  if (i < t.size() && t[i] == QLatin1Char('.')) {
    ++i;
    if (Digits(t, i) == 0) return false;
  }
  if (i != t.size()) return false;
  QByteArray plain = t.toLatin1();
  plain.replace(',', QByteArray());
  bool ok = false;
  value = plain.toDouble(&ok);
  return ok;
}

bool ReadDateText(const QString& text, QDate& date) {
  const QString t = text.trimmed();
  auto separator = [&](qsizetype at) {
    return at < t.size() && (t[at] == QLatin1Char('.') || t[at] == QLatin1Char('-') || t[at] == QLatin1Char('/'));
  };
  qsizetype i = 0;
  if (Digits(t, i) != 4 || !separator(i)) return false;
  const qsizetype monthAt = ++i;
  const int monthDigits = Digits(t, i);
  if (monthDigits < 1 || monthDigits > 2 || !separator(i)) return false;
  const qsizetype dayAt = ++i;
  const int dayDigits = Digits(t, i);
  if (dayDigits < 1 || dayDigits > 2 || i != t.size()) return false;
  date = QDate(t.left(4).toInt(), t.mid(monthAt, monthDigits).toInt(), t.mid(dayAt, dayDigits).toInt());
  return date.isValid();
}

std::vector<DataOutField> FieldsOfGrid(const PrintableGrid& grid) {
  std::vector<DataOutField> fields;
  for (int c : ShownColumns(grid)) {
    DataOutField f{HeaderCaption(grid, c), kDataOutText, std::max(8, grid.PrintColumnWidth(c) / 120)};
    if (grid.PrintColumnAlignment(c) & Qt::AlignRight) {
      f.type = kDataOutAmount;
    } else {
      for (int r = 0; r < grid.PrintBodyRowCount(); ++r) {
        const QString t = grid.PrintBodyText(r, c).trimmed();
        if (t.isEmpty()) continue;
        QDate d;
        if (ReadDateText(t, d)) f.type = kDataOutDate;
        break;
      }
    }
    fields.push_back(f);
  }
  return fields;
}

int WriteCsv(const PrintableGrid& grid, const std::vector<DataOutField>& fields, const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return kReportOutputCannotOpen;
  const std::vector<int> cols = ShownColumns(grid);
  const int n = static_cast<int>(fields.size());
  QByteArray buffer("\xEF\xBB\xBF");
  for (int i = 0; i < n; ++i) buffer += (i ? "," : "") + CsvField(fields[i].caption);
  buffer += "\r\n";
  for (int r = 0, rows = grid.PrintBodyRowCount(); r < rows; ++r) {
    if (grid.PrintBodyRowHidden(r)) continue;
    for (int i = 0; i < n; ++i) {
      if (i) buffer += ',';
      if (i >= static_cast<int>(cols.size())) continue;
      const QString text = grid.PrintBodyText(r, cols[i]);
      double amount = 0;
      QDate date;
      if (fields[i].type == kDataOutAmount && ReadAmountText(text, amount)) {
        buffer += text.trimmed().toLatin1().replace(',', QByteArray());
      } else if (fields[i].type == kDataOutDate && ReadDateText(text, date)) {
        buffer += date.toString(Qt::ISODate).toUtf8();
      } else {
        buffer += CsvField(text);
      }
    }
    buffer += "\r\n";
    if (buffer.size() > (1 << 20)) {
      if (file.write(buffer) != buffer.size()) return kReportOutputCannotWrite;
      buffer.clear();
    }
  }
  if (file.write(buffer) != buffer.size() || !file.flush()) return kReportOutputCannotWrite;
  return kReportOk;
}

int WriteXlsx(const PrintableGrid& grid, const std::vector<DataOutField>& fields, const QString& path,
              const QString& sheetName) {
  lxw_workbook_options options{};
  options.constant_memory = LXW_TRUE;  // rows go to the file as they are written
  const QByteArray file = path.toUtf8();
  lxw_workbook* book = workbook_new_opt(file.constData(), &options);
  if (!book) return kReportOutputCannotOpen;
  // Sheet names are at most 31 characters and cannot hold []:*?/\ .
  QString name = sheetName;
  name.remove(QRegularExpression(QStringLiteral("[\\[\\]:*?/\\\\]")));
  name = name.left(31).trimmed();
  const QByteArray sheetUtf8 = (name.isEmpty() ? QStringLiteral("Sheet1") : name).toUtf8();
  lxw_worksheet* sheet = workbook_add_worksheet(book, sheetUtf8.constData());
  lxw_format* head = workbook_add_format(book);
  format_set_bold(head);
  lxw_format* money = workbook_add_format(book);
  format_set_num_format(money, "#,##0.00");
  lxw_format* day = workbook_add_format(book);
  format_set_num_format(day, "yyyy.mm.dd");

  const int n = static_cast<int>(fields.size());
  for (int i = 0; i < n; ++i) {
    worksheet_set_column(sheet, i, i, std::max(4, fields[i].width) + 2, nullptr);
    worksheet_write_string(sheet, 0, i, fields[i].caption.toUtf8().constData(), head);
  }
  const std::vector<int> cols = ShownColumns(grid);
  lxw_row_t row = 1;
  for (int r = 0, rows = grid.PrintBodyRowCount(); r < rows; ++r) {
    if (grid.PrintBodyRowHidden(r)) continue;
    for (int i = 0; i < n && i < static_cast<int>(cols.size()); ++i) {
      const QString text = grid.PrintBodyText(r, cols[i]);
      double amount = 0;
      QDate date;
      if (fields[i].type == kDataOutAmount && ReadAmountText(text, amount)) {
        worksheet_write_number(sheet, row, i, amount, money);
      } else if (fields[i].type == kDataOutDate && ReadDateText(text, date)) {
        lxw_datetime dt{date.year(), static_cast<uint8_t>(date.month()), static_cast<uint8_t>(date.day()), 0, 0, 0};
        worksheet_write_datetime(sheet, row, i, &dt, day);
      } else if (!text.isEmpty()) {
        worksheet_write_string(sheet, row, i, text.toUtf8().constData(), nullptr);
      }
    }
    ++row;
  }
  const lxw_error error = workbook_close(book);
  if (error == LXW_NO_ERROR) return kReportOk;
  return error == LXW_ERROR_CREATING_XLSX_FILE ? kReportOutputCannotOpen : kReportOutputCannotWrite;
}

}  // namespace corvane::suite
