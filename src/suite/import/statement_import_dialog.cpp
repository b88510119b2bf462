#include "suite/import/statement_import_dialog.h"

#include "platform/services/message_presenter.h"
#include "suite/import/import_texts.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <exception>

namespace corvane::suite {

using platform::ImportLine;
using platform::Money;

namespace {

constexpr int kPreviewRows = 20;
constexpr int kProgressFrom = 5000;  // smaller files are written without a progress window

QString Text(const QString& key) { return ImportText(key); }
QString Text(const char* key) { return Text(QString::fromLatin1(key)); }

int Ask(const QString& prompt, int buttons) {
  return platform::MessagePresenter::Current().Show({prompt, buttons, Text("corvane.import.title")});
}

QString FormatName(StatementFormat f) {
  switch (f) {
    case StatementFormat::Csv: return QStringLiteral("CSV/TSV");
    case StatementFormat::Ofx: return QStringLiteral("OFX");
    case StatementFormat::Camt053: return QStringLiteral("ISO 20022 camt.053");
    case StatementFormat::Mt940: return QStringLiteral("SWIFT MT940");
    default: return QString();
  }
}

}  // namespace

StatementImportDialog::StatementImportDialog(platform::DbConnection& db, platform::ImportTarget target, QWidget* parent)
    : QDialog(parent), db_(db), target_(std::move(target)) {
  setObjectName(QStringLiteral("frmStatementImport"));
  setWindowTitle(Text("corvane.import.title"));
  resize(780, 720);
  txtFile_ = new QLineEdit(this);
  txtFile_->setObjectName(QStringLiteral("txtFile"));
  txtFile_->setReadOnly(true);
  auto* browse = new QPushButton(Text("corvane.import.browse"), this);
  browse->setObjectName(QStringLiteral("cmdBrowse"));
  lblFormat_ = new QLabel(this);
  lblFormat_->setObjectName(QStringLiteral("lblFormat"));

  mappingBox_ = new QWidget(this);
  auto* form = new QFormLayout(mappingBox_);
  const char* captions[] = {"corvane.import.col.date",   "corvane.import.col.style",  "corvane.import.col.number",
                            "corvane.import.col.debit",  "corvane.import.col.credit", "corvane.import.col.amount",
                            "corvane.import.col.direction"};
  for (int i = 0; i < 7; ++i) {
    cbo_[i] = new QComboBox(mappingBox_);
    cbo_[i]->setObjectName(QStringLiteral("cboColumn%1").arg(i));
    form->addRow(Text(captions[i]), cbo_[i]);
    connect(cbo_[i], &QComboBox::currentIndexChanged, this, &StatementImportDialog::MappingChanged);
  }
  cboDateFormat_ = new QComboBox(mappingBox_);
  cboDateFormat_->setObjectName(QStringLiteral("cboDateFormat"));
  cboDateFormat_->addItems(CsvDateFormats());
  form->addRow(Text("corvane.import.dateformat"), cboDateFormat_);
  connect(cboDateFormat_, &QComboBox::currentIndexChanged, this, &StatementImportDialog::MappingChanged);
  mappingBox_->hide();

  tblPreview_ = new QTableWidget(0, 7, this);
  tblPreview_->setObjectName(QStringLiteral("tblPreview"));
  tblPreview_->setHorizontalHeaderLabels({Text("corvane.import.col.line"), Text("corvane.import.col.date"),
                                          Text("corvane.import.col.style"), Text("corvane.import.col.number"),
                                          Text("corvane.import.col.debit"), Text("corvane.import.col.credit"),
                                          Text("corvane.import.col.check")});
  tblPreview_->verticalHeader()->hide();
  tblPreview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tblPreview_->setMinimumHeight(180);
  lblRefused_ = new QLabel(this);
  lblRefused_->setObjectName(QStringLiteral("lblRefused"));
  lstRefused_ = new QListWidget(this);
  lstRefused_->setObjectName(QStringLiteral("lstRefused"));
  lstRefused_->setMaximumHeight(90);
  cmdImport_ = new QPushButton(Text("corvane.import.ok"), this);
  cmdImport_->setObjectName(QStringLiteral("cmdImport"));
  cmdImport_->setEnabled(false);
  auto* cancel = new QPushButton(Text("corvane.import.cancel"), this);
  cancel->setObjectName(QStringLiteral("cmdCancel"));

  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(txtFile_, 1);
  fileRow->addWidget(browse);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdImport_);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fileRow);
  layout->addWidget(lblFormat_);
  layout->addWidget(mappingBox_);
  layout->addWidget(tblPreview_, 1);
  layout->addWidget(lblRefused_);
  layout->addWidget(lstRefused_);
  layout->addLayout(buttons);
  connect(browse, &QPushButton::clicked, this, &StatementImportDialog::Browse);
  connect(cmdImport_, &QPushButton::clicked, this, &StatementImportDialog::cmdImport_Click);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void StatementImportDialog::Browse() {
  const QString path = QFileDialog::getOpenFileName(this, Text("corvane.import.title"), QString(),
                                                    QStringLiteral("*.csv *.tsv *.txt *.ofx *.qfx *.xml *.sta *.mt940;;*"));
  if (!path.isEmpty()) SetFile(path);
}

