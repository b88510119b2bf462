#include "platform/print/page_setup_dialog.h"

#include "platform/print/paper_sizes.h"
#include "platform/services/message_presenter.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace corvane::platform {

namespace {

// No margin of a paper sheet is a metre wide; the check against the chosen paper
// comes when the user confirms.
constexpr int kMaxMarginMm = 999;

QSpinBox* MarginBox(const char* name, QWidget* parent) {
  auto* box = new QSpinBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setRange(0, kMaxMarginMm);
  box->setSuffix(QStringLiteral(" mm"));
  return box;
}

}  // namespace

PageSetupDialog::PageSetupDialog(QWidget* parent)
    : QDialog(parent),
      marginsTooWide_(QStringLiteral("页边距超出纸张范围，请减小页边距。")),
      paperNumbered_(QStringLiteral("纸张 %1")) {
  setObjectName(QStringLiteral("PageSetupDialog"));
  setWindowTitle(QStringLiteral("页面设置"));
  BuildControls();
  SetPage(kDefaultPaperNumber, 1, QMargins(15, 15, 15, 15));
}

void PageSetupDialog::BuildControls() {
  auto* paperBox = new QGroupBox(QStringLiteral("纸张"), this);
  paperBox->setObjectName(QStringLiteral("fraPaper"));
  paper_ = new QComboBox(paperBox);
  paper_->setObjectName(QStringLiteral("cboPaper"));
  for (const PaperSize& p : PaperSizes()) paper_->addItem(QPageSize::name(p.id), p.number);
  paperSize_ = new QLabel(paperBox);
  paperSize_->setObjectName(QStringLiteral("lblPaperSize"));
  auto* paperLayout = new QVBoxLayout(paperBox);
  paperLayout->addWidget(paper_);
  paperLayout->addWidget(paperSize_);

  auto* orientBox = new QGroupBox(QStringLiteral("方向"), this);
  orientBox->setObjectName(QStringLiteral("fraOrientation"));
  portrait_ = new QRadioButton(QStringLiteral("纵向"), orientBox);
  portrait_->setObjectName(QStringLiteral("optPortrait"));
  landscape_ = new QRadioButton(QStringLiteral("横向"), orientBox);
  landscape_->setObjectName(QStringLiteral("optLandscape"));
  auto* orientLayout = new QHBoxLayout(orientBox);
  orientLayout->addWidget(portrait_);
  orientLayout->addWidget(landscape_);

  auto* marginBox = new QGroupBox(QStringLiteral("页边距"), this);
  marginBox->setObjectName(QStringLiteral("fraMargins"));
  left_ = MarginBox("txtLeft", marginBox);
  top_ = MarginBox("txtTop", marginBox);
  right_ = MarginBox("txtRight", marginBox);
  bottom_ = MarginBox("txtBottom", marginBox);
  auto* marginLayout = new QFormLayout(marginBox);
  // Named, so that their captions follow the session's language.
  const auto side = [marginBox](const char* name, const char* caption) {
    auto* label = new QLabel(QString::fromUtf8(caption), marginBox);
    label->setObjectName(QString::fromLatin1(name));
    return label;
  };
  marginLayout->addRow(side("lblLeft", "左"), left_);
  marginLayout->addRow(side("lblTop", "上"), top_);
  marginLayout->addRow(side("lblRight", "右"), right_);
  marginLayout->addRow(side("lblBottom", "下"), bottom_);

  auto* ok = new QPushButton(QStringLiteral("确定"), this);
  ok->setObjectName(QStringLiteral("cmdOK"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("取消"), this);
  cancel->setObjectName(QStringLiteral("cmdCancel"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(paperBox);
  layout->addWidget(orientBox);
  layout->addWidget(marginBox);
  layout->addLayout(buttons);

  connect(ok, &QPushButton::clicked, this, &PageSetupDialog::Confirm);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(paper_, &QComboBox::currentIndexChanged, this, &PageSetupDialog::ShowPaperDimensions);
  connect(portrait_, &QRadioButton::toggled, this, &PageSetupDialog::ShowPaperDimensions);
}

void PageSetupDialog::SetPage(int paperNumber, int orientation, const QMargins& marginsMm) {
  SelectPaper(paperNumber);
  (orientation == 1 ? portrait_ : landscape_)->setChecked(true);
  left_->setValue(marginsMm.left());
  top_->setValue(marginsMm.top());
  right_->setValue(marginsMm.right());
  bottom_->setValue(marginsMm.bottom());
  ShowPaperDimensions();
}

// A stored paper this machine's list lacks still gets an entry of its own, so
// that confirming the dialog keeps it instead of quietly choosing another.
void PageSetupDialog::SelectPaper(int paperNumber) {
  int index = paper_->findData(paperNumber);
  if (index < 0) {
    paper_->addItem(QString(paperNumbered_).arg(paperNumber), paperNumber);
    index = paper_->count() - 1;
  }
  paper_->setCurrentIndex(index);
}

void PageSetupDialog::SetTexts(const QString& marginsTooWide, const QString& paperNumbered) {
  marginsTooWide_ = marginsTooWide;
  paperNumbered_ = paperNumbered;
}

int PageSetupDialog::PaperNumber() const { return paper_->currentData().toInt(); }

int PageSetupDialog::Orientation() const { return portrait_->isChecked() ? 1 : 2; }

QMargins PageSetupDialog::MarginsMm() const {
  return QMargins(left_->value(), top_->value(), right_->value(), bottom_->value());
}

QSizeF PageSetupDialog::OrientedPaperMm() const {
  const QPageSize page = PageSizeOfNumber(PaperNumber());
  if (!page.isValid()) return QSizeF();
  const QSizeF mm = page.size(QPageSize::Millimeter);
  return Orientation() == 1 ? mm : mm.transposed();
}

void PageSetupDialog::ShowPaperDimensions() {
  const QSizeF mm = OrientedPaperMm();
  paperSize_->setText(mm.isValid() ? QStringLiteral("%1 × %2 mm").arg(qRound(mm.width())).arg(qRound(mm.height()))
                                   : QString());
}

// Margins that meet or cross each other leave nothing to print on; the user is
// told and the dialog stays open.
void PageSetupDialog::Confirm() {
  const QSizeF mm = OrientedPaperMm();
  const QMargins m = MarginsMm();
  if (mm.isValid() && (m.left() + m.right() >= mm.width() || m.top() + m.bottom() >= mm.height())) {
    MessagePresenter::Current().Show({marginsTooWide_, 48, windowTitle(), QString(), 0});
    left_->setFocus();
    return;
  }
  accept();
}

}  // namespace corvane::platform
