#include "suite/import/csv_statement.h"
#include "suite/import/ofx_chunks.h"
#include "suite/import/statement_file.h"

#include <libofx/libofx.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <optional>
#include <unistd.h>

namespace corvane::suite {

using platform::ImportLine;
using platform::Money;

namespace {

// What the library gives of a transaction (its references) beside the texts of
// its date and amount, which are read here exactly: the library turns an
// unreadable date into the present time and amounts into floating point.
struct LibraryData {
  ParsedStatement* out = nullptr;
  std::vector<QString> numbers;
};

int OnAccount(const OfxAccountData data, void* user) {
  auto* d = static_cast<LibraryData*>(user);
  if (data.account_number_valid && d->out->accountNo.isEmpty()) d->out->accountNo = QString::fromUtf8(data.account_number);
  if (data.currency_valid && d->out->currency.isEmpty()) d->out->currency = QString::fromUtf8(data.currency);
  return 0;
}

int OnTransaction(const OfxTransactionData data, void* user) {
  auto* d = static_cast<LibraryData*>(user);
  d->numbers.push_back(data.check_number_valid       ? QString::fromUtf8(data.check_number)
                       : data.reference_number_valid ? QString::fromUtf8(data.reference_number)
                       : data.fi_id_valid            ? QString::fromUtf8(data.fi_id)
                                                     : QString());
  return 0;
}

// The library reports its errors on the standard error stream: caught for the
// time of one read (of the file, or of its pieces one after the other).
class ErrorCapture {
 public:
  ErrorCapture() {
    if (!file_.open()) return;
    std::fflush(stderr);
    saved_ = dup(STDERR_FILENO);
    dup2(file_.handle(), STDERR_FILENO);
  }
  // Whether the library has reported an error since the start.
  bool Caught() {
    std::fflush(stderr);
    return saved_ >= 0 && file_.size() > 0;
  }
  QString Finish() {
    if (saved_ < 0) return QString();
    std::fflush(stderr);
    dup2(saved_, STDERR_FILENO);
    close(saved_);
    saved_ = -1;
    file_.seek(0);
    return QString::fromUtf8(file_.readAll()).trimmed();
  }
  ~ErrorCapture() { Finish(); }

 private:
  QTemporaryFile file_;
  int saved_ = -1;
};

// The text of element tag (SGML or XML) in text from `from` to `to`.
QString Element(const QString& text, const char* tag, qsizetype from, qsizetype to, qsizetype* at = nullptr) {
  const QString open = QLatin1Char('<') + QLatin1String(tag) + QLatin1Char('>');
  const qsizetype i = text.indexOf(open, from);
  if (i < 0 || i >= to) return QString();
  qsizetype end = i + open.size();
  while (end < text.size() && text[end] != QLatin1Char('<') && text[end] != QLatin1Char('\n')) ++end;
  if (at) *at = i;
  return text.mid(i + open.size(), end - i - open.size()).trimmed();
}

// File lines of positions met in increasing order.
class LineCounter {
 public:
  explicit LineCounter(const QString& text) : text_(text) {}
  int At(qsizetype at) {
    if (at < pos_) return static_cast<int>(QStringView(text_).left(at).count(QLatin1Char('\n'))) + 1;
    line_ += static_cast<int>(QStringView(text_).mid(pos_, at - pos_).count(QLatin1Char('\n')));
    pos_ = at;
    return line_;
  }

