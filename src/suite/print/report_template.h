#pragma once

#include <QHash>
#include <QString>
#include <optional>
#include <vector>

namespace corvane::suite {

// A length of a template: millimetres, or a percentage of the band's width.
struct TemplateLength {
  double value = 0;
  bool percent = false;
  double Resolve(double bandWidthMm) const { return percent ? bandWidthMm * value / 100.0 : value; }
};

struct TemplateFont {
  double points = 9;
  bool bold = false;
  QString family;  // empty: the report's body font family
};

// One thing a band draws. Text items hold fields as {P1}.., {page}, {pages}, {title}.
struct TemplateItem {
  enum class Kind { Text, Line, Box };
  Kind kind = Kind::Text;
  TemplateLength x, y, w, h;  // for a line: x, y the start, w, h the end point
  double penMm = 0.2;
  int align = 0;              // Text: 0 left, 1 centre, 2 right
  TemplateFont font;
  QString text;
};

// A horizontal strip of the page: "head" (top of every page), "footer" (bottom
// of every page), "tail" (after the body, on the last page) or "form" (a
// one-row form).
struct TemplateBand {
  QString name;
  double heightMm = 0;
  std::vector<TemplateItem> items;
};

// A report template: its bands by name, and the body font for grid reports.
// The text format is described in docs/report-templates.md.
class ReportTemplate {
 public:
  // Parses a template's text; on a syntax error gives nothing and the line in *error.
  static std::optional<ReportTemplate> Parse(const QString& text, QString* error = nullptr);

  const TemplateBand* Band(const QString& name) const;
  const TemplateFont& BodyFont() const { return bodyFont_; }
  const TemplateFont& HeaderFont() const { return headerFont_; }

 private:
  std::vector<TemplateBand> bands_;
  TemplateFont bodyFont_;
  TemplateFont headerFont_{9, true, {}};
};

// Puts a row's values into a template text: {P1}, {P2}, ... by column name and
// the named values (page, pages, title); unknown fields print as empty text.
QString FillFields(const QString& text, const QHash<QString, QString>& values);

}  // namespace corvane::suite
