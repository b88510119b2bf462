#include "import_fixture.h"

#include "suite/import/import_preview_model.h"
#include "suite/import/import_texts.h"

#include <QComboBox>
#include <algorithm>
#include <array>
#include <QDir>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>

namespace corvane::statement {
namespace {

using Dialog = suite::StatementImportDialog;

// A change of one of the sheet's controls, as the user makes it.
struct ControlChange {
  enum Kind { Layout, Separator, Notation, Column } kind;
  QString name;
  std::function<void(Dialog&)> apply;
};

// Every change of one sheet control from where it stands, each alone: the header
// box, every other first data line up to one past the file's end, and every other
// choice of the separator, decimal and thousands marks, date format and (with
// `columns`) each mapping box.
std::vector<ControlChange> ControlChanges(Dialog& d, int fileLines, bool columns) {
  std::vector<ControlChange> out;
  out.push_back({ControlChange::Layout, "header box", [](Dialog& d) { d.chkHeader()->click(); }});
  for (int line = 1; line <= fileLines + 1; ++line)
    if (line != d.spnFirstLine()->value())
      out.push_back({ControlChange::Layout, QStringLiteral("first line %1").arg(line),
                     [line](Dialog& d) { d.spnFirstLine()->setValue(line); }});
  std::vector<std::pair<QComboBox*, ControlChange::Kind>> boxes{{d.cboDelimiter(), ControlChange::Separator},
                                                                 {d.cboDecimal(), ControlChange::Notation},
                                                                 {d.cboThousands(), ControlChange::Notation},
                                                                 {d.cboDateFormat(), ControlChange::Notation}};
  for (int i = 0; columns && i < 8; ++i)
    boxes.push_back({d.findChild<QComboBox*>(QStringLiteral("cboColumn%1").arg(i)), ControlChange::Column});
  for (const auto& [box, kind] : boxes)
    for (int i = 0; i < box->count(); ++i)
      if (i != box->currentIndex())
        out.push_back({kind, box->objectName() + '=' + box->itemText(i),
                       [name = box->objectName(), i](Dialog& d) { d.findChild<QComboBox*>(name)->setCurrentIndex(i); }});
  return out;
}

QString LineText(const QDate& date, const QString& number, int debit, const Money& amount) {
  return date.toString(Qt::ISODate) + '|' + number + '|' + QString::number(debit) + '|' + amount.ToDisplayText();
}

// A file is read in its format, checked and written to the account, or the book
// only in book mode, and the window reloads.
TEST_P(ImportTest, AFileIsMappedCheckedAndWrittenForTheBookToo) {
  const struct {
    const char* name;
    const char* file;
    bool damaged;  // imported knowingly: the camt sample has no closing balance
    long long lines;
    double amount;  // of a line, and its number
    QString number, lastBalance;
  } cases[] = {{"csv", "statement.csv", false, 2, 1200.50, "ZP1001", "1,900.50"},
               // 1,000.00 - 2,500.00 (the bank's credit) + 120.35 + 99.00 (its debits)
               {"camt", "camt053.xml", true, 3, 120.35, "ZP778", "-1,280.65"}};
  const long long accountLines = Count("select count(*) from rp_bankrecp where ccode='100204' and ibegin=2");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Exec("delete from " + Table() + " where " + KeyColumn() + "=? and ibegin=2", {Key()});
    frmYHDZD* w = Open();
    ScriptImport(Sample(c.file), c.damaged);
    w->Toolbar1_ButtonClick(QStringLiteral("import"));
    EXPECT_EQ(Lines(), c.lines);
    EXPECT_EQ(Column(w, 6).last(), c.lastBalance);  // reloaded
    EXPECT_EQ(Count("select count(*) from " + Table() + " where " + KeyColumn() +
                        "=? and ibegin=2 and bdelete=0 and iflag is null and bd_c is not null and ccode='100204'",
                    {Key()}),
              c.lines);
    EXPECT_EQ(Db().QueryValue("select cn_id from " + Table() + " where " + KeyColumn() + "=? and mmoney=?",
                              {Key(), Money::FromDouble(c.amount)}).ToString(),
              c.number);
    // In book mode nothing goes to the accounts' table.
    EXPECT_EQ(Count("select count(*) from rp_bankrecp where ccode='100204' and ibegin=2"),
              Book() ? accountLines : c.lines);
    CloseWindow(w);
  }
}

TEST_P(ImportTest, DuplicatesAreWrittenOnlyWhenTheUserSaysSo) {
  AddLine(QDate(2026, 7, 10), true, 1200.50, 0, "zp1001");
  frmYHDZD* w = Open();
  session_.Messages().Answer(7);  // no to the duplicate
  ScriptImport(Sample("statement.csv"));
  w->Toolbar1_ButtonClick(QStringLiteral("import"));
  EXPECT_EQ(Lines(), 2);
  // The question names what holds the lines: the book in book mode.
  const QString asked = suite::ImportTextWith(Book() ? "corvane.import.duplicates.book" : "corvane.import.duplicates", {"1"});
  const auto& shown = session_.Messages().Shown();
  EXPECT_TRUE(std::any_of(shown.begin(), shown.end(), [&](const auto& m) { return m.prompt == asked; }));
  session_.Messages().Answer(6);
  ScriptImport(Sample("statement.csv"));
  w->Toolbar1_ButtonClick(QStringLiteral("import"));
  EXPECT_EQ(Lines(), 4);
}

TEST_P(ImportTest, AFailureMidImportWritesNothing) {
  QByteArray sheet("date,number,debit,credit\n");
  for (int i = 0; i < 5000; ++i)
    sheet += QStringLiteral("2026-07-%1,N%2,%3,\n").arg(1 + i % 28, 2, 10, QLatin1Char('0')).arg(i).arg(i + 1).toUtf8();
  const QString big = WriteFile("big.csv", sheet);
  suite::StatementImportDialog::progressHook = [](int done, int) {
    if (done >= 4000) throw std::runtime_error("disk full");
  };
  frmYHDZD* w = Open();
  ScriptImport(big);
  w->Toolbar1_ButtonClick(QStringLiteral("import"));
  EXPECT_EQ(Lines(), 0);
  suite::StatementImportDialog::progressHook = nullptr;
  ScriptImport(big);
  w->Toolbar1_ButtonClick(QStringLiteral("import"));
  EXPECT_EQ(Lines(), 5000);
}

// What the dialog decides before anything is written, for files of every kind:
// whether Import is offered, what it names, and what Import then writes.
TEST_P(ImportTest, TheDialogShowsWhyAFileCannotBeImportedAndWritesNothing) {
  const QByteArray mt940 =
      ":20:S1\n:25:1121-0501-0400-0987-6\n:28C:1/1\n:60F:C260701CNY1000,00\n"
      ":61:2607030703C100,00NTRFREF1//B1\n:61:2607040704D50,00NTRFREF2//B2\n:62F:C260731CNY1100,00\n";
  const auto tick = [](suite::StatementImportDialog& d) { d.chkDamaged()->setChecked(true); };
  const QString path = bankFolder_.filePath(QStringLiteral("row.dat"));
  QFile camt(Sample("camt053.xml"));
  const QByteArray camtBytes = camt.open(QIODevice::ReadOnly) ? camt.readAll() : QByteArray();
  const struct {
    const char* name;
    QByteArray file;
    std::function<void(suite::StatementImportDialog&)> before;
    long long written[2];  // account mode, book mode; 0: Import is not offered
    QStringList shown;     // in the dialog's problem or balance text when it is not
  } rows[] = {
      {"unrecognised", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xfe", 16), {}, {0, 0},
       {suite::ImportTextWith("corvane.import.unrecognised", {path})}},
      {"camt cut short", camtBytes.left(camtBytes.indexOf("<Ntry>") + 40), {}, {0, 0}, {}},
      {"camt without balances", QByteArray(camtBytes).replace("<Cd>OPBD</Cd>", "<Cd>ITBD</Cd>"), {}, {0, 0},
       {suite::ImportTextWith("corvane.import.balance.none", {"2026-07", "", "2,280.65", "2,280.65", "", "5"})}},
      {"balances do not add up", mt940, {}, {0, 0}, {"1,050.00", "1,100.00"}},
      {"imported knowingly as damaged", mt940, tick, {2, 2}, {}},
      {"other currency", QByteArray(camtBytes).replace("Ccy=\"CNY\"", "Ccy=\"USD\"").replace("<Ccy>CNY", "<Ccy>USD"),
       {}, {0, 0}, {"USD", "CNY"}},
      // Only a book keeps a bank account number.
      {"other bank account", QByteArray(mt940).replace("1121-", "9999-").replace("1100,00", "1050,00"), {}, {2, 0},
       {"9999-0501-0400-0987-6", "1121 0501 0400 0987 6"}},
  };
  frmYHDZD* w = Open();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Exec("delete from " + Table() + " where " + KeyColumn() + "=? and ibegin=2", {Key()});
    WriteFile(QStringLiteral("row.dat"), row.file);
    bool offered = false;
    QString shown;
    session_.Modals().Then([&](QDialog& d) {
      auto& dialog = dynamic_cast<suite::StatementImportDialog&>(d);
      dialog.SetFile(path);
      if (row.before) row.before(dialog);
      offered = dialog.cmdImport()->isEnabled();
      EXPECT_FALSE(dialog.cboDecimal()->isVisibleTo(&dialog));  // no sheet: no layout to choose
      shown = dialog.lblProblem()->text() + '\n' + dialog.lblBalance()->text();
      dialog.cmdImport_Click();
    });
    w->Toolbar1_ButtonClick(QStringLiteral("import"));
    const long long written = row.written[Book() ? 1 : 0];
    EXPECT_EQ(offered, written > 0);
    EXPECT_EQ(Lines(), written);
    if (written > 0) continue;
    EXPECT_FALSE(shown.trimmed().isEmpty());
    for (const QString& text : row.shown) EXPECT_TRUE(shown.contains(text)) << shown.toStdString();
  }
}

