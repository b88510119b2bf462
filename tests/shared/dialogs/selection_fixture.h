#pragma once

#include "dialog_fakes.h"
#include "test_database.h"

#include "shared/frm_yhkmxz.h"
#include "shared/session.h"

#include <QDate>
#include <memory>

namespace corvane::testing {

// The selection dialog over a test database holding the bank accounts and books
// a test adds.
class SelectionTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    db = std::make_unique<TestDatabase>();
    common->connection = &db->Connection();
    // The suite's tables when the installed schema lacks them; only the columns
    // the lists read.
    db->Connection().Execute(QStringLiteral(
        "create table if not exists code (ccode varchar(40) primary key, ccode_name varchar(100),"
        " be smallint, bend smallint)"));
    db->Connection().Execute(QStringLiteral(
        "create table if not exists RP_Book (cbookcode varchar(30) primary key, cbookname varchar(100),"
        " ibooktype smallint, dopendate date, bcloseflag smallint)"));
  }

  void TearDown() override {
    DialogTest::TearDown();
    db.reset();
  }

  void AddAccount(const QString& code, const QString& name, int be = 1, int bend = 1) {
    db->Connection().Execute(QStringLiteral("insert into code (ccode, ccode_name, be, bend) values (?,?,?,?)"),
                             {code, name, be, bend});
  }

  // A bank book in the table and in the cash services.
  void AddBook(const QString& code, const QString& name, const QString& account, int type = 2,
               bool opened = true, bool closed = false, const QString& currency = QString()) {
    db->Connection().Execute(
        QStringLiteral("insert into RP_Book (cbookcode, cbookname, ibooktype, dopendate, bcloseflag)"
                       " values (?,?,?,?,?)"),
        {code, name, type, opened ? QDate(2026, 1, 1) : QDate(), closed ? 1 : 0});
    platform::BookInfo book;
    book.BookCode = code;
    book.BookName = name;
    book.AccountCode = account;
    book.BankAccountNo = QStringLiteral("6222-") + code;
    book.CurrencyName = currency;
    cash->books[code] = book;
  }

  void UseBookMode() { shared::Session::Current().gBookMode = 1; }

  static shared::frmYHKMXZ& Dialog() { return shared::frmYHKMXZ::Instance(); }

  std::unique_ptr<TestDatabase> db;
};

}  // namespace corvane::testing