 private:
  const QString& text_;
  qsizetype pos_ = 0;
  int line_ = 1;
};

// The day of an OFX date (YYYYMMDD, then the time if any); invalid unless it is one.
QDate OfxDate(const QString& s) {
  int n[3] = {0, 0, 0};
  for (int i = 0; i < 8; ++i) {
    if (i >= s.size() || !s[i].isDigit() || s[i].unicode() > '9') return QDate();
    int& part = n[i < 4 ? 0 : i < 6 ? 1 : 2];
    part = part * 10 + (s[i].unicode() - '0');
  }
  return QDate(n[0], n[1], n[2]);
}

std::optional<Money> OfxAmount(const QString& s) {
  AmountNotation n;
  if (s.contains(QLatin1Char(','))) n.decimal = QLatin1Char(',');
  return ReadCsvAmount(s, n);
}

// The library's time per transaction grows with the transactions of the
// document, and each document costs it a few milliseconds more (its DTD): a
// file is read in pieces of this many (OfxChunks).
constexpr int kOfxTransactionsPerPiece = 1000;

ParsedStatement ReadOfxChunks(const QString& path, const StatementReadOptions& options, int perPiece, bool atLeastTheWrapper) {
  ParsedStatement out;
  out.format = StatementFormat::Ofx;
  out.importDamaged = options.importDamaged;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    out.SetUnreadable(QStringLiteral("corvane.import.cannotopen"), {path, file.errorString()});
    return out;
  }
  const QByteArray bytes = file.readAll();
  const DecodedText decoded = DecodeStatementBytes(bytes);
  out.encoding = decoded.encoding;
  LibraryData data{&out, {}};
  ofx_PARSER_msg = ofx_DEBUG_msg = ofx_DEBUG1_msg = ofx_DEBUG2_msg = ofx_DEBUG3_msg = ofx_DEBUG4_msg = ofx_DEBUG5_msg = 0;
  ofx_STATUS_msg = ofx_INFO_msg = ofx_WARNING_msg = 0;
  ofx_ERROR_msg = 1;
  auto parse = [&data](const QString& name) {
    LibofxContextPtr ctx = libofx_get_new_context();
    ofx_set_account_cb(ctx, OnAccount, &data);
    ofx_set_transaction_cb(ctx, OnTransaction, &data);
    const int rc = libofx_proc_file(ctx, QFile::encodeName(name).constData(), OFX);
    libofx_free_context(ctx);
    return rc;
  };
  const OfxChunks pieces(bytes, perPiece, atLeastTheWrapper);
  QTemporaryFile piece;
  auto parsePiece = [&](int i, bool fileLines) {
    const QByteArray b = pieces.Piece(i, fileLines);
    if (!piece.resize(0) || !piece.seek(0) || piece.write(b) != b.size() || !piece.flush()) return -1;
    return parse(piece.fileName());
  };
  std::optional<ErrorCapture> capture(std::in_place);
  int rc = pieces.Count() == 0 ? parse(path) : piece.open() ? 0 : -1;
  int failed = -1;
  for (int i = 0; i < pieces.Count() && failed < 0 && rc == 0; ++i) {
    rc = parsePiece(i, false);
    if (rc != 0 || capture->Caught()) failed = i;
  }
  QString errors = capture->Finish();
  if (failed >= 0) {
    // Read again with the file's lines kept, so that the library's text numbers
    // them as it numbers the whole file's.
    capture.emplace();
    parsePiece(failed, true);
    const QString numbered = capture->Finish();
    if (!numbered.isEmpty()) errors = numbered;
  }
  if (rc != 0 || !errors.isEmpty() || !decoded.ok) {
    out.SetUnreadable(QStringLiteral("corvane.import.ofx"), {errors.isEmpty() ? decoded.encoding : errors});
    return out;
  }
  const QString& text = decoded.text;
  size_t n = 0;
  int statements = 0;
  LineCounter lines(text);
  for (qsizetype st = text.indexOf(QLatin1String("STMTRS>")); st >= 0;) {
    if (st > 0 && text[st - 1] == QLatin1Char('/')) {  // a closing tag
      st = text.indexOf(QLatin1String("STMTRS>"), st + 7);
      continue;
    }
    qsizetype next = text.indexOf(QLatin1String("STMTRS>"), st + 7);
    while (next >= 0 && text[next - 1] == QLatin1Char('/')) next = text.indexOf(QLatin1String("STMTRS>"), next + 7);
    const qsizetype end = next < 0 ? text.size() : next;
    BalanceCheck check;
    check.lineNo = lines.At(st);
    const QString trn = QStringLiteral("<STMTTRN>");
    for (qsizetype t = text.indexOf(trn, st); t >= 0 && t < end;) {
      const qsizetype following = text.indexOf(trn, t + trn.size());
      const qsizetype stop = following < 0 || following > end ? end : following;
      ImportLine l;
      l.lineNo = lines.At(t);
      const QString date = Element(text, "DTPOSTED", t, stop);
      const QString amount = Element(text, "TRNAMT", t, stop);
      if (n < data.numbers.size()) l.number = data.numbers[n];
      ++n;
      l.date = OfxDate(date);
      const std::optional<Money> a = OfxAmount(amount);
      if (!l.date.isValid()) out.refused.push_back({l.lineNo, QStringLiteral("corvane.import.badfielddate"), {date}});
      else if (!a || a->IsZero()) out.refused.push_back({l.lineNo, QStringLiteral("corvane.import.field"), {amount}});
      else {
        l.bd_c = *a < Money() ? 1 : 0;
        l.amount = *a < Money() ? -*a : *a;
        check.lines += *a;
        out.lines.push_back(l);
      }
      t = following;
    }
    // The file gives no opening balance: its ledger balance, where it gives one, shows
    // the statement reached its end and is read as exactly as the lines.
    qsizetype ledger = -1;
    Element(text, "LEDGERBAL", st, end, &ledger);
    if (ledger >= 0) {
      const QString balance = Element(text, "BALAMT", ledger, end);
      check.closing = OfxAmount(balance);
      check.ok = check.closing.has_value();
      if (!check.ok) {
        check.reasonKey = QStringLiteral("corvane.import.balance.noclosing");
        out.refused.push_back({lines.At(ledger), QStringLiteral("corvane.import.field"), {balance}});
      }
      out.balances.push_back(check);
    }
    ++statements;
    st = next;
  }
  if (n != data.numbers.size())
    out.SetUnreadable(QStringLiteral("corvane.import.ofx"), {QString::number(data.numbers.size()) + QStringLiteral(" / ") + QString::number(n)});
  else if (statements == 0)
    out.SetUnreadable(QStringLiteral("corvane.import.nostatement"));
  return out;
}

}  // namespace

// OFX 1.x (SGML) and 2.x (XML): the library reads the structure, the account and
// the references; each statement's transactions (STMTTRN: DTPOSTED, TRNAMT) and
// its ledger balance are read here. A positive amount is money in, the bank's
// credit; a negative one its debit. A statement without its ledger balance is
// taken for cut short. An error the library gives on any piece makes the whole
// file unreadable, with the library's text.
ParsedStatement ReadOfxFile(const QString& path, const StatementReadOptions& options) {
  return ReadOfxChunks(path, options, kOfxTransactionsPerPiece, true);
}

ParsedStatement ReadOfxFile(const QString& path, const StatementReadOptions& options, int perPiece) {
  return ReadOfxChunks(path, options, perPiece, false);
}

}  // namespace corvane::suite