// The preview reads the sheet as the separators, date format and first data line
// shown say (the guesses first) and marks the lines the account already holds,
// before Import.
TEST_P(ImportTest, ThePreviewFollowsTheLayoutChosenAndMarksDuplicates) {
  AddLine(QDate(2026, 7, 2), false, 1500, 0, QStringLiteral("A1"));
  const QString sheet = WriteFile("comma.csv", "date;number;amount\n2026-07-02;A1;1.500,00\n2026-07-03;A2;-2,50\n");
  const QString ok = suite::ImportText(QStringLiteral("corvane.import.ok.line"));
  const QString duplicate = suite::ImportText(Book() ? "corvane.import.duplicateline.book" : "corvane.import.duplicateline");
  using Dialog = suite::StatementImportDialog;
  const auto notation = [](const char* decimal, const char* thousands) {
    return [=](Dialog& d) {
      d.cboDecimal()->setCurrentIndex(d.cboDecimal()->findData(QString::fromLatin1(decimal)));
      d.cboThousands()->setCurrentIndex(d.cboThousands()->findData(QString::fromLatin1(thousands)));
    };
  };
  const struct {
    const char* name;
    std::function<void(Dialog&)> choose;  // none: as guessed
    QStringList shown;                    // per line: credit | debit | verdict
  } rows[] = {
      {"guessed", {}, {"1,500.00||" + duplicate, "|2.50|" + ok}},
      {"decimal comma, no thousands", notation(",", ""), {"||*", "|2.50|" + ok}},
      {"decimal point, thousands comma", notation(".", ","), {"||*", "||*"}},
      {"decimal point, no thousands", notation(".", ""), {"||*", "||*"}},
      {"a date format that does not fit",
       [&](Dialog& d) {
         notation(",", ".")(d);
         d.cboDateFormat()->setCurrentText("dd.MM.yyyy");
       },
       {"||*", "||*"}},
      // The date format chosen before stays: a layout change guesses nothing again.
      {"no header, data from line 3",
       [](Dialog& d) {
         d.chkHeader()->setChecked(false);
         d.spnFirstLine()->setValue(3);
       },
       {"||*"}},
      {"the date format of the file", [](Dialog& d) { d.cboDateFormat()->setCurrentText("yyyy-MM-dd"); }, {"|2.50|" + ok}},
  };
  Open();
  session_.Modals().Then([&](QDialog& d) {
    auto& dialog = dynamic_cast<Dialog&>(d);
    dialog.SetFile(sheet);
    for (const auto& row : rows) {
      SCOPED_TRACE(row.name);
      if (row.choose) row.choose(dialog);
      const suite::ImportPreviewModel& p = dialog.Preview();
      EXPECT_TRUE(dialog.cboDecimal()->isVisibleTo(&dialog));  // the sheet's layout is offered
      ASSERT_EQ(dialog.tblPreview()->verticalHeader()->count(), row.shown.size());
      for (int r = 0; r < p.rowCount(); ++r) {
        using M = suite::ImportPreviewModel;
        QString verdict = p.Cell(r, M::Verdict);
        if (row.shown[r].endsWith('*') && verdict != ok && verdict != duplicate) verdict = "*";  // refused, its reason
        EXPECT_EQ(p.Cell(r, M::Credit) + '|' + p.Cell(r, M::Debit) + '|' + verdict, row.shown[r]);
      }
    }
  });
  shared::Session::Current().windows.Find<frmYHDZD>()->Toolbar1_ButtonClick(QStringLiteral("import"));
  EXPECT_EQ(Lines(), 1);  // nothing imported: only the line the account had
}