void StatementImportDialog::SetFile(const QString& path) {
  path_ = path;
  txtFile_->setText(path);
  parsed_ = ParsedStatement();
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    parsed_.error = file.errorString();
  } else {
    const QByteArray bytes = file.readAll();
    parsed_.format = DetectStatementFormat(bytes);
    bool gb = false;
    switch (parsed_.format) {
      case StatementFormat::Camt053: parsed_ = ReadCamt053(bytes); break;
      case StatementFormat::Mt940: parsed_ = ReadMt940(bytes); break;
      case StatementFormat::Ofx: parsed_ = ReadOfxFile(path); break;
      default:
        csv_ = ReadCsv(DecodeStatementText(bytes, &gb));
        parsed_.format = StatementFormat::Csv;
        mapping_ = GuessCsvMapping(csv_);
        FillMappingCombos();
        break;
    }
    lblFormat_->setText(Text("corvane.import.format") + FormatName(parsed_.format) +
                        (parsed_.format == StatementFormat::Csv ? (gb ? QStringLiteral(" · GB18030") : QStringLiteral(" · UTF-8"))
                                                                : QString()) +
                        (parsed_.accountNo.isEmpty() ? QString() : QStringLiteral(" · ") + parsed_.accountNo));
  }
  mappingBox_->setVisible(parsed_.format == StatementFormat::Csv);
  if (!parsed_.error.isEmpty()) {
    Ask(Text("corvane.import.unreadable").arg(path), 16);
  }
  Recheck();
}

void StatementImportDialog::FillMappingCombos() {
  filling_ = true;
  const int picks[] = {mapping_.date, mapping_.style, mapping_.number, mapping_.debit,
                       mapping_.credit, mapping_.amount, mapping_.direction};
  for (int i = 0; i < 7; ++i) {
    cbo_[i]->clear();
    cbo_[i]->addItem(Text("corvane.import.none"), -1);
    for (int c = 0; c < csv_.header.size(); ++c) cbo_[i]->addItem(csv_.header[c], c);
    cbo_[i]->setCurrentIndex(picks[i] + 1);
  }
  cboDateFormat_->setCurrentIndex(std::max(0, static_cast<int>(CsvDateFormats().indexOf(mapping_.dateFormat))));
  filling_ = false;
}

void StatementImportDialog::SetMapping(const CsvMapping& mapping) {
  mapping_ = mapping;
  FillMappingCombos();
  Recheck();
}

