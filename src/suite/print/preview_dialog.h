#pragma once

#include "suite/print/print_texts.h"
#include "suite/print/report_source.h"

#include <QDialog>
#include <QImage>
#include <QPageLayout>
#include <memory>

class QLabel;
class QPushButton;

namespace corvane::suite {

class ReportPages;

// Pages through a report on screen. Only the page shown is painted, so the
// first page of a 100,000-row report shows at once.
//
// Controls, by object name: cmdFirst, cmdPrevious, cmdNext, cmdLast, lblPage,
// cmdClose, and the page picture lblSheet.
class PreviewDialog : public QDialog {
  Q_OBJECT

 public:
  PreviewDialog(const ReportSource& source, const QPageLayout& layout, const PrintTexts& texts,
                QWidget* parent = nullptr);
  ~PreviewDialog() override;

  bool Fits() const;
  int PageCount() const;
  int CurrentPage() const { return page_; }
  void ShowPage(int page);
  const QImage& PageImage() const { return image_; }

 private:
  void BuildControls(const PrintTexts& texts);

  QPageLayout layout_;
  QImage device_;  // carries the screen resolution the pages are laid out for
  std::unique_ptr<ReportPages> pages_;
  QImage image_;
  int page_ = -1;
  QLabel* sheet_ = nullptr;
  QLabel* pageLabel_ = nullptr;
  QString pageFormat_;
  QPushButton* first_ = nullptr;
  QPushButton* previous_ = nullptr;
  QPushButton* next_ = nullptr;
  QPushButton* last_ = nullptr;
};

}  // namespace corvane::suite
