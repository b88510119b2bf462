#include "suite/print/preview_dialog.h"

#include "suite/print/report_pages.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace corvane::suite {

namespace {

constexpr int kScreenDpi = 96;
constexpr int kDotsPerMeter = static_cast<int>(kScreenDpi / 0.0254 + 0.5);

QImage ScreenImage(const QSize& size) {
  QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  image.setDotsPerMeterX(kDotsPerMeter);
  image.setDotsPerMeterY(kDotsPerMeter);
  return image;
}

}  // namespace

PreviewDialog::PreviewDialog(const ReportSource& source, const QPageLayout& layout, const PrintTexts& texts,
                             QWidget* parent)
    : QDialog(parent), layout_(layout), device_(ScreenImage(QSize(1, 1))) {
  pages_ = std::make_unique<ReportPages>(source, device_, layout_.paintRectPixels(kScreenDpi).size());
  BuildControls(texts);
  ShowPage(0);
}

PreviewDialog::~PreviewDialog() = default;

bool PreviewDialog::Fits() const { return pages_->Fits(); }

int PreviewDialog::PageCount() const { return pages_->PageCount(); }

void PreviewDialog::BuildControls(const PrintTexts& texts) {
  setObjectName(QStringLiteral("frmPrintPreview"));
  setWindowTitle(PrintText(texts, "corvane.print.preview", "打印预览"));
  auto button = [&](const char* name, const char* key, const char* fallback) {
    auto* b = new QPushButton(PrintText(texts, key, fallback), this);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
  };
  first_ = button("cmdFirst", "corvane.print.first", "首页");
  previous_ = button("cmdPrevious", "corvane.print.previous", "上一页");
  next_ = button("cmdNext", "corvane.print.next", "下一页");
  last_ = button("cmdLast", "corvane.print.last", "末页");
  QPushButton* close = button("cmdClose", "corvane.print.close", "关闭");
  pageFormat_ = PrintText(texts, "corvane.print.pageof", "第 %1 页 / 共 %2 页");
  pageLabel_ = new QLabel(this);
  pageLabel_->setObjectName(QStringLiteral("lblPage"));

  auto* bar = new QHBoxLayout;
  for (QWidget* w : {static_cast<QWidget*>(first_), static_cast<QWidget*>(previous_), static_cast<QWidget*>(pageLabel_),
                     static_cast<QWidget*>(next_), static_cast<QWidget*>(last_)})
    bar->addWidget(w);
  bar->addStretch();
  bar->addWidget(close);

  sheet_ = new QLabel;
  sheet_->setObjectName(QStringLiteral("lblSheet"));
  auto* scroll = new QScrollArea(this);
  scroll->setWidget(sheet_);
  scroll->setAlignment(Qt::AlignHCenter);
  scroll->setBackgroundRole(QPalette::Dark);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(bar);
  layout->addWidget(scroll, 1);
  resize(layout_.fullRectPixels(kScreenDpi).width() + 60, 900);

  connect(first_, &QPushButton::clicked, this, [this] { ShowPage(0); });
  connect(previous_, &QPushButton::clicked, this, [this] { ShowPage(page_ - 1); });
  connect(next_, &QPushButton::clicked, this, [this] { ShowPage(page_ + 1); });
  connect(last_, &QPushButton::clicked, this, [this] { ShowPage(PageCount() - 1); });
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void PreviewDialog::ShowPage(int page) {
  page = std::clamp(page, 0, PageCount() - 1);
  if (page == page_) return;
  page_ = page;
  image_ = ScreenImage(layout_.fullRectPixels(kScreenDpi).size());
  image_.fill(Qt::white);
  {
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(layout_.paintRectPixels(kScreenDpi).topLeft());
    pages_->Paint(painter, page_);
  }
  sheet_->setPixmap(QPixmap::fromImage(image_));
  sheet_->resize(image_.size());
  pageLabel_->setText(pageFormat_.arg(page_ + 1).arg(PageCount()));
  first_->setEnabled(page_ > 0);
  previous_->setEnabled(page_ > 0);
  next_->setEnabled(page_ < PageCount() - 1);
  last_->setEnabled(page_ < PageCount() - 1);
}

}  // namespace corvane::suite
