#include "import_fixture.h"

#include "platform/services/statement_line_writer.h"
#include "statement/frm_nb_import_cond.h"
#include "suite/import/import_texts.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <stdexcept>

namespace corvane::statement {
namespace {

// --- Internet banking (book mode) ----------------------------------------------------

// Book mode only: the command exists nowhere else.
class NetBankTest : public ImportTest {
 protected:
  // The bank's file of the book: two lines in July, one in August; its balances add up.
  NetBankTest() { WriteBankFile("3280.65"); }

  void WriteBankFile(const char* closing) {
    const char* entry = "<Ntry><Amt Ccy=\"CNY\">%1</Amt><CdtDbtInd>%2</CdtDbtInd><BookgDt><Dt>%3</Dt></BookgDt>"
                        "<AcctSvcrRef>%4</AcctSvcrRef></Ntry>";
    auto balance = [](const char* code, const char* amount) {
      return QStringLiteral("<Bal><Tp><CdOrPrtry><Cd>%1</Cd></CdOrPrtry></Tp><Amt Ccy=\"CNY\">%2</Amt>"
                            "<CdtDbtInd>CRDT</CdtDbtInd></Bal>").arg(code, amount);
    };
    const QString xml =
        "<?xml version=\"1.0\"?><Document xmlns=\"urn:iso:std:iso:20022:tech:xsd:camt.053.001.02\">"
        "<BkToCstmrStmt><Stmt><Id>2026-07</Id><Acct><Id><Othr><Id>1121 0501 0400 0987 6</Id></Othr></Id>"
        "<Ccy>CNY</Ccy></Acct>" + balance("OPBD", "1000.00") + balance("CLBD", closing) +
        QString::fromLatin1(entry).arg("2500.00", "CRDT", "2026-07-03", "BK-0001") +
        QString::fromLatin1(entry).arg("120.35", "DBIT", "2026-07-08", "BK-0002") +
        QString::fromLatin1(entry).arg("99.00", "DBIT", "2026-08-02", "BK-0003") + "</Stmt></BkToCstmrStmt></Document>";
    WriteFile("YH004-2026-07.xml", xml.toUtf8());
  }

  void ScriptDates(const QString& start, const QString& end) {
    session_.Modals().Then([start, end](QDialog& d) {
      auto& dialog = dynamic_cast<frmNBImportCond&>(d);
      dialog.txtStartDate()->setText(start);
      dialog.txtEndDate()->setText(end);
      dialog.cmdOK_Click();
    });
  }
};

TEST_P(NetBankTest, ARefusedFetchWritesNothingAndSaysWhy) {
  const struct {
    const char* name;
    const char* closing;  // of the bank's file
    const char* start;
    QString prompt;  // the start of the box shown
    QStringList figures;
  } rows[] = {
      {"bank file not adding up", "3000.00", "2026.07.01",
       suite::ImportTextWith(QStringLiteral("corvane.import.badbankfile"), {"YH004-2026-07.xml", ""}).trimmed(),
       {"3,280.65", "3,000.00"}},
  };
  frmYHDZD* w = Open();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    WriteBankFile(row.closing);
    ScriptDates(row.start, "2026.07.01");
    w->Toolbar1_ButtonClick(QStringLiteral("import1"));
    const QString shown = session_.Messages().LastPrompt();
    EXPECT_TRUE(shown.startsWith(row.prompt)) << shown.toStdString();
    for (const QString& figure : row.figures) EXPECT_TRUE(shown.contains(figure)) << shown.toStdString();
    EXPECT_EQ(Lines(), 0);
  }
}

// A fetch ends the dialog confirmed without a box of its own, also when the bank
// had no line, and the window loads again (it shows a line added meanwhile). It
// writes the bank's lines of the range (two in July, the August one is outside)
// to the book, open and undeleted.
TEST_P(NetBankTest, AFetchClosesConfirmedAndTheWindowReloads) {
  const struct {
    const char* name;
    const char* start;
    const char* end;
    long long fetched;
  } rows[] = {{"july", "2026.07.01", "2026.07.31", 2},
              {"nothing in the range", "2025.01.01", "2025.01.31", 0},
              {"start after the end", "2026.07.31", "2026.07.01", 0}};
  frmYHDZD* w = Open();
  long long before = 0;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    bool confirmed = false;
    QStringList focusChain;
    session_.Modals().Then([&](QDialog& d) {
      auto& dialog = dynamic_cast<frmNBImportCond&>(d);
      for (QWidget* f = dialog.txtStartDate(); focusChain.size() < 4; f = f->nextInFocusChain())
        if (f->focusPolicy() & Qt::TabFocus) focusChain << f->objectName();
      AddLine(QDate(2026, 7, 20), true, 5, 0, QStringLiteral("meanwhile"));
      dialog.txtStartDate()->setText(QString::fromLatin1(row.start));
      dialog.txtEndDate()->setText(QString::fromLatin1(row.end));
      dialog.cmdOK_Click();
      confirmed = dialog.bolConfirm && !dialog.isVisible();
    });
    session_.Messages().Clear();
    w->Toolbar1_ButtonClick(QStringLiteral("import1"));
    EXPECT_TRUE(confirmed);
    EXPECT_EQ(focusChain, QStringList({"txtStartDate", "ZqCommandButton1", "txtEndDate", "ZqCommandButton2"}));
    EXPECT_EQ(session_.Messages().Count(), 0);
    before += row.fetched + 1;
    EXPECT_EQ(Lines(), before);
    EXPECT_EQ(Count("select count(*) from rp_bankrecp_rp where cBookCode='YH004' and ccode='100204' and ibegin=2 and "
                    "bdelete=0 and mbalance=0 and iflag is null"),
              before);
    EXPECT_EQ(w->MsGrid1()->Rows(), before + 1);
  }
}

