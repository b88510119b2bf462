// What the printed head of each report says its amounts are in, run from the
// menu as a user runs it: the home currency keeps "amounts in yuan"; a foreign-
// currency account or book names its currency, in either language; the balance
// statement of all accounts names the one currency its rows share, or says each
// row is in its own account's.
#include "balance/frm_yetjb.h"
#include "balance/frm_yetjb1.h"
#include "balance/frm_yhdzcx1.h"
#include "host/menu_dispatcher.h"
#include "opening/frm_qyfqc.h"
#include "opening/frm_yhdzqc.h"
#include "opening/frm_yhfqc.h"
#include "platform/controls/list_grid.h"
#include "platform/db/db_connection.h"
#include "shared/frm_yhkmxz.h"
#include "shared/session.h"
#include "statement/frm_yhdzd.h"
#include "suite/services/suite_settings.h"
#include "support/scripted_print.h"
#include "support/suite_session.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <functional>
#include <gtest/gtest.h>

namespace corvane::host {
namespace {

using shared::Session;

struct Language {
  const char* id;
  const char* yuan;     // the home currency's head
  const char* dollars;  // the demo's US dollar account's or book's head
  const char* mixed;    // a list of rows in different currencies
};

const Language kLanguages[] = {
    {"zh-CN", "金额单位：元", "金额单位：美元", "金额单位：各行为其账户的币种"},
    {"en-US", "Amounts in yuan", "Amounts in 美元", "Amounts in each row's account currency"},
};

// The demo's home-currency and US dollar keys, by mode.
QString HomeKey(bool book) { return book ? QStringLiteral("YH001") : QStringLiteral("100201"); }
QString DollarKey(bool book) { return book ? QStringLiteral("YH003") : QStringLiteral("100203"); }

// The selection dialog's answer: `key` for the whole year.
testing::ScriptedModals::Step Choose(const QString& key) {
  return [key](QDialog& d) {
    auto& dialog = dynamic_cast<shared::frmYHKMXZ&>(d);
    const bool book = Session::Current().BookMode();
    QComboBox* list = book ? dialog.cmbBook() : dialog.Combo1();
    for (int i = 0; i < list->count(); ++i) {
      const QString code = book ? dialog.cmbBookCode()->itemText(i) : list->itemData(i).toString();
      if (code.compare(key, Qt::CaseInsensitive) == 0) list->setCurrentIndex(i);
    }
    if (QComboBox* start = book ? dialog.cmbStartDate() : dialog.Combo2()) start->setCurrentIndex(0);
    if (QComboBox* end = book ? dialog.cmbEndDate() : dialog.Combo3()) end->setCurrentIndex(end->count() - 1);
    dialog.Command1_Click();
  };
}

class ReportUnitTest : public ::testing::TestWithParam<std::tuple<bool, int>> {
 protected:
  bool Book() const { return std::get<0>(GetParam()); }
  const Language& Lang() const { return kLanguages[std::get<1>(GetParam())]; }

  void SetUp() override {
    // The print formats of the demo account set are kept on the server.
    suite::SuiteSettings(session_.Db(), QStringLiteral("001")).Set(QStringLiteral("LocalPrintFormats"), QStringLiteral("0"));
  }

  // The head's unit of the last report run, "" when nothing ran.
  QString LastUnit() const {
    return printing_.Runs().empty() ? QString() : printing_.Runs().back().headRow.value(QStringLiteral("P7")).toString();
  }

  // The bank statement of `key` (RP0304), previewed from its toolbar.
  QString StatementUnit(const QString& key) {
    session_.Modals().Then(Choose(key));
    ExecuteMenu(QStringLiteral("RP0304"), {}, {}, {});
    auto* w = Session::Current().windows.Find<statement::frmYHDZD>();
    if (!w) return QStringLiteral("no window");
    w->Toolbar1_ButtonClick(QStringLiteral("preview"));
    w->close();
    QApplication::processEvents();
    return LastUnit();
  }

  // An opening item window of `key` (RP0303, then its button), previewed.
  QString ItemsUnit(const QString& key, bool bankSide) {
    session_.Modals().Then(Choose(key));
    session_.Modals().Then([&](QDialog& d) {
      auto& setup = dynamic_cast<opening::frmYHDZQC&>(d);
      session_.Modals().Then([](QDialog& items) {
        dynamic_cast<opening::OpeningItemWindow&>(items).Toolbar1_ButtonClick(QStringLiteral("preview"));
      });
      setup.Command(bankSide ? 1 : 2)->click();
      setup.close();
    });
    ExecuteMenu(QStringLiteral("RP0303"), {}, {}, {});
    return LastUnit();
  }

