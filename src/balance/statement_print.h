#pragma once

#include <QMap>
#include <QString>
#include <QVariant>
#include <vector>

class QObject;
class QWidget;

namespace corvane::balance {

class frmYETJB1;
class frmYHDZCX1;
class frmYETJB;
struct AccountStatement;

// The three report outputs of the balance statements through the window's report
// control "RTPrn1": the work rows are written into the print work database, the
// print format and page settings looked up, the control set in its fixed order,
// and the run's result told to the user. mode 1 prints, 2 previews.
void OutputStatementListReport(frmYETJB& window, int mode);
void OutputTwoSidedReport(frmYETJB1& window, int mode);
void OutputDetailReport(frmYHDZCX1& window, int mode);
// The two-sided statement as data: a four-column buffer grid through rtpDataOut.
void OutputTwoSidedData(frmYETJB1& window);

// The rows the outputs write, by column, for the tests and the outputs alike.
// The list's unit: one currency for every listed row names it; rows in different
// currencies are each in their own account's.
QMap<QString, QVariant> StatementListHeadRow(const std::vector<AccountStatement>& rows);
QMap<QString, QVariant> GridReportTailRow();
QMap<QString, QVariant> TwoSidedRow(const frmYETJB1& window);
QMap<QString, QVariant> DetailHeadRow(const frmYHDZCX1& window);

}  // namespace corvane::balance
