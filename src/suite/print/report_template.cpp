#include "suite/print/report_template.h"

#include <QRegularExpression>
#include <QStringList>

namespace corvane::suite {

namespace {

// Splits a line into words; a "quoted text" is one word (\" inside it is a quote).
bool SplitWords(const QString& line, QStringList& words) {
  QString word;
  bool inQuote = false, quoted = false;
  for (int i = 0; i < line.size(); ++i) {
    const QChar c = line[i];
    if (inQuote) {
      if (c == QLatin1Char('\\') && i + 1 < line.size() && line[i + 1] == QLatin1Char('"')) {
        word += QLatin1Char('"');
        ++i;
      } else if (c == QLatin1Char('"')) {
        inQuote = false;
      } else {
        word += c;
      }
    } else if (c == QLatin1Char('"')) {
      inQuote = quoted = true;
    } else if (c == QLatin1Char('#') && word.isEmpty() && !quoted) {
      break;
    } else if (c.isSpace()) {
      if (!word.isEmpty() || quoted) words.append(word);
      word.clear();
      quoted = false;
    } else {
      word += c;
    }
  }
  if (inQuote) return false;
  if (!word.isEmpty() || quoted) words.append(word);
  return true;
}

bool ToLength(const QString& word, TemplateLength& out) {
  bool ok = false;
  const bool percent = word.endsWith(QLatin1Char('%'));
  out.value = (percent ? word.chopped(1) : word).toDouble(&ok);
  out.percent = percent;
  return ok && out.value >= 0;
}

bool ToNumber(const QString& word, double& out) {
  bool ok = false;
  out = word.toDouble(&ok);
  return ok && out >= 0;
}

// font <points> [bold] [family words...]
bool ToFont(const QStringList& w, TemplateFont& font) {
  if (w.size() < 2 || !ToNumber(w[1], font.points) || font.points <= 0) return false;
  int next = 2;
  font.bold = w.size() > 2 && w[2] == QLatin1String("bold");
  if (font.bold) ++next;
  font.family = w.mid(next).join(QLatin1Char(' '));
  return true;
}

int AlignOf(const QString& word) {
  if (word == QLatin1String("left")) return 0;
  if (word == QLatin1String("center")) return 1;
  if (word == QLatin1String("right")) return 2;
  return -1;
}

}  // namespace

std::optional<ReportTemplate> ReportTemplate::Parse(const QString& text, QString* error) {
  ReportTemplate t;
  TemplateBand* band = nullptr;
  TemplateFont font;
  const QStringList lines = text.split(QLatin1Char('\n'));
  for (int n = 0; n < lines.size(); ++n) {
    QStringList w;
    auto fail = [&]() -> std::optional<ReportTemplate> {
      if (error) *error = QStringLiteral("line %1: %2").arg(n + 1).arg(lines[n].trimmed());
      return std::nullopt;
    };
    if (!SplitWords(lines[n], w)) return fail();
    if (w.isEmpty()) continue;
    const QString& verb = w[0];
    if (verb == QLatin1String("band")) {
      if (w.size() != 3) return fail();
      t.bands_.push_back(TemplateBand{w[1], 0, {}});
      band = &t.bands_.back();
      if (!ToNumber(w[2], band->heightMm)) return fail();
      font = TemplateFont();
    } else if (verb == QLatin1String("font")) {
      if (!ToFont(w, font)) return fail();
    } else if (verb == QLatin1String("body-font") || verb == QLatin1String("header-font")) {
      if (!ToFont(w, verb == QLatin1String("body-font") ? t.bodyFont_ : t.headerFont_)) return fail();
    } else if (verb == QLatin1String("text")) {
      // text <x> <y> <w> <h> <left|center|right> "<text>"
      TemplateItem item;
      if (!band || w.size() != 7 || !ToLength(w[1], item.x) || !ToLength(w[2], item.y) ||
          !ToLength(w[3], item.w) || !ToLength(w[4], item.h) || (item.align = AlignOf(w[5])) < 0)
        return fail();
      item.font = font;
      item.text = w[6];
      band->items.push_back(item);
    } else if (verb == QLatin1String("line") || verb == QLatin1String("box")) {
      // line <x1> <y1> <x2> <y2> [pen mm]; box <x> <y> <w> <h> [pen mm]
      TemplateItem item;
      item.kind = verb == QLatin1String("line") ? TemplateItem::Kind::Line : TemplateItem::Kind::Box;
      if (!band || (w.size() != 5 && w.size() != 6) || !ToLength(w[1], item.x) || !ToLength(w[2], item.y) ||
          !ToLength(w[3], item.w) || !ToLength(w[4], item.h) || (w.size() == 6 && !ToNumber(w[5], item.penMm)))
        return fail();
      band->items.push_back(item);
    } else {
      return fail();
    }
  }
  return t;
}

const TemplateBand* ReportTemplate::Band(const QString& name) const {
  for (const TemplateBand& b : bands_)
    if (b.name == name) return &b;
  return nullptr;
}

QString FillFields(const QString& text, const QHash<QString, QString>& values) {
  static const QRegularExpression field(QStringLiteral("\\{([A-Za-z0-9_]+)\\}"));
  QString out;
  qsizetype last = 0;
  for (auto it = field.globalMatch(text); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    out += text.mid(last, m.capturedStart() - last);
    out += values.value(m.captured(1).toUpper());
    last = m.capturedEnd();
  }
  out += text.mid(last);
  return out;
}

}  // namespace corvane::suite