// What a file itself refuses (its encoding, its structure, its balances) holds
// through any change of the sheet's mapping, separator, date format or first
// line: Import stays disabled, says why, and writes nothing. A readable sheet is
// read first each time, so that the controls hold columns of their own.
TEST_P(ImportTest, ARefusedFileStaysRefusedThroughLayoutAndMappingChanges) {
  const QString good = WriteFile("good.csv", "date,number,debit,credit\n2026-07-01,A1,10.00,\n2026-07-02,A2,,20.00\n");
  const std::vector<RefusedFile> files = RefusedFiles();
  // Each change goes away from what was read and, where it can, back to it.
  const auto column = [](Dialog& d, int which, int index) {
    d.findChild<QComboBox*>(QStringLiteral("cboColumn%1").arg(which))->setCurrentIndex(index);
  };
  const auto awayAndBack = [](QComboBox* box) {
    const int read = box->currentIndex();
    box->setCurrentIndex(read == 0 ? 1 : 0);
    box->setCurrentIndex(read);
  };
  const struct {
    const char* name;
    std::function<void(Dialog&)> change;
  } changes[] = {
      {"number and balance columns left out",
       [&](Dialog& d) {
         column(d, 2, 0);
         column(d, 7, 0);
       }},
      {"settlement column moved", [&](Dialog& d) { column(d, 1, 2); }},
      {"separator", [&](Dialog& d) { awayAndBack(d.cboDelimiter()); }},
      {"date format", [&](Dialog& d) { awayAndBack(d.cboDateFormat()); }},
      {"decimal separator", [&](Dialog& d) { awayAndBack(d.cboDecimal()); }},
      {"first data line", [](Dialog& d) {
         d.spnFirstLine()->setValue(d.spnFirstLine()->value() + 1);
         d.spnFirstLine()->setValue(d.spnFirstLine()->value() - 1);
       }},
      {"mapping set whole", [](Dialog& d) {
         suite::CsvMapping m = d.Mapping();
         m.date = 0;
         m.debit = 2;
         m.credit = 3;
         m.balance = -1;
         d.SetMapping(m);
       }},
  };
  const QString path = bankFolder_.filePath(QStringLiteral("refused.dat"));
  frmYHDZD* w = Open();
  session_.Modals().Then([&](QDialog& d) {
    auto& dialog = dynamic_cast<Dialog&>(d);
    for (const auto& file : files) {
      WriteFile(QStringLiteral("refused.dat"), file.file);
      for (const auto& change : changes) {
        SCOPED_TRACE(std::string(file.name) + ", " + change.name);
        dialog.SetFile(good);
        ASSERT_TRUE(dialog.cmdImport()->isEnabled());
        dialog.SetFile(path);
        const QString why = dialog.lblProblem()->text();
        EXPECT_TRUE(why.startsWith(suite::ImportText(QString::fromLatin1(file.key)))) << why.toStdString();
        change.change(dialog);
        EXPECT_FALSE(dialog.cmdImport()->isEnabled());
        EXPECT_EQ(dialog.lblProblem()->text(), why);
        dialog.cmdImport_Click();
        EXPECT_EQ(Lines(), 0);
      }
    }
  });
  w->Toolbar1_ButtonClick(QStringLiteral("import"));
  EXPECT_EQ(Lines(), 0);
}

