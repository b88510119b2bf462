#include "suite/import/statement_file.h"

#include "platform/db/database_files.h"
#include "suite/import/csv_statement.h"
#include "suite/import/import_texts.h"

#include <unicode/ucsdet.h>

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QXmlStreamReader>
#include <algorithm>
#include <memory>

namespace corvane::suite {

bool ParsedStatement::Damaged() const {
  return std::any_of(balances.begin(), balances.end(), [](const BalanceCheck& b) { return !b.ok; });
}

void BalanceCheck::Conclude() {
  ok = opening && closing && Expected() == *closing;
  reasonKey = !closing && !opening ? QStringLiteral("corvane.import.balance.none")
              : !closing  ? QStringLiteral("corvane.import.balance.noclosing")
              : !opening ? QStringLiteral("corvane.import.balance.noopening")
              : !ok      ? QStringLiteral("corvane.import.balance.differs")
                         : QString();
}

void ParsedStatement::SetUnreadable(const QString& key, const QStringList& args) {
  errorKey = key;
  error = ImportTextWith(key, args);
  lines.clear();
}

namespace {

// The whole text, or ok false: a stateless decoder counts a character cut off
// by the end of the bytes as an error, which a stateful one would keep waiting
// for. Qt's UTF-16 decoder flags nothing, so an odd byte left over and
// surrogates without their pair are looked for here.
QString Decode(const QByteArray& bytes, const char* encoding, bool& ok) {
  QStringDecoder d(encoding, QStringConverter::Flag::Stateless);
  if (!d.isValid()) {
    ok = false;
    return QString();
  }
  QString text = d.decode(bytes);
  ok = !d.hasError();
  if (QByteArrayView(encoding).startsWith("UTF-16"))
    ok = ok && bytes.size() % 2 == 0 && QStringView(text).isValidUtf16();
  return text;
}

// Valid UTF-8 up to a character cut off by the end of the bytes: the last lead
// byte wants more bytes than follow it, and all before it is valid.
bool Utf8CutShort(const QByteArray& bytes) {
  qsizetype lead = bytes.size() - 1;
  while (lead >= 0 && lead > bytes.size() - 4 && (static_cast<uchar>(bytes[lead]) & 0xC0) == 0x80) --lead;
  if (lead < 0) return false;
  const auto c = static_cast<uchar>(bytes[lead]);
  const qsizetype length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
  if (bytes.size() - lead >= length) return false;
  bool ok = true;
  Decode(bytes.left(lead), "UTF-8", ok);
  return ok;
}

// The encoding the content reads best in, of those a Chinese bank writes.
QByteArray GuessEncoding(const QByteArray& bytes) {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<UCharsetDetector, void (*)(UCharsetDetector*)> det(ucsdet_open(&status), ucsdet_close);
  if (U_FAILURE(status)) return QByteArray("GB18030");
  ucsdet_setText(det.get(), bytes.constData(), static_cast<int32_t>(std::min<qsizetype>(bytes.size(), 1 << 16)), &status);
  int32_t found = 0;
  const UCharsetMatch** matches = ucsdet_detectAll(det.get(), &found, &status);
  for (int32_t i = 0; U_SUCCESS(status) && i < found; ++i) {
    const QByteArray name(ucsdet_getName(matches[i], &status));
    // UTF-16 is a weak guess for any text; only a strong one counts.
    if (name.startsWith("UTF-16") && ucsdet_getConfidence(matches[i], &status) >= 50) return name;
    if (name == "GB18030") return name;
  }
  return QByteArray("GB18030");
}

// UTF-16 without a byte-order mark: the zero high bytes of its ASCII characters
// stand at odd (little-endian) or even offsets.
const char* Utf16ByZeros(const QByteArray& bytes) {
  const qsizetype n = std::min<qsizetype>(bytes.size(), 4096) & ~qsizetype(1);
  int even = 0, odd = 0;
  for (qsizetype i = 0; i < n; ++i)
    if (bytes[i] == 0) ++(i % 2 ? odd : even);
  if (odd * 4 >= n / 2 && even == 0 && n > 0) return "UTF-16LE";
  if (even * 4 >= n / 2 && odd == 0 && n > 0) return "UTF-16BE";
  return nullptr;
}

}  // namespace

DecodedText DecodeStatementBytes(const QByteArray& bytes) {
  DecodedText out;
  bool ok = true;
  if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
    out.encoding = bytes.startsWith("\xFF\xFE") ? QStringLiteral("UTF-16LE") : QStringLiteral("UTF-16BE");
    out.text = Decode(bytes.mid(2), bytes.startsWith("\xFF\xFE") ? "UTF-16LE" : "UTF-16BE", ok);
  } else if (const char* utf16 = Utf16ByZeros(bytes)) {
    out.encoding = QString::fromLatin1(utf16);
    out.text = Decode(bytes, utf16, ok);
  } else {
    out.text = Decode(bytes, "UTF-8", ok);
    out.encoding = QStringLiteral("UTF-8");
    // UTF-8 but for its end is a damaged UTF-8 file, not a text in another encoding.
    if (!ok && !Utf8CutShort(bytes)) {
      const QByteArray guess = GuessEncoding(bytes);
      out.encoding = QString::fromLatin1(guess);
      out.text = Decode(bytes, guess.constData(), ok);
    }
  }
  if (out.text.startsWith(QChar(0xFEFF))) out.text.remove(0, 1);
  out.ok = ok;
  return out;
}