  // The balance statement of all accounts (RP0306), printed from its menu; with a
  // key, the detailed statement of that row (view, then detail), previewed.
  QString ListUnit(const QString& detailKey = QString()) {
    ExecuteMenu(QStringLiteral("RP0306"), {}, {}, {});
    balance::frmYETJB* w = Session::Current().windows.Find<balance::frmYETJB>();
    if (!w) return QStringLiteral("no window");
    if (detailKey.isEmpty()) {
      w->rPrint();
    } else {
      for (int r = 1; r < w->MSGrid1()->Rows(); ++r)
        if (w->MSGrid1()->RowData(r).toString() == detailKey) w->MSGrid1()->SetCurrentCell(r, 0);
      session_.Modals().Then([](QDialog& d) {
        dynamic_cast<balance::frmYETJB1&>(d).Toolbar1_ButtonClick(QStringLiteral("detail"));
        if (auto* detail = Session::Current().windows.Find<balance::frmYHDZCX1>()) {
          detail->Toolbar1_ButtonClick(QStringLiteral("preview"));
          detail->close();
        }
      });
      w->Toolbar1_ButtonClick(QStringLiteral("view"));
    }
    w->close();
    QApplication::processEvents();
    return LastUnit();
  }

  // Takes every listed account or book but those `keep` accepts off the statement's
  // list; the returned step puts them back.
  std::function<void()> ListOnly(const std::function<bool(const QString& currency)>& keep) {
    const QString sql = Book() ? QStringLiteral("select cBookCode, coalesce(cexch_name, ''), dOpenDate from rp_book "
                                                "where ibooktype=2 and dOpenDate is not null")
                               : QStringLiteral("select ccode, coalesce(cexch_name, ''), bend from code "
                                                "where be=1 and bend=1");
    const QString drop = Book() ? QStringLiteral("update rp_book set dOpenDate=? where cBookCode=?")
                                : QStringLiteral("update code set bend=? where ccode=?");
    std::vector<std::pair<platform::DbValue, platform::DbValue>> dropped;  // the old value, the key
    for (const auto& row : session_.Db().Query(sql).rows) {
      if (keep(row[1].ToString().trimmed())) continue;
      dropped.emplace_back(row[2], row[0]);
      session_.Db().Execute(drop, {Book() ? platform::DbValue() : platform::DbValue(0), row[0]});
    }
    return [this, drop, dropped] {
      for (const auto& [old, key] : dropped) session_.Db().Execute(drop, {old, key});
    };
  }

  testing::SuiteSession session_{Book(), QDate(2026, 12, 15), QString::fromLatin1(Lang().id)};
  testing::ScriptedPrinting printing_;
};

TEST_P(ReportUnitTest, EachReportHeadNamesTheCurrencyItsAmountsAreIn) {
  const QString yuan = QString::fromUtf8(Lang().yuan), dollars = QString::fromUtf8(Lang().dollars);
  struct Case {
    const char* report;
    std::function<QString()> run;
    QString expected;
  };
  std::vector<Case> cases = {
      {"statement, home", [&] { return StatementUnit(HomeKey(Book())); }, yuan},
      {"statement, dollars", [&] { return StatementUnit(DollarKey(Book())); }, dollars},
      {"detailed statement, home", [&] { return ListUnit(HomeKey(Book())); }, yuan},
      {"detailed statement, dollars", [&] { return ListUnit(DollarKey(Book())); }, dollars},
      // The demo lists accounts in yuan and in dollars.
      {"statement list, mixed", [&] { return ListUnit(); }, QString::fromUtf8(Lang().mixed)},
  };
  // In book mode the item windows print through the grid print, whose head states no unit.
  if (!Book()) {
    for (bool bank : {true, false}) {
      const char* side = bank ? "bank items" : "journal items";
      cases.push_back({side, [&, bank] { return ItemsUnit(HomeKey(false), bank); }, yuan});
      cases.push_back({side, [&, bank] { return ItemsUnit(DollarKey(false), bank); }, dollars});
    }
  }
  for (const Case& c : cases) {
    const size_t runs = printing_.Runs().size();
    EXPECT_EQ(c.run().toStdString(), c.expected.toStdString()) << c.report;
    EXPECT_EQ(printing_.Runs().size(), runs + 1) << c.report;
  }
}

// The statement list's unit follows the rows it lists.
TEST_P(ReportUnitTest, TheStatementListNamesTheCurrencyItsRowsShare) {
  struct Case {
    const char* rows;
    std::function<bool(const QString&)> keep;
    const char* expected;
  };
  const Case cases[] = {
      {"dollars only", [](const QString& c) { return c == QStringLiteral("美元"); }, Lang().dollars},
      {"home only", [](const QString& c) { return c != QStringLiteral("美元"); }, Lang().yuan},
  };
  for (const Case& c : cases) {
    const std::function<void()> putBack = ListOnly(c.keep);
    EXPECT_EQ(ListUnit().toStdString(), std::string(c.expected)) << c.rows;
    putBack();
  }
}

INSTANTIATE_TEST_SUITE_P(ModesAndLanguages, ReportUnitTest,
                         ::testing::Combine(::testing::Bool(), ::testing::Values(0, 1)),
                         [](const ::testing::TestParamInfo<std::tuple<bool, int>>& info) {
                           return std::string(std::get<0>(info.param) ? "book_" : "account_") +
                                  (std::get<1>(info.param) ? "en" : "zh");
                         });

}  // namespace
}  // namespace corvane::host
