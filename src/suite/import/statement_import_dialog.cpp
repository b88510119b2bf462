#include "suite/import/statement_import_dialog.h"

#include "platform/controls/file_listing_guard.h"
#include "platform/services/modal_runner.h"
#include "suite/import/column_captions.h"
#include "suite/import/import_preview_model.h"
#include "suite/import/import_texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

namespace corvane::suite {

namespace {

QString Text(const char* key) { return ImportText(QString::fromLatin1(key)); }

QLabel* Caption(const char* key, QWidget* parent) { return new QLabel(Text(key), parent); }

template <typename Widget>
Widget* Named(Widget* w, const char* name) {
  w->setObjectName(QString::fromLatin1(name));
  return w;
}

}  // namespace

StatementImportDialog::StatementImportDialog(platform::DbConnection& db, platform::ImportTarget target, QWidget* parent)
    : QDialog(parent), db_(db), target_(std::move(target)) {
  setObjectName(QStringLiteral("frmStatementImport"));
  setWindowTitle(Text("corvane.import.title"));
  resize(1200, 780);  // room for a refused line's text and reason beside the columns
  txtFile_ = Named(new QLineEdit(this), "txtFile");
  txtFile_->setReadOnly(true);
  auto* browse = Named(new QPushButton(Text("corvane.import.browse"), this), "cmdBrowse");
  lblFormat_ = Named(new QLabel(this), "lblFormat");
  lblProblem_ = Named(new QLabel(this), "lblProblem");
  lblProblem_->setWordWrap(true);
  lblProblem_->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
  csvBox_ = BuildCsvBox();
  lblBalance_ = Named(new QLabel(this), "lblBalance");
  lblBalance_->setWordWrap(true);
  chkDamaged_ = Named(new QCheckBox(Text("corvane.import.importdamaged"), this), "chkDamaged");
  preview_ = new ImportPreviewModel(this);
  preview_->SetBook(target_.bookMode);
  tblPreview_ = Named(new QTableView(this), "tblPreview");
  tblPreview_->setModel(preview_);
  tblPreview_->verticalHeader()->hide();
  tblPreview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tblPreview_->horizontalHeader()->setStretchLastSection(true);
  tblPreview_->setColumnWidth(ImportPreviewModel::Line, 56);
  tblPreview_->setColumnHidden(ImportPreviewModel::Text, true);  // until a line is refused
  tblPreview_->setMinimumHeight(160);
  lblRefused_ = Named(new QLabel(this), "lblRefused");
  lstRefused_ = Named(new QListWidget(this), "lstRefused");
  lstRefused_->setMaximumHeight(80);
  cmdImport_ = Named(new QPushButton(Text("corvane.import.ok"), this), "cmdImport");
  cmdImport_->setEnabled(false);
  auto* cancel = Named(new QPushButton(Text("corvane.import.cancel"), this), "cmdCancel");

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
  layout->addWidget(lblProblem_);
  layout->addWidget(csvBox_);
  layout->addWidget(lblBalance_);
  layout->addWidget(chkDamaged_);
  layout->addWidget(tblPreview_, 1);
  layout->addWidget(lblRefused_);
  layout->addWidget(lstRefused_);
  layout->addLayout(buttons);
  lblProblem_->hide();
  csvBox_->hide();
  chkDamaged_->hide();
  connect(browse, &QPushButton::clicked, this, &StatementImportDialog::Browse);
  connect(chkDamaged_, &QCheckBox::toggled, this, [this](bool on) {
    if (filling_) return;
    parsed_.importDamaged = on;
    Recheck();
  });
  connect(cmdImport_, &QPushButton::clicked, this, &StatementImportDialog::cmdImport_Click);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

// Separators, first data line and date format on top, the column mapping below.
QWidget* StatementImportDialog::BuildCsvBox() {
  auto* box = new QWidget(this);
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);
  cboDecimal_ = Named(new QComboBox(box), "cboDecimal");
  cboDecimal_->addItem(Text("corvane.import.sep.point"), QStringLiteral("."));
  cboDecimal_->addItem(Text("corvane.import.sep.comma"), QStringLiteral(","));
  cboThousands_ = Named(new QComboBox(box), "cboThousands");
  cboThousands_->addItem(Text("corvane.import.sep.none"), QString());
  cboThousands_->addItem(Text("corvane.import.sep.comma"), QStringLiteral(","));
  cboThousands_->addItem(Text("corvane.import.sep.point"), QStringLiteral("."));
  cboThousands_->addItem(Text("corvane.import.sep.space"), QStringLiteral(" "));
  cboThousands_->addItem(Text("corvane.import.sep.apostrophe"), QStringLiteral("'"));
  cboDelimiter_ = Named(new QComboBox(box), "cboDelimiter");
  cboDelimiter_->addItem(Text("corvane.import.sep.comma"), QStringLiteral(","));
  cboDelimiter_->addItem(Text("corvane.import.sep.semicolon"), QStringLiteral(";"));
  cboDelimiter_->addItem(Text("corvane.import.sep.tab"), QStringLiteral("\t"));
  spnFirstLine_ = Named(new QSpinBox(box), "spnFirstLine");
  spnFirstLine_->setRange(1, 1000000);
  chkHeader_ = Named(new QCheckBox(Text("corvane.import.header"), box), "chkHeader");
  cboDateFormat_ = Named(new QComboBox(box), "cboDateFormat");
  cboDateFormat_->addItems(CsvDateFormats());
  lblGuess_ = Named(new QLabel(box), "lblGuess");
  lblGuess_->setWordWrap(true);
  grid->addWidget(Caption("corvane.import.decimal", box), 0, 0);
  grid->addWidget(cboDecimal_, 0, 1);
  grid->addWidget(Caption("corvane.import.thousands", box), 0, 2);
  grid->addWidget(cboThousands_, 0, 3);
  grid->addWidget(Caption("corvane.import.dateformat", box), 0, 4);
  grid->addWidget(cboDateFormat_, 0, 5);
  grid->addWidget(Caption("corvane.import.firstline", box), 1, 0);
  grid->addWidget(spnFirstLine_, 1, 1);
  grid->addWidget(chkHeader_, 1, 2, 1, 2);
  grid->addWidget(Caption("corvane.import.delimiter", box), 1, 4);
  grid->addWidget(cboDelimiter_, 1, 5);
  grid->addWidget(lblGuess_, 2, 0, 1, 6);
  for (int i = 0; i < kCsvFields; ++i) {
    cbo_[i] = new QComboBox(box);
    cbo_[i]->setObjectName(QStringLiteral("cboColumn%1").arg(i));
    grid->addWidget(Caption(CsvFieldCaptionKey(i), box), 3 + i / 3, (i % 3) * 2);
    grid->addWidget(cbo_[i], 3 + i / 3, (i % 3) * 2 + 1);
    connect(cbo_[i], &QComboBox::currentIndexChanged, this, &StatementImportDialog::CsvChanged);
  }
  for (QComboBox* c : {cboDecimal_, cboThousands_, cboDateFormat_})
    connect(c, &QComboBox::currentIndexChanged, this, &StatementImportDialog::CsvChanged);
  connect(cboDelimiter_, &QComboBox::currentIndexChanged, this, &StatementImportDialog::LayoutChanged);
  connect(spnFirstLine_, &QSpinBox::valueChanged, this, &StatementImportDialog::LayoutChanged);
  connect(chkHeader_, &QCheckBox::toggled, this, &StatementImportDialog::LayoutChanged);
  return box;
}

void StatementImportDialog::SetAccountFacts(const QString& bankAccountNo, const QString& currency) {
  bankAccountNo_ = bankAccountNo.trimmed();
  currency_ = currency.trimmed();
}

void StatementImportDialog::Browse() {
  QFileDialog dialog(this, Text("corvane.import.title"));
  dialog.setObjectName(QStringLiteral("dlgChooseFile"));
  platform::FileListingGuard::Protect(dialog);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilter(QStringLiteral("*.csv *.tsv *.txt *.ofx *.qfx *.xml *.sta *.mt940;;*"));
  if (platform::RunModal(dialog) == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
    SetFile(dialog.selectedFiles().constFirst());
}

void StatementImportDialog::SetFile(const QString& path) {
  path_ = path;
  txtFile_->setText(path);
  filling_ = true;
  chkDamaged_->setChecked(false);  // a new file is never imported damaged unless asked again
  filling_ = false;
  Read();
}

}  // namespace corvane::suite
