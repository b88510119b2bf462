#include "suite/import/xml_events.h"

#include <expat.h>

#include <QCoreApplication>
#include <QStringDecoder>
#include <algorithm>
#include <cstring>
#include <memory>

namespace corvane::suite {

namespace {

// The texts Qt's XML reader gives for the same faults, so that a damaged file is
// described as before, and translated by the same catalogue.
QString QtText(const char* source) { return QCoreApplication::translate("QXmlStream", source); }

struct Session {
  XmlEvents& events;
  XML_Parser parser;
  QByteArray unknownEncoding;  // declared, and not one expat reads itself
  QString stopped;             // why a handler stopped the read
};

void Stop(Session& s, const QString& why) {
  s.stopped = why;
  XML_StopParser(s.parser, XML_FALSE);
}

void XMLCALL OnStart(void* data, const XML_Char* name, const XML_Char** attributes) {
  auto* s = static_cast<Session*>(data);
  s->events.Start(name, attributes, static_cast<int>(XML_GetCurrentLineNumber(s->parser)));
}

void XMLCALL OnEnd(void* data, const XML_Char*) { static_cast<Session*>(data)->events.End(); }

void XMLCALL OnText(void* data, const XML_Char* text, int size) {
  static_cast<Session*>(data)->events.Text(std::string_view(text, static_cast<size_t>(size)));
}

// Where the document names an external DTD, expat lets a reference to an
// undeclared entity pass and leaves its text out: a figure would lose digits.
void XMLCALL OnSkippedEntity(void* data, const XML_Char* name, int parameterEntity) {
  if (!parameterEntity) Stop(*static_cast<Session*>(data), QtText("Entity '%1' not declared.").arg(QString::fromUtf8(name)));
}

// expat reads any version 1.x as 1.0; Qt's reader, and so this reader, only 1.0.
void XMLCALL OnDeclaration(void* data, const XML_Char* version, const XML_Char*, int) {
  if (version && std::strcmp(version, "1.0") != 0) Stop(*static_cast<Session*>(data), QtText("Unsupported XML version."));
}

int XMLCALL OnUnknownEncoding(void* data, const XML_Char* name, XML_Encoding*) {
  static_cast<Session*>(data)->unknownEncoding = name;
  return XML_STATUS_ERROR;
}

// The XML name at the place of an error, after the '&' of an entity reference;
// zero bytes are passed over, so that an ASCII name of a UTF-16 document reads.
QString NameAt(const char* data, qsizetype size, qsizetype at) {
  QByteArray name;
  for (qsizetype i = std::max<qsizetype>(at, 0); i < size; ++i) {
    const char c = data[i];
    if (c == 0 || (c == '&' && name.isEmpty())) continue;
    if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == ':' || c == '-' || c == '.' || (c & 0x80))) break;
    name += c;
  }
  return QString::fromUtf8(name);
}

