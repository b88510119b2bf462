#include "balance/balance_figures.h"

namespace corvane::balance {

using platform::Money;

QString AccountFacts::EndDateText() const {
  return end.isValid() ? end.toString(QStringLiteral("yyyy.MM.dd")) : QString();
}

BalanceFigures CombineSums(const RawSums& s, bool debit) {
  BalanceFigures f;
  f.bankCarried = debit ? s.bankOpening + s.bankClearedNet : s.bankOpening - s.bankClearedNet;
  f.journalCarried = s.journalOpening + s.journalClearedNet;
  f.bankBalance = debit ? f.bankCarried + s.bankLiveSigned : f.bankCarried - s.bankLiveSigned;
  f.journalBalance = f.journalCarried + s.journalLiveSigned;
  f.journalUnmatchedDebit = s.journalUnmatchedDebit;
  f.journalUnmatchedCredit = s.journalUnmatchedCredit;
  f.bankUnmatchedDebit = s.bankUnmatchedDebit;
  f.bankUnmatchedCredit = s.bankUnmatchedCredit;
  // What the bank received and the books have not is added on a debit account and
  // taken off a credit one.
  f.adjustedJournalBalance = debit ? f.journalBalance + s.bankUnmatchedDebit - s.bankUnmatchedCredit
                                   : f.journalBalance - s.bankUnmatchedDebit + s.bankUnmatchedCredit;
  f.adjustedBankBalance = f.bankBalance + s.journalUnmatchedDebit - s.journalUnmatchedCredit;
  f.balanced = platform::AmountsAgree(f.adjustedJournalBalance, f.adjustedBankBalance);
  return f;
}

QStringList StatementRowColumns(const AccountFacts& facts, const BalanceFigures& f, const QString& notBalancedText) {
  return {facts.name + QLatin1Char('(') + facts.code + QLatin1Char(')'),
          facts.EndDateText(),
          f.journalBalance.ToDisplayText(),
          f.bankBalance.ToDisplayText(),
          f.balanced ? f.adjustedJournalBalance.ToDisplayText() : notBalancedText,
          f.journalUnmatchedDebit.ToDisplayText(),
          f.journalUnmatchedCredit.ToDisplayText(),
          f.bankUnmatchedDebit.ToDisplayText(),
          f.bankUnmatchedCredit.ToDisplayText(),
          f.adjustedJournalBalance.ToDisplayText(),
          f.adjustedBankBalance.ToDisplayText()};
}

}  // namespace corvane::balance