// Each control of the sheet changed alone, to every other choice it offers,
// after each kind of refusal: Import stays disabled with the reason read at
// first, and writes nothing.
TEST_P(ImportTest, NoControlChangedAloneLiftsWhatTheFileRefuses) {
  const QString good = WriteFile("good.csv", "date,number,debit,credit\n2026-07-01,A1,10.00,\n2026-07-02,A2,,20.00\n");
  const QString path = bankFolder_.filePath(QStringLiteral("refused.dat"));
  frmYHDZD* w = Open();
  session_.Modals().Then([&](QDialog& d) {
    auto& dialog = dynamic_cast<Dialog&>(d);
    for (const RefusedFile& file : RefusedFiles()) {
      WriteFile(QStringLiteral("refused.dat"), file.file);
      dialog.SetFile(good);  // so that the controls hold columns of their own
      dialog.SetFile(path);
      for (const ControlChange& change : ControlChanges(dialog, file.file.count('\n') + 1, true)) {
        SCOPED_TRACE(std::string(file.name) + ", " + change.name.toStdString());
        dialog.SetFile(good);
        dialog.SetFile(path);
        const QString why = dialog.lblProblem()->text();
        ASSERT_TRUE(why.startsWith(suite::ImportText(QString::fromLatin1(file.key)))) << why.toStdString();
        change.apply(dialog);
        EXPECT_FALSE(dialog.cmdImport()->isEnabled());
        EXPECT_EQ(dialog.lblProblem()->text(), why);
        EXPECT_TRUE(dialog.lblProblem()->isVisibleTo(&dialog));
        dialog.cmdImport()->click();
        EXPECT_EQ(Lines(), 0);
        Exec("delete from " + Table() + " where " + KeyColumn() + "=? and ibegin=2", {Key()});
      }
    }
  });
  w->Toolbar1_ButtonClick(QStringLiteral("import"));
}

