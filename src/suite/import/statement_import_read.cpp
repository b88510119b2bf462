#include "suite/import/statement_import_dialog.h"

#include "platform/db/database_files.h"
#include "platform/services/message_presenter.h"
#include "suite/import/account_match.h"
#include "suite/import/import_preview_model.h"
#include "suite/import/import_texts.h"
#include "suite/import/settle_style_check.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <algorithm>
#include <exception>

namespace corvane::suite {

using platform::ImportLine;
using platform::Money;

namespace {

constexpr int kProgressFrom = 5000;  // smaller files are written without a progress window

QString Text(const char* key) { return ImportText(QString::fromLatin1(key)); }
QString Text(const char* key, const QStringList& args) { return ImportTextWith(QString::fromLatin1(key), args); }

int Ask(const QString& prompt, int buttons) {
  return platform::MessagePresenter::Current().Show({prompt, buttons, Text("corvane.import.title")});
}

QString FormatName(StatementFormat f) {
  switch (f) {
    case StatementFormat::Csv: return QStringLiteral("CSV/TSV");
    case StatementFormat::Ofx: return QStringLiteral("OFX");
    case StatementFormat::Camt053: return QStringLiteral("ISO 20022 camt.053");
    case StatementFormat::Mt940: return QStringLiteral("SWIFT MT940");
    default: return Text("corvane.import.unknownformat");
  }
}

// The separator a combo box offers for a character (null: the "none" entry).
void Pick(QComboBox* box, QChar c) {
  const int i = box->findData(c.isNull() ? QString() : QString(c));
  box->setCurrentIndex(std::max(0, i));
}

QChar Picked(const QComboBox* box) {
  const QString s = box->currentData().toString();
  return s.isEmpty() ? QChar() : s.front();
}

}  // namespace

void StatementImportDialog::Read() {
  parsed_ = ParsedStatement();
  bytes_.clear();
  text_.clear();
  textOk_ = true;
  csv_ = CsvTable();
  StatementReadOptions options;
  options.importDamaged = chkDamaged_->isChecked();
  QFile file(path_);
  if (platform::DatabaseFiles::Contains(path_)) {
    parsed_.SetUnreadable(QStringLiteral("corvane.import.databasefile"), {path_});
  } else if (!file.open(QIODevice::ReadOnly)) {
    parsed_.SetUnreadable(QStringLiteral("corvane.import.cannotopen"), {path_, file.errorString()});
  } else {
    bytes_ = file.readAll();
    switch (DetectStatementFormat(bytes_)) {
      case StatementFormat::Camt053: parsed_ = ReadCamt053(bytes_, options); break;
      case StatementFormat::Mt940: parsed_ = ReadMt940(bytes_, options); break;
      case StatementFormat::Ofx: parsed_ = ReadOfxFile(path_, options); break;
      case StatementFormat::Csv: {
        const DecodedText decoded = DecodeStatementBytes(bytes_);
        text_ = decoded.text;
        textOk_ = decoded.ok;
        layout_ = guessedLayout_ = GuessCsvReadOptions(text_);
        parsed_.encoding = decoded.encoding;
        csv_ = ReadCsv(text_, layout_);
        layout_ = csv_.options;
        mapping_ = guess_ = GuessCsvMapping(csv_);
        FillCsvControls();
        ApplyMapping();
        break;
      }
      case StatementFormat::Unknown:
        parsed_.SetUnreadable(QStringLiteral("corvane.import.unrecognised"), {path_});
        break;
    }
    if (parsed_.format != StatementFormat::Csv) CheckStyles();
  }
  csvBox_->setVisible(parsed_.format == StatementFormat::Csv);
  QStringList facts{Text("corvane.import.format") + FormatName(parsed_.format)};
  if (!parsed_.encoding.isEmpty()) facts << parsed_.encoding;
  if (!parsed_.accountNo.isEmpty()) facts << Text("corvane.import.fileaccount", {parsed_.accountNo});
  if (!parsed_.currency.isEmpty()) facts << Text("corvane.import.filecurrency", {parsed_.currency});
  lblFormat_->setText(facts.join(QStringLiteral(" · ")));
  Recheck();
  if (!parsed_.error.isEmpty()) Ask(Problem(), 16);
}

// The sheet again from its text with the layout shown. The columns stay mapped
// by position, with their date format and notation: another first line, header
// or separator changes which records are read and how they split, never what a
// column found or chosen is taken for.
void StatementImportDialog::ReadCsvText() {
  csv_ = ReadCsv(text_, layout_);
  layout_ = csv_.options;
  FillCsvControls();
  ApplyMapping();
}

// The lines as the mapping reads them. What the text itself refuses holds
// whatever its columns are taken for: bytes that are no text in its encoding, and
// the balance column found when the file was read, checked over every record of
// the file that reads as a line, when the mapping leaves it out and beside
// another column mapped as the balance (which cannot vouch for the file's own).
void StatementImportDialog::ApplyMapping() {
  const QString encoding = parsed_.encoding;
  CsvMapping mapping = mapping_;
  if (mapping.balance < 0) mapping.balance = guess_.balance;
  parsed_ = ApplyCsvMapping(csv_, mapping);
  if (guess_.balance >= 0 && mapping.balance != guess_.balance) {
    mapping.balance = guess_.balance;
    ParsedStatement found = ApplyCsvMapping(csv_, mapping);
    parsed_.balances.insert(parsed_.balances.end(), found.balances.begin(), found.balances.end());
    // A line whose balance in the found column does not follow is refused as it would be alone.
    for (const LineRefusal& r : found.refused) {
      const auto read = std::find_if(parsed_.lines.begin(), parsed_.lines.end(),
                                     [&r](const ImportLine& l) { return l.lineNo == r.lineNo; });
      if (read == parsed_.lines.end()) continue;
      parsed_.lines.erase(read);
      parsed_.refused.push_back(r);
    }
    std::stable_sort(parsed_.refused.begin(), parsed_.refused.end(),
                     [](const LineRefusal& a, const LineRefusal& b) { return a.lineNo < b.lineNo; });
  }
  parsed_.format = StatementFormat::Csv;
  parsed_.encoding = encoding;
  parsed_.importDamaged = chkDamaged_->isChecked();
  if (!textOk_) parsed_.SetUnreadable(QStringLiteral("corvane.import.encoding"), {encoding});
  CheckStyles();
}

// A line's settlement style is taken as keying takes it: a style the suite does
// not know refuses the line (the style column left unmapped brings the lines in
// without one).
void StatementImportDialog::CheckStyles() {
  try {
    RefuseUnknownSettleStyles(db_, parsed_);
  } catch (const std::exception& e) {
    parsed_.SetUnreadable(QStringLiteral("corvane.import.failed"), {ImportFailureReason(e)});
  }
}

void StatementImportDialog::FillCsvControls() {
  filling_ = true;
  const int picks[] = {mapping_.date,   mapping_.style,     mapping_.number,   mapping_.debit,
                       mapping_.credit, mapping_.amount, mapping_.direction, mapping_.balance};
  // A column without a name in the header line, or mapped beyond the records'
  // width (after another separator), is offered under its number, so that no box
  // shows less than is mapped.
  const int width = std::max(static_cast<int>(csv_.header.size()), 1 + *std::max_element(std::begin(picks), std::end(picks)));
  for (int i = 0; i < 8; ++i) {
    cbo_[i]->clear();
    cbo_[i]->addItem(Text("corvane.import.none"), -1);
    for (int c = 0; c < width; ++c) {
      const QString name = csv_.header.value(c);
      cbo_[i]->addItem(name.isEmpty() ? QString::number(c + 1) : name, c);
    }
    cbo_[i]->setCurrentIndex(std::max(0, cbo_[i]->findData(picks[i])));
  }
  Pick(cboDecimal_, mapping_.notation.decimal);
  Pick(cboThousands_, mapping_.notation.thousands);
  Pick(cboDelimiter_, layout_.delimiter);
  cboDateFormat_->setCurrentIndex(std::max(0, static_cast<int>(CsvDateFormats().indexOf(mapping_.dateFormat))));
  spnFirstLine_->setValue(layout_.firstDataLine);
  chkHeader_->setChecked(layout_.hasHeader);
  lblGuess_->setText(Text("corvane.import.guess", {QString(guess_.notation.decimal), SeparatorName(guess_.notation.thousands),
                                                   guess_.dateFormat.isEmpty() ? Text("corvane.import.none") : guess_.dateFormat,
                                                   QString::number(guessedLayout_.firstDataLine),
                                                   cboDelimiter_->itemText(cboDelimiter_->findData(QString(guessedLayout_.delimiter)))}));
  filling_ = false;
}

// Only a sheet has a layout and a mapping; the controls of one read before are
// no way to change another file.
void StatementImportDialog::LayoutChanged() {
  if (filling_ || parsed_.format != StatementFormat::Csv) return;
  layout_.delimiter = Picked(cboDelimiter_);
  layout_.firstDataLine = spnFirstLine_->value();
  layout_.hasHeader = chkHeader_->isChecked();
  ReadCsvText();
  Recheck();
}

void StatementImportDialog::SetMapping(const CsvMapping& mapping) {
  mapping_ = mapping;
  FillCsvControls();
  CsvChanged();
}

void StatementImportDialog::CsvChanged() {
  if (filling_ || parsed_.format != StatementFormat::Csv) return;
  int* fields[] = {&mapping_.date,   &mapping_.style,  &mapping_.number,    &mapping_.debit,
                   &mapping_.credit, &mapping_.amount, &mapping_.direction, &mapping_.balance};
  for (int i = 0; i < 8; ++i) *fields[i] = cbo_[i]->currentData().toInt();
  mapping_.dateFormat = cboDateFormat_->currentText();
  mapping_.notation.decimal = Picked(cboDecimal_);
  mapping_.notation.thousands = Picked(cboThousands_);
  ApplyMapping();
  Recheck();
}

// Why Import is not offered, or empty when it is.
QString StatementImportDialog::Problem() const {
  if (!parsed_.error.isEmpty()) return parsed_.error;
  const QString foreign = ForeignFileReason(parsed_.accountNo, parsed_.currency, bankAccountNo_, currency_);
  if (!foreign.isEmpty()) return foreign;
  if (!parsed_.Importable()) return Text("corvane.import.damaged");
  if (accepted_.empty()) return Text("corvane.import.nolines");
  return QString();
}

void StatementImportDialog::Recheck() {
  std::vector<platform::RefusedLine> checked;
  accepted_ = parsed_.error.isEmpty() ? platform::StatementLineWriter::Check(parsed_.lines, target_.dates, checked)
                                      : std::vector<ImportLine>();
  QHash<int, QString> refused;
  lstRefused_->clear();
  for (const LineRefusal& r : parsed_.refused) {
    refused.insert(r.lineNo, ImportTextWith(r.reasonKey, r.args));
    lstRefused_->addItem(LineRefusalText(r));
  }
  for (const platform::RefusedLine& r : checked) {
    refused.insert(r.lineNo, ImportTextWith(r.reasonKey, r.args));
    lstRefused_->addItem(LineRefusalText({r.lineNo, r.reasonKey, r.args}));
  }
  const QString problem = Problem();
  duplicates_.clear();
  if (problem.isEmpty()) {
    try {
      duplicates_ = platform::StatementLineWriter(db_, target_).FindDuplicates(accepted_);
    } catch (const std::exception& e) {
      lstRefused_->addItem(ImportFailureText(e));
    }
  }
  QSet<int> duplicate;
  for (size_t i : duplicates_) duplicate.insert(accepted_[i].lineNo);
  if (!refused.isEmpty() && text_.isEmpty()) text_ = DecodeStatementBytes(bytes_).text;
  preview_->Show(parsed_.lines, refused, duplicate, !problem.isEmpty(), TextOfLines(text_, refused.keys()));
  // The file's text beside the reasons, as wide as it needs up to a limit;
  // without a refused line no room is taken for it.
  tblPreview_->setColumnHidden(ImportPreviewModel::Text, refused.isEmpty());
  if (!refused.isEmpty()) {
    tblPreview_->resizeColumnToContents(ImportPreviewModel::Text);
    tblPreview_->setColumnWidth(ImportPreviewModel::Text, std::min(tblPreview_->columnWidth(ImportPreviewModel::Text), 320));
  }
  lblRefused_->setText(Text(target_.bookMode ? "corvane.import.summary.book" : "corvane.import.summary", {QString::number(problem.isEmpty() ? accepted_.size() : 0),
                                                       QString::number(refused.size()),
                                                       QString::number(duplicates_.size())}));
  lblProblem_->setText(problem);
  lblProblem_->setVisible(!problem.isEmpty() && !path_.isEmpty());
  ShowBalances();
  cmdImport_->setEnabled(problem.isEmpty());
}

void StatementImportDialog::ShowBalances() {
  QStringList lines;
  for (const BalanceCheck& b : parsed_.balances) lines << BalanceCheckText(b);
  if (lines.isEmpty() && parsed_.error.isEmpty() && !path_.isEmpty()) lines << Text("corvane.import.nobalances");
  lblBalance_->setText(lines.join(QLatin1Char('\n')));
  lblBalance_->setStyleSheet(parsed_.Damaged() ? QStringLiteral("color: #b00000;") : QString());
  chkDamaged_->setVisible(parsed_.error.isEmpty() && parsed_.Damaged());
}

void StatementImportDialog::cmdImport_Click() {
  if (!Problem().isEmpty()) return;
  try {
    platform::StatementLineWriter writer(db_, target_);
    std::vector<ImportLine> lines = accepted_;
    const std::vector<size_t> duplicates = writer.FindDuplicates(lines);
    if (!duplicates.empty() && Ask(Text(target_.bookMode ? "corvane.import.duplicates.book" : "corvane.import.duplicates", {QString::number(duplicates.size())}), 260) != 6) {
      for (auto it = duplicates.rbegin(); it != duplicates.rend(); ++it)
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(*it));
    }
    if (lines.empty()) {
      Ask(Text("corvane.import.written", {QStringLiteral("0")}), 64);
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
    Ask(ImportFailureText(e), 16);
    return;
  }
  Ask(Text("corvane.import.written", {QString::number(written_)}), 64);
  accept();
}

}  // namespace corvane::suite