XmlError Describe(const Session& s, const char* data, qsizetype size) {
  const XML_Error code = XML_GetErrorCode(s.parser);
  const qsizetype at = static_cast<qsizetype>(XML_GetCurrentByteIndex(s.parser));
  const char c = at >= 0 && at < size ? data[at] : 0;
  QString text;
  switch (code) {
    case XML_ERROR_NO_ELEMENTS:
    case XML_ERROR_UNCLOSED_TOKEN:
    case XML_ERROR_PARTIAL_CHAR:
    case XML_ERROR_UNCLOSED_CDATA_SECTION: text = QtText("Premature end of document."); break;
    case XML_ERROR_TAG_MISMATCH: text = QtText("Opening and ending tag mismatch."); break;
    case XML_ERROR_ABORTED: text = s.stopped; break;
    case XML_ERROR_UNDEFINED_ENTITY: text = QtText("Entity '%1' not declared.").arg(NameAt(data, size, at)); break;
    case XML_ERROR_DUPLICATE_ATTRIBUTE: text = QtText("Attribute '%1' redefined.").arg(NameAt(data, size, at)); break;
    case XML_ERROR_BAD_CHAR_REF: text = QtText("Invalid character reference."); break;
    case XML_ERROR_JUNK_AFTER_DOC_ELEMENT: text = QtText("Extra content at end of document."); break;
    case XML_ERROR_MISPLACED_XML_PI: text = QtText("XML declaration not at start of document."); break;
    case XML_ERROR_RECURSIVE_ENTITY_REF: text = QtText("Self-referencing entity detected."); break;
    case XML_ERROR_AMPLIFICATION_LIMIT_BREACH:
      text = QtText("Entity expands to more characters than the entity expansion limit.");
      break;
    case XML_ERROR_UNKNOWN_ENCODING: text = QtText("Encoding %1 is unsupported").arg(QString::fromUtf8(s.unknownEncoding)); break;
    case XML_ERROR_INCORRECT_ENCODING: text = QtText("Encountered incorrectly encoded content."); break;
    case XML_ERROR_SYNTAX: text = QtText("Invalid document."); break;
    case XML_ERROR_INVALID_TOKEN:
      // A byte that is not text in the document's encoding, or a character out of place.
      if (at >= size) text = QtText("Premature end of document.");
      else if (c == 0 || (c & 0x80)) text = QtText("Encountered incorrectly encoded content.");
      else if (c == '>' && at >= 2 && data[at - 1] == ']' && data[at - 2] == ']')
        text = QtText("Sequence ']]>' not allowed in content.");
      else text = QtText("Unexpected '%1'.").arg(QChar::fromLatin1(c));
      break;
    default: text = QString::fromUtf8(XML_ErrorString(code)); break;
  }
  return {text, static_cast<int>(XML_GetCurrentLineNumber(s.parser))};
}

// encoding: the one to read in whatever the document declares; null: its own.
XmlError Parse(const char* data, qsizetype size, const char* encoding, XmlEvents& events, QByteArray& unknownEncoding) {
  std::unique_ptr<XML_ParserStruct, void (*)(XML_Parser)> parser(XML_ParserCreate(encoding), XML_ParserFree);
  if (!parser) throw std::bad_alloc();
  Session s{events, parser.get(), {}, {}};
  XML_SetUserData(parser.get(), &s);
  XML_SetElementHandler(parser.get(), OnStart, OnEnd);
  XML_SetCharacterDataHandler(parser.get(), OnText);
  XML_SetSkippedEntityHandler(parser.get(), OnSkippedEntity);
  XML_SetXmlDeclHandler(parser.get(), OnDeclaration);
  XML_SetUnknownEncodingHandler(parser.get(), OnUnknownEncoding, &s);
  qsizetype done = 0;
  do {  // in pieces: expat counts a piece in an int
    const int n = static_cast<int>(std::min<qsizetype>(size - done, 1 << 30));
    const bool last = done + n == size;
    if (XML_Parse(parser.get(), data + done, n, last) != XML_STATUS_OK) {
      unknownEncoding = s.unknownEncoding;
      return Describe(s, data, size);
    }
    done += n;
  } while (done < size);
  return {};
}

}  // namespace

XmlError ReadXml(const QByteArray& bytes, XmlEvents& events) {
  QByteArray declared;
  XmlError error = Parse(bytes.constData(), bytes.size(), nullptr, events, declared);
  if (declared.isEmpty()) return error;
  // An encoding expat stops at before the first element: Qt decodes the document,
  // a byte sequence not valid in it to a zero character, which expat then refuses
  // at its line (a sequence cut at the very end is only told by the decoder).
  QStringDecoder decoder(declared.constData(), QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInvalidToNull);
  if (!decoder.isValid()) return error;
  const QByteArray utf8 = QString(decoder.decode(bytes)).toUtf8();
  error = Parse(utf8.constData(), utf8.size(), "UTF-8", events, declared);
  if (error.text.isEmpty() && decoder.hasError())
    error = {QtText("Encountered incorrectly encoded content."), static_cast<int>(utf8.count('\n')) + 1};
  return error;
}

}  // namespace corvane::suite