// Sheets the dialog reads right, each control of the layout and notation changed
// alone: what Import writes is always lines of the file as they stand in it. A
// change of the header box or the first data line keeps every column where it
// was found, so the lines it still reads are read as before.
TEST_P(ImportTest, ALayoutChangeNeverChangesWhatALineSays) {
  struct FileLine {
    int lineNo;
    const char* number;
    int debit;
    qint64 cents;
  };
  const QDate d1(2026, 7, 1), d2(2026, 7, 2);
  const std::vector<FileLine> tenOut20In{{2, "A1", 1, 1000}, {3, "A2", 0, 2000}};
  const struct {
    const char* name;
    QByteArray file;
    std::vector<FileLine> lines;  // of July 1st and 2nd, in this order
  } sheets[] = {
      {"debit and credit columns", "date,number,debit,credit\n2026-07-01,A1,10.00,\n2026-07-02,A2,,20.00\n", tenOut20In},
      {"signed amounts", "date,number,amount\n2026-07-01,A1,-10.00\n2026-07-02,A2,20.00\n", tenOut20In},
      {"semicolons and decimal commas", "date;number;amount\n2026-07-01;A1;-1.010,50\n2026-07-02;A2;20,00\n",
       {{2, "A1", 1, 101050}, {3, "A2", 0, 2000}}},
      {"amount and direction", "date,number,amount,direction\n2026-07-01,A1,10.00,D\n2026-07-02,A2,20.00,C\n", tenOut20In},
      {"balances that follow",
       "date,number,debit,credit,balance\n2026-07-01,A1,10.00,,90.00\n2026-07-02,A2,,20.00,110.00\n", tenOut20In},
      {"GB18030 below a preamble",
       QStringEncoder("GB18030").encode(QStringLiteral(
           "账号,1121\n日期,票号,借方金额,贷方金额,余额\n2026-07-01,A1,10.00,,90.00\n2026-07-02,A2,,20.00,110.00\n")),
       {{3, "A1", 1, 1000}, {4, "A2", 0, 2000}}},
  };
  const auto box = [](Dialog& d, int i) { return d.findChild<QComboBox*>(QStringLiteral("cboColumn%1").arg(i)); };
  const auto written = [this] {
    QStringList rows;
    for (const auto& r : Db().Query("select ddate, cn_id, bd_c, mmoney from " + Table() + " where " + KeyColumn() +
                                    "=? and ibegin=2", {Key()}).rows)
      rows << LineText(r[0].ToDate(), r[1].ToString(), static_cast<int>(r[2].ToInt()), r[3].ToMoney());
    rows.sort();
    return rows;
  };
  frmYHDZD* w = Open();
  session_.Modals().Then([&](QDialog& d) {
    auto& dialog = dynamic_cast<Dialog&>(d);
    for (const auto& sheet : sheets) {
      const QString path = WriteFile(QStringLiteral("sheet.csv"), sheet.file);
      QStringList all;  // the file's lines, as each is written when read right
      for (size_t i = 0; i < sheet.lines.size(); ++i)
        all << LineText(i == 0 ? d1 : d2, sheet.lines[i].number, sheet.lines[i].debit, Money::FromCents(sheet.lines[i].cents));
      dialog.SetFile(path);
      ASSERT_TRUE(dialog.cmdImport()->isEnabled()) << sheet.name;
      for (const ControlChange& change : ControlChanges(dialog, sheet.file.count('\n') + 1, false)) {
        SCOPED_TRACE(std::string(sheet.name) + ", " + change.name.toStdString());
        dialog.SetFile(path);
        std::vector<int> mapped;  // the column each mapping box holds, as read
        for (int i = 0; i < 8; ++i) mapped.push_back(box(dialog, i)->currentData().toInt());
        change.apply(dialog);
        // Every column found stays mapped where it was, shown under a name or number.
        for (int i = 0; i < 8 && change.kind != ControlChange::Notation; ++i) {
          EXPECT_EQ(box(dialog, i)->currentData().toInt(), mapped[static_cast<size_t>(i)]) << i;
          EXPECT_FALSE(box(dialog, i)->currentText().isEmpty()) << i;
        }
        if (change.kind == ControlChange::Layout) {
          QStringList expected, accepted;
          for (size_t i = 0; i < sheet.lines.size(); ++i)
            if (sheet.lines[i].lineNo >= dialog.spnFirstLine()->value()) expected << all[static_cast<qsizetype>(i)];
          for (const auto& l : dialog.Accepted()) accepted << LineText(l.date, l.number, l.bd_c.value_or(-1), *l.amount);
          EXPECT_EQ(accepted, expected);
        }
        const bool offered = dialog.cmdImport()->isEnabled();
        dialog.cmdImport()->click();
        const QStringList rows = written();
        EXPECT_EQ(rows.isEmpty(), !offered);
        for (const QString& row : rows) EXPECT_TRUE(all.contains(row)) << row.toStdString();
        Exec("delete from " + Table() + " where " + KeyColumn() + "=? and ibegin=2", {Key()});
      }
    }
  });
  w->Toolbar1_ButtonClick(QStringLiteral("import"));
}

