#pragma once

#include "suite/services/text_source.h"

#include <QHash>
#include <QWidget>
#include <ostream>

// Readable texts in test failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace corvane::suite::test {

// Texts from a table; "%1", "%2" take the arguments. A key not in the table
// comes back as the key, as the suite's texts do.
class FakeTexts : public TextSource {
 public:
  QHash<QString, QString> texts;

  QString Text(const QString& key, const QStringList* args) override {
    auto it = texts.find(key);
    if (it == texts.end()) return key;
    QString t = *it;
    if (args)
      for (qsizetype i = 0; i < args->size(); ++i) t = t.arg((*args)[i]);
    return t;
  }
  int LocalizeControls(QWidget*, const QString&) override { return 0; }
};

}  // namespace corvane::suite::test
