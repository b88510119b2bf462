#include "suite/import/statement_file.h"

#include <QStringDecoder>

namespace corvane::suite {

QString DecodeStatementText(const QByteArray& bytes, bool* wasGb18030) {
  QStringDecoder utf8(QStringDecoder::Utf8);
  const QString text = utf8.decode(bytes);
  if (!utf8.hasError()) {
    if (wasGb18030) *wasGb18030 = false;
    return text.startsWith(QChar(0xFEFF)) ? text.mid(1) : text;
  }
  if (wasGb18030) *wasGb18030 = true;
  QStringDecoder gb("GB18030");
  return gb.isValid() ? gb.decode(bytes) : QString::fromLatin1(bytes);
}

StatementFormat DetectStatementFormat(const QByteArray& bytes) {
  const QByteArray head = bytes.left(4096);
  if (head.contains("camt.053")) return StatementFormat::Camt053;
  if (head.contains("OFXHEADER") || head.contains("<OFX>") || head.contains("<OFX ")) return StatementFormat::Ofx;
  if (head.contains(":20:") && (head.contains(":25:") || head.contains(":61:"))) return StatementFormat::Mt940;
  return StatementFormat::Csv;
}

}  // namespace corvane::suite