// A refused line shows its own text in the file beside the reason, whatever the
// file's format and encoding.
TEST_P(ImportTest, ARefusedLineShowsItsTextAndReason) {
  using M = suite::ImportPreviewModel;
  const struct {
    const char* name;
    QByteArray file;
    int lineNo;
    QString text;
    QString reason;
  } rows[] = {
      {"sheet, a date that does not fit", "date,number,amount\r\n2026-07-01,A1,5.00\r\n2026-07-32,A2,6.00\r\n", 3,
       "2026-07-32,A2,6.00", suite::ImportTextWith("corvane.import.baddate", {"2026-07-32", "yyyy-MM-dd"})},
      {"sheet, an amount that does not fit, no thousands separator", "date,number,amount\n2026-07-01,A1,5.00\n2026-07-02,A2,1x.45\n",
       3, "2026-07-02,A2,1x.45",
       suite::ImportTextWith("corvane.import.amount.format", {"1x.45", ".", suite::ImportText("corvane.import.sep.none")})},
      {"sheet in GB18030, no amount",
       QStringEncoder("GB18030").encode(QStringLiteral("日期,摘要,金额\n2026-07-01,备用金,5.00\n2026-07-02,货款,\n")), 3,
       QStringLiteral("2026-07-02,货款,"), suite::ImportText("corvane.import.noamount")},
      {"mt940, a field that cannot be read",
       ":20:S1\n:60F:C260701CNY1000,00\n:61:2607030703C100,00NTRFREF1\n:61:260704D5O,00NMSC\n:62F:C260731CNY1100,00\n", 4,
       ":61:260704D5O,00NMSC", suite::ImportTextWith("corvane.import.field", {"260704D5O,00NMSC"})},
      // Read, then refused by the checks before writing: one row still, with its values.
      {"sheet, an amount above a line's limit", "date,number,amount\n2026-07-01,A1,5.00\n2026-07-02,A2,10000000000.00\n", 3,
       "2026-07-02,A2,10000000000.00", suite::ImportText("corvane.import.amounttoolarge")},
  };
  Open();
  session_.Modals().Then([&](QDialog& d) {
    auto& dialog = dynamic_cast<suite::StatementImportDialog&>(d);
    for (const auto& row : rows) {
      SCOPED_TRACE(row.name);
      dialog.SetFile(WriteFile(QStringLiteral("refused.dat"), row.file));
      const M& p = dialog.Preview();
      int found = -1, rows = 0;
      for (int r = 0; r < p.rowCount(); ++r)
        if (p.Cell(r, M::Line) == QString::number(row.lineNo)) found = r, ++rows;
      ASSERT_EQ(rows, 1);
      const auto shown = [&](int column, int role) { return p.data(p.index(found, column), role).toString(); };
      EXPECT_EQ(shown(M::Text, Qt::DisplayRole), row.text);
      EXPECT_EQ(shown(M::Verdict, Qt::DisplayRole), row.reason);
      EXPECT_EQ(shown(M::Verdict, Qt::ToolTipRole), row.reason);  // whole, where the column cuts it
      EXPECT_FALSE(dialog.tblPreview()->isColumnHidden(M::Text));
      for (int r = 0; r < p.rowCount(); ++r)  // lines read right need no text
        if (r != found) EXPECT_EQ(p.Cell(r, M::Text), QString());
    }
    EXPECT_EQ(dialog.Preview().headerData(M::Text, Qt::Horizontal, Qt::DisplayRole).toString(),
              suite::ImportText("corvane.import.col.text"));
    dialog.SetFile(WriteFile(QStringLiteral("refused.dat"), "date,number,amount\n2026-07-01,A1,5.00\n"));
    EXPECT_TRUE(dialog.tblPreview()->isColumnHidden(M::Text));  // no line refused: no room taken
  });
  shared::Session::Current().windows.Find<frmYHDZD>()->Toolbar1_ButtonClick(QStringLiteral("import"));
}

// The field separator guessed is shown with the other guesses and in its box;
// another one read the sheet into other columns, and the guessed one again as
// first read.
TEST_P(ImportTest, TheSeparatorGuessedIsShownAndCanBeChanged) {
  const struct {
    const char* name;
    const char* sheet;
    const char* guessed;
    const char* other;
  } rows[] = {
      {"comma", "date,number,amount\n2026-07-01,A1,5.00\n2026-07-02,A2,-6.00\n", ",", ";"},
      {"semicolon", "date;number;amount\n2026-07-01;A1;5,00\n2026-07-02;A2;-6,00\n", ";", "\t"},
      {"tab", "date\tnumber\tamount\n2026-07-01\tA1\t5.00\n2026-07-02\tA2\t-6.00\n", "\t", ","},
  };
  Open();
  session_.Modals().Then([&](QDialog& d) {
    auto& dialog = dynamic_cast<suite::StatementImportDialog&>(d);
    QComboBox* box = dialog.cboDelimiter();
    for (const auto& row : rows) {
      SCOPED_TRACE(row.name);
      dialog.SetFile(WriteFile(QStringLiteral("sheet.csv"), row.sheet));
      EXPECT_EQ(box->currentData().toString(), row.guessed);
      EXPECT_TRUE(dialog.findChild<QLabel*>(QStringLiteral("lblGuess"))->text().contains(box->currentText()));
      EXPECT_EQ(dialog.Accepted().size(), 2u);
      box->setCurrentIndex(box->findData(QString::fromLatin1(row.other)));
      EXPECT_EQ(dialog.Accepted().size(), 0u);  // one column: no date, no amount
      EXPECT_FALSE(dialog.cmdImport()->isEnabled());
      box->setCurrentIndex(box->findData(QString::fromLatin1(row.guessed)));
      ASSERT_EQ(dialog.Accepted().size(), 2u);
      EXPECT_EQ(dialog.Accepted()[1].amount, Money::FromCents(600));
      EXPECT_EQ(dialog.Accepted()[1].bd_c, 1);
    }
  });
  shared::Session::Current().windows.Find<frmYHDZD>()->Toolbar1_ButtonClick(QStringLiteral("import"));
}