QString DecodeStatementText(const QByteArray& bytes, bool* wasGb18030) {
  DecodedText d = DecodeStatementBytes(bytes);
  if (wasGb18030) *wasGb18030 = d.encoding == QLatin1String("GB18030");
  return d.text;
}

namespace {

// The root element of an XML document (its namespace), or of an OFX 2 file.
StatementFormat XmlFormat(const QByteArray& bytes, bool& isXml) {
  QXmlStreamReader xml(bytes.left(1 << 16));
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isProcessingInstruction() && xml.processingInstructionTarget() == QLatin1String("OFX")) {
      isXml = true;
      return StatementFormat::Ofx;
    }
    if (xml.isStartElement()) {
      isXml = true;
      if (xml.name() == QLatin1String("OFX")) return StatementFormat::Ofx;
      if (xml.name() == QLatin1String("Document") &&
          xml.namespaceUri().startsWith(QLatin1String("urn:iso:std:iso:20022:tech:xsd:camt.053.")))
        return StatementFormat::Camt053;
      return StatementFormat::Unknown;
    }
    if (xml.hasError()) break;
  }
  return StatementFormat::Unknown;
}

bool IsMt940(const QString& head) {
  static const QRegularExpression tag(QStringLiteral("^(?:\\{4:)?:(20|21|25|28C?|60[FM]|61|62[FM]|64|65|86):"),
                                      QRegularExpression::MultilineOption);
  int tags = 0;
  bool statementTag = false;
  for (auto it = tag.globalMatch(head); it.hasNext();) {
    const QString t = it.next().captured(1);
    ++tags;
    statementTag = statementTag || t == QLatin1String("20") || t == QLatin1String("61") || t.startsWith(QLatin1String("60"));
  }
  return tags >= 2 && statementTag;
}

bool IsOfx1(const QString& head) {
  static const QRegularExpression start(QStringLiteral("\\A\\s*(?:OFXHEADER\\s*:|<OFX>)"));
  return start.match(head).hasMatch();
}

// Columns: most of the first lines split into two fields or more by one delimiter.
bool IsSheet(const QString& text) {
  if (text.contains(QChar(0))) return false;
  const CsvTable t = ReadCsv(text.left(16384));
  const auto even = std::count_if(t.rows.begin(), t.rows.end(), [&t](const QStringList& r) { return r.size() == t.header.size(); });
  return t.header.size() >= 2 && !t.rows.empty() && even * 2 >= static_cast<qsizetype>(t.rows.size());
}

}  // namespace

StatementFormat DetectStatementFormat(const QByteArray& bytes) {
  bool isXml = false;
  const StatementFormat xml = XmlFormat(bytes, isXml);
  if (isXml) return xml;
  // The head up to a line end, so that no character is cut in two.
  const qsizetype headEnd = bytes.size() <= (1 << 16) ? bytes.size() : bytes.lastIndexOf('\n', 1 << 16) + 1;
  const DecodedText d = DecodeStatementBytes(bytes.left(headEnd > 0 ? headEnd : 1 << 16));
  const QString head = d.text.left(8192);
  if (IsOfx1(head)) return StatementFormat::Ofx;
  if (IsMt940(head)) return StatementFormat::Mt940;
  if (head.trimmed().startsWith(QLatin1Char('<'))) return StatementFormat::Unknown;
  return IsSheet(d.text) ? StatementFormat::Csv : StatementFormat::Unknown;
}

ParsedStatement ReadStatementFile(const QString& path, const StatementReadOptions& options) {
  ParsedStatement out;
  if (platform::DatabaseFiles::Contains(path)) {
    out.SetUnreadable(QStringLiteral("corvane.import.databasefile"), {path});
    return out;
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    out.SetUnreadable(QStringLiteral("corvane.import.cannotopen"), {path, file.errorString()});
    return out;
  }
  const QByteArray bytes = file.readAll();
  switch (DetectStatementFormat(bytes)) {
    case StatementFormat::Camt053: return ReadCamt053(bytes, options);
    case StatementFormat::Mt940: return ReadMt940(bytes, options);
    case StatementFormat::Ofx: return ReadOfxFile(path, options);
    case StatementFormat::Csv: {
      const DecodedText d = DecodeStatementBytes(bytes);
      const CsvTable table = ReadCsv(d.text);
      out = ApplyCsvMapping(table, GuessCsvMapping(table));
      out.encoding = d.encoding;
      out.importDamaged = options.importDamaged;
      if (!d.ok) out.SetUnreadable(QStringLiteral("corvane.import.encoding"), {d.encoding});
      return out;
    }
    case StatementFormat::Unknown: break;
  }
  out.SetUnreadable(QStringLiteral("corvane.import.unrecognised"), {path});
  return out;
}

}  // namespace corvane::suite
