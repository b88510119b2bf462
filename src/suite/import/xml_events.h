#pragma once

#include <QByteArray>
#include <QString>
#include <string_view>

namespace corvane::suite {

// What a streaming read of an XML document hands on, in document order. Names are
// as written (a prefix stays: namespaces are not resolved); attributes come as
// name, value, name, value... ending in a null; text comes in pieces of UTF-8 with
// entities, character references and CDATA sections already decoded, so the text
// of one element may arrive in several pieces.
class XmlEvents {
 public:
  virtual ~XmlEvents() = default;
  // line: the file line the start tag begins on.
  virtual void Start(std::string_view name, const char* const* attributes, int line) = 0;
  virtual void Text(std::string_view piece) = 0;
  virtual void End() = 0;
};

// Where and why a document is not well-formed XML. text is empty when it is.
struct XmlError {
  QString text;  // in the words (and the language) of Qt's own XML reader
  int line = 0;
};

// Reads a whole document with expat. The encoding is that of its byte-order mark
// or XML declaration (UTF-8 without either); an encoding expat does not know
// itself (GB18030, GBK, Big5...) is decoded by Qt first, one Qt does not know
// either refuses the document. A document that is cut short, has a tag left open
// or closed by another name, an undeclared entity, a bad character reference or
// bytes not valid in its encoding stops the read at that place with the error.
XmlError ReadXml(const QByteArray& bytes, XmlEvents& events);

}  // namespace corvane::suite