// The lines written to the account (or book): "date|style|number", sorted.
QStringList WrittenStyles(platform::DbConnection& db, const QString& sql, const QString& key) {
  QStringList rows;
  for (const auto& r : db.Query(sql, {key}).rows)
    rows << r[0].ToDate().toString(Qt::ISODate) + '|' + (r[1].IsNull() ? QString() : r[1].ToString().trimmed()) + '|' +
                r[2].ToString();
  rows.sort();
  return rows;
}

// A header written with the dialog's own captions, in either language and as a
// user types them, maps each column to the box of its caption; Import then
// writes each line with its settlement style.
TEST_P(ImportTest, AHeaderOfTheDialogsCaptionsMapsEachColumn) {
  const char* sides = "2026-07-01,201,A1,10.00,,990.00\n2026-07-02,202,A2,,20.00,1010.00\n";
  const char* marks = "2026-07-01,201,A1,10.00,D,990.00\n2026-07-02,202,A2,20.00,C,1010.00\n";
  const struct {
    const char* name;
    const char* header;
    const char* lines;
    std::array<int, 8> boxes;  // date, style, number, debit, credit, amount, direction, balance
  } rows[] = {
      {"English", "Date,Settlement,Number,Debit,Credit,Balance", sides, {0, 1, 2, 3, 4, -1, -1, 5}},
      {"English as typed", " date , SETTLEMENT ,number,DEBIT, credit ,Balance", sides, {0, 1, 2, 3, 4, -1, -1, 5}},
      {"Chinese", "日期,结算方式,票号,借方金额,贷方金额,余额", sides, {0, 1, 2, 3, 4, -1, -1, 5}},
      {"English, amount and direction", "Date,Settlement,Number,Amount (positive: money in),Debit/credit,Balance", marks,
       {0, 1, 2, -1, -1, 3, 4, 5}},
      {"Chinese, amount and direction", "日期,结算方式,票号,金额(正数为收入),借贷方向,余额", marks, {0, 1, 2, -1, -1, 3, 4, 5}},
  };
  const QString written = "select ddate, csettle, cn_id from " + Table() + " where " + KeyColumn() + "=? and ibegin=2";
  frmYHDZD* w = Open();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Exec("delete from " + Table() + " where " + KeyColumn() + "=? and ibegin=2", {Key()});
    const QString path = WriteFile("captions.csv", QByteArray(row.header) + '\n' + row.lines);
    std::array<int, 8> boxes{};
    session_.Modals().Then([&](QDialog& d) {
      auto& dialog = dynamic_cast<Dialog&>(d);
      dialog.SetFile(path);
      for (int i = 0; i < 8; ++i)
        boxes[static_cast<size_t>(i)] = dialog.findChild<QComboBox*>(QStringLiteral("cboColumn%1").arg(i))->currentData().toInt();
      dialog.cmdImport()->click();
    });
    w->Toolbar1_ButtonClick(QStringLiteral("import"));
    EXPECT_EQ(boxes, row.boxes);
    EXPECT_EQ(WrittenStyles(Db(), written, Key()), QStringList({"2026-07-01|201|A1", "2026-07-02|202|A2"}));
  }
}