// A bank that delivers the lines a test gives it and records what it was asked.
class ScriptedBank : public platform::BankLineSource {
 public:
  struct Asked {
    QString accountNo;
    QDate start, end;
  };
  ScriptedBank(std::vector<platform::FetchedLine> lines, std::vector<Asked>& asked)
      : lines_(std::move(lines)), asked_(asked) {}
  bool FetchLines(const QString& bankAccountNo, const QDate& start, const QDate& end, const QString&,
                  std::vector<platform::FetchedLine>& lines, QString&) override {
    asked_.push_back({bankAccountNo, start, end});
    lines = lines_;
    return true;
  }

 private:
  std::vector<platform::FetchedLine> lines_;
  std::vector<Asked>& asked_;
};

// What the bank delivers is checked before anything is written: lines without a
// date, an amount above zero, a direction of 0 or 1, or with a style longer than
// the window's column are listed with their reasons and left out; a line the book
// holds already is written only when the user says so. The range goes to the bank
// as typed, a start after the end too.
TEST_P(NetBankTest, RefusedLinesAreListedAndDuplicatesWrittenOnlyWhenAsked) {
  const struct {
    const char* name;
    const char* start;
    const char* end;
    int answer;      // to the duplicates question
    long long added; // lines written
  } rows[] = {{"duplicate written", "2026.07.01", "2026.07.31", 6, 2},
              {"duplicate left out", "2026.07.31", "2026.07.01", 7, 1}};
  const auto line = [](QDate date, const char* settle, const char* number, int bdC, qint64 cents) {
    return platform::FetchedLine{date, QString::fromUtf8(settle), QString::fromLatin1(number), bdC, Money::FromCents(cents)};
  };
  const std::vector<platform::FetchedLine> delivered = {
      line(QDate(2026, 7, 3), "201", "BK-1", 0, 1000),  line(QDate(2026, 7, 4), "", "DUP", 1, 2000),
      line(QDate(), "201", "BK-3", 0, 3000),           line(QDate(2026, 7, 5), "", "BK-4", 1, 0),
      line(QDate(2026, 7, 6), "", "BK-5", 2, 5000),    line(QDate(2026, 7, 7), "现金支票现金支票现金支", "BK-6", 1, 6000)};
  QString refused = shared::GetResString(QStringLiteral("corvane.import.refused"), 4);
  for (const auto& [n, reason] : {std::pair{3, "nodate"}, {4, "noamount"}, {5, "nodirection"}, {6, "styletoolong"}})
    refused += QStringLiteral("\n%1: %2").arg(n).arg(shared::GetResString(QStringLiteral("corvane.import.") + reason));
  frmYHDZD* w = Open();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Exec("delete from rp_bankrecp_rp where cBookCode='YH004' and ibegin=2");
    AddLine(QDate(2026, 7, 4), true, 20, 0, QStringLiteral("DUP"));
    std::vector<ScriptedBank::Asked> asked;
    platform::StatementImportFactory::Instance().makeLineSource = [&] {
      return std::make_unique<ScriptedBank>(delivered, asked);
    };
    ScriptDates(row.start, row.end);
    session_.Messages().Clear();
    session_.Messages().Answer(1);
    session_.Messages().Answer(row.answer);
    w->Toolbar1_ButtonClick(QStringLiteral("import1"));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].accountNo, shared::Session::Current().Cash().GetBook(Key()).BankAccountNo);
    EXPECT_EQ((std::pair{asked[0].start, asked[0].end}),
              (std::pair{QDate::fromString(row.start, "yyyy.MM.dd"), QDate::fromString(row.end, "yyyy.MM.dd")}));
    EXPECT_EQ(Prompts(), QStringList({refused, shared::GetResString(QStringLiteral("corvane.import.duplicates.book"), 1)}));
    EXPECT_EQ(session_.Messages().Shown().at(1).buttons, 260);
    EXPECT_EQ(Lines(), 1 + row.added);
    EXPECT_EQ(Count("select count(*) from rp_bankrecp_rp where cBookCode='YH004' and cn_id in ('BK-1','DUP')"),
              1 + row.added);
  }
}

