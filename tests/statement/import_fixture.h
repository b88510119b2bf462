#pragma once

// The statement window's imports: a session with the import objects registered
// over a bank folder of its own, and one file of each kind the dialog refuses.
#include "statement_fixture.h"

#include "suite/import/statement_import_dialog.h"
#include "suite/import/suite_statement_importer.h"

#include <QByteArray>
#include <QCheckBox>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <vector>

namespace corvane::statement {

inline QString Sample(const char* name) {
  return QStringLiteral(CORVANE_IMPORT_SAMPLES "/") + QLatin1String(name);
}

class ImportTest : public StatementTest {
 protected:
  ImportTest() { suite::RegisterImportObjects(nullptr, bankFolder_.path()); }
  ~ImportTest() override { suite::StatementImportDialog::progressHook = nullptr; }

  // The importer's dialog: this file (knowingly damaged or not), then Import.
  void ScriptImport(const QString& path, bool damaged = false) {
    session_.Modals().Then([path, damaged](QDialog& d) {
      auto& dialog = dynamic_cast<suite::StatementImportDialog&>(d);
      dialog.SetFile(path);
      dialog.chkDamaged()->setChecked(damaged);
      dialog.cmdImport_Click();
    });
  }

  // Writes a file of the bank folder; gives back its path.
  QString WriteFile(const QString& name, const QByteArray& bytes) {
    QFile f(bankFolder_.filePath(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
    return f.fileName();
  }

  // A file the dialog refuses as a whole, and the key of the refusal it shows.
  struct RefusedFile {
    const char* name;
    QByteArray file;
    const char* key;
  };

  // One of each kind of refusal: text not valid in its encoding (a flipped byte, a
  // character cut off by the end), balances that do not follow in every shape of
  // sheet, an MT940 statement not adding up or missing, camt and OFX cut short, and
  // bytes of no known format.
  static std::vector<RefusedFile> RefusedFiles() {
    QByteArray gb = QStringEncoder("GB18030").encode(
        QStringLiteral("日期,结算方式,票号,借方金额,贷方金额\n2026-07-01,电汇,A1,10.00,\n2026-07-02,电汇,A2,,20.00\n"));
    gb.replace(gb.indexOf("\xB5\xE7") + 1, 1, "\xFF");  // a flipped byte in the first "电"
    const QString cut = QStringLiteral("日期,票号,借方金额,贷方金额,摘要\n2026-07-01,A1,10.00,,电汇\n2026-07-02,A2,,20.00,货款");
    QFile camt(Sample("camt053.xml")), ofx(Sample("ofx1.ofx"));
    const QByteArray camtBytes = camt.open(QIODevice::ReadOnly) ? camt.readAll() : QByteArray();
    const QByteArray ofxBytes = ofx.open(QIODevice::ReadOnly) ? ofx.readAll() : QByteArray();
    return {
        {"sheet not in its encoding", gb, "corvane.import.encoding"},
        {"GB18030 sheet cut inside a character", QByteArray(QStringEncoder("GB18030").encode(cut)).chopped(1), "corvane.import.encoding"},
        {"UTF-8 sheet cut inside a character", cut.toUtf8().chopped(1), "corvane.import.encoding"},
        {"sheet balances not following",
         "date,number,debit,credit,balance\n2026-07-01,A1,10.00,,90.00\n2026-07-02,A2,,20.00,111.00\n",
         "corvane.import.damaged"},
        {"signed amounts, balances not following",
         "date,number,amount,balance\n2026-07-01,A1,-10.00,90.00\n2026-07-02,A2,20.00,111.00\n", "corvane.import.damaged"},
        {"semicolons and decimal commas, balances not following",
         "date;number;amount;balance\n2026-07-01;A1;-10,00;90,00\n2026-07-02;A2;20,00;111,00\n", "corvane.import.damaged"},
        {"amount and direction, balances not following",
         "date,number,amount,direction,balance\n2026-07-01,A1,10.00,D,90.00\n2026-07-02,A2,20.00,C,111.00\n",
         "corvane.import.damaged"},
        {"mt940 not adding up",
         ":20:S1\n:25:1121-0501-0400-0987-6\n:60F:C260701CNY1000,00\n:61:2607030703C100,00NTRFREF1//B1\n:62F:C260731CNY1200,00\n",
         "corvane.import.damaged"},
        {"mt940 without a statement", ":20:X\n:25:Y\n", "corvane.import.nostatement"},
        {"camt cut short", camtBytes.left(camtBytes.indexOf("<Ntry>") + 40), "corvane.import.xml"},
        {"ofx cut short", ofxBytes.left(ofxBytes.indexOf("</STMTTRN>") + 10), "corvane.import.ofx"},
        {"unrecognised", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 14), "corvane.import.unrecognised"},
    };
  }

  QTemporaryDir bankFolder_;
};

}  // namespace corvane::statement