// Import takes a settlement style whole: its code ("301 电汇" is 301) must be a
// style of the suite, never cut to keying's three bytes ("2021" is not "202"). A
// line of another style is refused with keying's reason and not written; with the
// style column unmapped every line comes in without a style.
TEST_P(ImportTest, ALineOfAStyleTheSuiteDoesNotKnowIsRefusedAsKeyingRefusesIt) {
  const QString path = WriteFile("styles.csv",
                                 "date,settlement,number,debit,credit\n"
                                 "2026-07-01,201,A1,10.00,\n"
                                 "2026-07-02,999,A2,,20.00\n"
                                 "2026-07-03,301 电汇,A3,5.00,\n"
                                 "2026-07-04,电汇,A4,,6.00\n"
                                 "2026-07-05, 202 ,A5,,7.00\n"
                                 "2026-07-06,,A6,8.00,\n"
                                 "2026-07-07,2021,A7,9.00,\n");
  const QString unknown = suite::ImportText(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.baltypeerr"));
  const QStringList all{"2026-07-01||A1", "2026-07-02||A2", "2026-07-03||A3",
                        "2026-07-04||A4", "2026-07-05||A5", "2026-07-06||A6", "2026-07-07||A7"};
  const struct {
    const char* name;
    bool unmapStyle;
    QStringList refused;  // the dialog's list of refused lines
    QStringList written;  // date|style|number
  } rows[] = {
      {"style mapped", false,
       {suite::LineRefusalText({3, "Q9.GL.ZWSQL.CASHBANK.baltypeerr", {}}),
        suite::LineRefusalText({5, "Q9.GL.ZWSQL.CASHBANK.baltypeerr", {}}),
        suite::LineRefusalText({8, "Q9.GL.ZWSQL.CASHBANK.baltypeerr", {}})},
       {"2026-07-01|201|A1", "2026-07-03|301|A3", "2026-07-05|202|A5", "2026-07-06||A6"}},
      {"style column unmapped", true, {}, all},
  };
  const QString written = "select ddate, csettle, cn_id from " + Table() + " where " + KeyColumn() + "=? and ibegin=2";
  frmYHDZD* w = Open();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Exec("delete from " + Table() + " where " + KeyColumn() + "=? and ibegin=2", {Key()});
    QStringList refused, verdicts;
    session_.Modals().Then([&](QDialog& d) {
      auto& dialog = dynamic_cast<Dialog&>(d);
      dialog.SetFile(path);
      if (row.unmapStyle) dialog.findChild<QComboBox*>(QStringLiteral("cboColumn1"))->setCurrentIndex(0);
      for (int i = 0; i < dialog.lstRefused()->count(); ++i) refused << dialog.lstRefused()->item(i)->text();
      for (int r = 0; r < dialog.Preview().rowCount(); ++r)
        if (dialog.Preview().Cell(r, suite::ImportPreviewModel::Verdict) == unknown)
          verdicts << dialog.Preview().Cell(r, suite::ImportPreviewModel::Line);
      dialog.cmdImport()->click();
    });
    w->Toolbar1_ButtonClick(QStringLiteral("import"));
    EXPECT_EQ(refused, row.refused);
    EXPECT_EQ(verdicts, row.unmapStyle ? QStringList() : QStringList({"3", "5", "8"}));
    EXPECT_EQ(WrittenStyles(Db(), written, Key()), row.written);
    EXPECT_EQ(Column(w, 2).filter(QStringLiteral("999")), QStringList());  // reloaded without it
  }
}

// A line dated where the window would refuse it keyed is refused from a file too.
TEST_P(ImportTest, LinesOutsideTheWindowsDatesAreRefusedWithTheirReasons) {
  const QString path = WriteFile("dates.csv", "date,number,debit,credit\n2026-06-30,A1,1.00,\n2026-07-01,A2,2.00,\n"
                                              "2026-12-31,A3,3.00,\n2027-01-01,A4,4.00,\n");
  QStringList listed;
  frmYHDZD* w = Open();
  session_.Modals().Then([&](QDialog& d) {
    auto& dialog = dynamic_cast<Dialog&>(d);
    dialog.SetFile(path);
    for (int i = 0; i < dialog.lstRefused()->count(); ++i) listed << dialog.lstRefused()->item(i)->text();
    dialog.cmdImport_Click();
  });
  w->Toolbar1_ButtonClick(QStringLiteral("import"));
  EXPECT_EQ(listed, QStringList({suite::LineRefusalText({2, "corvane.import.beforestart", {"2026.06.30", "2026.07.01"}}),
                                 suite::LineRefusalText({5, "corvane.import.afterlastday", {"2027.01.01", "2026.12.31"}})}));
  EXPECT_EQ(Lines(), 2);
}

// An OFX statement gives a closing balance and no opening one, and says no more.
TEST_P(ImportTest, TheBalanceSentenceOfAnOfxFileSaysOnlyWhatWasChecked) {
  frmYHDZD* w = Open();
  session_.Modals().Then([](QDialog& d) {
    auto& dialog = dynamic_cast<Dialog&>(d);
    dialog.SetFile(Sample("ofx1.ofx"));
    EXPECT_EQ(dialog.lblBalance()->text(), suite::ImportTextWith("corvane.import.balance.closingonly", {"14", "", "2,379.65", "2,379.65", "3,379.65", "14"}));
  });
  w->Toolbar1_ButtonClick(QStringLiteral("import"));
}

INSTANTIATE_TEST_SUITE_P(Modes, ImportTest, ::testing::Bool(), ModeName);

}  // namespace
}  // namespace corvane::statement
