#include "suite/import/settle_style_check.h"

#include "suite/services/code_lists.h"

#include <QHash>
#include <algorithm>

namespace corvane::suite {

void RefuseUnknownSettleStyles(platform::DbConnection& db, ParsedStatement& parsed) {
  CodeLists styles(db);
  QHash<QString, bool> known;
  std::vector<platform::ImportLine> kept;
  kept.reserve(parsed.lines.size());
  bool refused = false;
  for (platform::ImportLine& l : parsed.lines) {
    // The code is the file's data, looked up whole: cutting it to what a clerk can
    // type into the cell could make it another style the suite knows.
    const QString code = CodeLists::CodeOfEntry(l.settle);
    if (!code.isEmpty()) {
      auto it = known.constFind(code);
      if (it == known.cend()) it = known.insert(code, styles.SettleStyleExists(code));
      if (!*it) {
        parsed.refused.push_back({l.lineNo, QString::fromLatin1(kUnknownSettleStyleKey), {}});
        refused = true;
        continue;
      }
    }
    l.settle = code;
    kept.push_back(std::move(l));
  }
  parsed.lines = std::move(kept);
  if (refused)
    std::stable_sort(parsed.refused.begin(), parsed.refused.end(),
                     [](const LineRefusal& a, const LineRefusal& b) { return a.lineNo < b.lineNo; });
}

}  // namespace corvane::suite