void StatementImportDialog::MappingChanged() {
  if (filling_) return;
  int* fields[] = {&mapping_.date, &mapping_.style, &mapping_.number, &mapping_.debit,
                   &mapping_.credit, &mapping_.amount, &mapping_.direction};
  for (int i = 0; i < 7; ++i) *fields[i] = cbo_[i]->currentData().toInt();
  mapping_.dateFormat = cboDateFormat_->currentText();
  Recheck();
}

void StatementImportDialog::Recheck() {
  if (parsed_.format == StatementFormat::Csv) {
    ParsedStatement csv = ApplyCsvMapping(csv_, mapping_);
    parsed_.lines = std::move(csv.lines);
    parsed_.refused = std::move(csv.refused);
    parsed_.balances = std::move(csv.balances);
  }
  refused_.clear();
  for (const LineRefusal& r : parsed_.refused) refused_.push_back({r.lineNo, r.reasonKey});
  accepted_ = platform::StatementLineWriter::Check(parsed_.lines, refused_);
  lstRefused_->clear();
  for (const platform::RefusedLine& r : refused_)
    lstRefused_->addItem(Text("corvane.import.refusedline").arg(r.lineNo).arg(Text(r.reasonKey)));
  lblRefused_->setText(Text("corvane.import.summary").arg(accepted_.size()).arg(refused_.size()));
  cmdImport_->setEnabled(!accepted_.empty() && parsed_.Importable());
  ShowPreview();
}

void StatementImportDialog::ShowPreview() {
  const int n = std::min(kPreviewRows, static_cast<int>(parsed_.lines.size()));
  tblPreview_->setRowCount(n);
  std::vector<bool> refusedLine;
  for (int i = 0; i < n; ++i) {
    const ImportLine& l = parsed_.lines[static_cast<size_t>(i)];
    QString check = Text("corvane.import.ok.line");
    for (const platform::RefusedLine& r : refused_)
      if (r.lineNo == l.lineNo) check = Text(r.reasonKey);
    const QString amount = l.amount ? l.amount->ToDisplayText() : QString();
    const QStringList cells{QString::number(l.lineNo), l.date.isValid() ? l.date.toString(QStringLiteral("yyyy.MM.dd")) : QString(),
                            l.settle, l.number, l.bd_c == 1 ? amount : QString(), l.bd_c == 0 ? amount : QString(), check};
    for (int c = 0; c < cells.size(); ++c) tblPreview_->setItem(i, c, new QTableWidgetItem(cells[c]));
  }
}

void StatementImportDialog::cmdImport_Click() {
  if (accepted_.empty() || !parsed_.Importable()) return;
  try {
    platform::StatementLineWriter writer(db_, target_);
    std::vector<ImportLine> lines = accepted_;
    const std::vector<size_t> duplicates = writer.FindDuplicates(lines);
    if (!duplicates.empty() && Ask(Text("corvane.import.duplicates").arg(duplicates.size()), 260) != 6) {
      for (auto it = duplicates.rbegin(); it != duplicates.rend(); ++it)
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(*it));
    }
    if (lines.empty()) {
      Ask(Text("corvane.import.written").arg(0), 64);
      return;
    }
    std::unique_ptr<QProgressDialog> progress;
    if (lines.size() >= static_cast<size_t>(kProgressFrom)) {
      progress = std::make_unique<QProgressDialog>(Text("corvane.import.writing"), QString(), 0,
                                                   static_cast<int>(lines.size()), this);
      progress->setWindowModality(Qt::WindowModal);
      progress->setMinimumDuration(0);
    }
    written_ = writer.Write(lines, [&](int done, int total) {
      if (progressHook) progressHook(done, total);
      if (progress) progress->setValue(done);
    });
  } catch (const std::exception& e) {
    written_ = 0;
    Ask(Text("corvane.import.failed").arg(QString::fromUtf8(e.what())), 16);
    return;
  }
  Ask(Text("corvane.import.written").arg(written_), 64);
  accept();
}

}  // namespace corvane::suite