// A box left empty or holding no date stops OK with its message before the bank is
// asked; the start box is looked at first, and the dialog stays open.
TEST_P(NetBankTest, ADateTheBoxesCannotReadStopsOkBeforeTheBank) {
  const QString noStart = shared::GetResString(QStringLiteral("corvane.import.nostart"));
  const QString noEnd = shared::GetResString(QStringLiteral("corvane.import.noend"));
  const struct {
    const char* name;
    const char* start;
    const char* end;
    QStringList said;  // what the one box shown says (the box and the text of a bad date)
  } rows[] = {{"no start", "", "", {noStart}},
              {"start no date", "2026.13.01", "2026.07.31", {"开始", "2026.13.01"}},
              {"no end", "2026.07.01", " ", {noEnd}},
              {"end no date", "2026.07.01", "2026.07.32", {"结束", "2026.07.32"}}};
  frmYHDZD* w = Open();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    std::vector<ScriptedBank::Asked> asked;
    platform::StatementImportFactory::Instance().makeLineSource = [&] {
      return std::make_unique<ScriptedBank>(std::vector<platform::FetchedLine>{}, asked);
    };
    bool open = false;
    session_.Modals().Then([&](QDialog& d) {
      auto& dialog = dynamic_cast<frmNBImportCond&>(d);
      dialog.txtStartDate()->setText(QString::fromLatin1(row.start));
      dialog.txtEndDate()->setText(QString::fromLatin1(row.end));
      dialog.cmdOK_Click();
      open = dialog.isVisible() && !dialog.bolConfirm;
    });
    session_.Messages().Clear();
    w->Toolbar1_ButtonClick(QStringLiteral("import1"));
    EXPECT_TRUE(open);
    EXPECT_TRUE(asked.empty());
    ASSERT_EQ(Prompts().size(), 1);
    for (const QString& part : row.said) EXPECT_TRUE(Prompts()[0].contains(part)) << Prompts()[0].toStdString();
  }
}

TEST_P(NetBankTest, ABankLineOutsideTheWindowsDatesIsRefusedWithItsReason) {
  WriteFile("YH004.sta", ":20:S1\n:25:1121 0501 0400 0987 6\n:60F:C260601CNY1000,00\n:61:2606300630C100,00NTRFREF1//B1\n"
                         ":61:2607010701D20,00NTRFREF2//B2\n:61:2701010101C5,00NTRFREF3//B3\n:62F:C270131CNY1085,00\n");
  frmYHDZD* w = Open();
  ScriptDates(QStringLiteral("2026.06.01"), QStringLiteral("2027.01.31"));
  w->Toolbar1_ButtonClick(QStringLiteral("import1"));
  EXPECT_EQ(Prompts(), QStringList(shared::GetResString(QStringLiteral("corvane.import.refused"), 2) + "\n4: " +
                                   shared::GetResString(QStringLiteral("corvane.import.beforestart"), "2026.06.30", "2026.07.01") + "\n6: " +
                                   shared::GetResString(QStringLiteral("corvane.import.afterlastday"), "2027.01.01", "2026.12.31")));
  EXPECT_EQ(Lines(), 4);  // the three of the bank's other file, and one of this
}

INSTANTIATE_TEST_SUITE_P(Book, NetBankTest, ::testing::Values(true), ModeName);

}  // namespace
}  // namespace corvane::statement
