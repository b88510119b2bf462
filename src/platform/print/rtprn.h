#pragma once

#include "platform/print/page_setup_control.h"
#include "platform/print/report_job.h"

#include <QStringList>

namespace corvane::platform {

// The report control a report window carries (named "RTPrn1"): page set-up (its
// base) and the report run. A window sets the members in the order its report
// procedure gives, then calls rtpPrint, rtpPreview or the rtpDataOut protocol;
// the run goes to the ReportEngine made through ObjectFactory, so a test's
// recording engine sees exactly what the window set. Settings stay on the
// control between runs, as the windows expect (they clear what they must).
//
// Nothing is thrown: a run gives the engine's result code, and an engine that
// cannot be made gives 1001.
//
// CallLog lists every member set or called, in order, as "member=value"
// ("rtpReportKind=1", "rtpGrid=MsGrid1", "rtpGrid=Nothing", "rtpSetMargin=10,10,10,10",
// "rtpPrint"), under the names of the first column below, so tests can check
// the order a procedure keeps.
//
// The statement and opening windows name the same members with type prefixes;
// both spellings are offered:
//   rtpOptionA      blnrtpOptionA        rtpGrid          objrtpBodyGrid
//   rtpGrid2        objrtpSecondBody     rtpDataFile      strrtpDatabase
//   rtpReportKind   intrtpReportKind     rtpHeadTemplate  strrtpHeadTemplate
//   rtpHeadTable    strrtpHeadTable      rtpTailTemplate  strrtpTailTemplate
//   rtpTailTable    strrtpTailTable      rtpOptionB       blnrtpOptionB
//   rtpOptionC      lngrtpOptionC        rtpOptionD       intrtpOptionD
//   rtpOptionE      blnrtpOptionE        rtpDataOut       rtpOutputColumn
class RTPrn : public PageSetupControl {
  Q_OBJECT

 public:
  static constexpr int kEngineCannotStart = 1001;
  // rtpDataOut indexes that open a field list and run the output.
  static constexpr int kDataOutOpen = -1;
  static constexpr int kDataOutRun = -2;

  explicit RTPrn(QWidget* owner = nullptr);

  void setRtpOptionA(bool on);
  void rtpSetOwner(QWidget* window);
  void setRtpGrid(QObject* grid);
  void setRtpGrid2(QObject* grid);
  void setRtpReportKind(int kind);
  void setRtpDataFile(const QString& file);
  void setRtpHeadTemplate(const QString& path);
  void setRtpHeadTable(const QString& table);
  void setRtpTailTemplate(const QString& path);
  void setRtpTailTable(const QString& table);
  void setRtpOptionB(bool on);
  void setRtpOptionC(int value);
  void setLngrtpPaperSize(qint32 paperNumber);
  // 1 portrait; any other value (the report outputs pass 0) landscape.
  void setLngrtpPaperOrient(qint32 orientation);
  void rtpSetMargin(qint32 left, qint32 top, qint32 right, qint32 bottom);
  void setRtpOptionD(int value);
  void setRtpOptionE(bool on);

  qint32 rtpPrint();
  qint32 rtpPreview();
  // index -1: opens a list of `width` fields; 0..n-1: declares field `index`
  // (caption, type 5 amount / 8 date / 10 text, width); -2: runs the output of
  // rtpGrid and gives its result. Declarations give 0.
  qint32 rtpDataOut(qint32 index, const QString& caption, qint32 type, qint32 width);

  // The settings as the next run would get them.
  ReportJob Job() const { return job_; }
  const QStringList& CallLog() const { return calls_; }
  void ClearCallLog() { calls_.clear(); }

  // The other spelling of the members (see above).
  void setBlnrtpOptionA(bool on) { setRtpOptionA(on); }
  void setObjrtpBodyGrid(QObject* grid) { setRtpGrid(grid); }
  void setObjrtpSecondBody(QObject* grid) { setRtpGrid2(grid); }
  void setStrrtpDatabase(const QString& file) { setRtpDataFile(file); }
  void setIntrtpReportKind(int kind) { setRtpReportKind(kind); }
  void setStrrtpHeadTemplate(const QString& path) { setRtpHeadTemplate(path); }
  void setStrrtpHeadTable(const QString& table) { setRtpHeadTable(table); }
  void setStrrtpTailTemplate(const QString& path) { setRtpTailTemplate(path); }
  void setStrrtpTailTable(const QString& table) { setRtpTailTable(table); }
  void setBlnrtpOptionB(bool on) { setRtpOptionB(on); }
  void setLngrtpOptionC(int value) { setRtpOptionC(value); }
  void setIntrtpOptionD(int value) { setRtpOptionD(value); }
  void setBlnrtpOptionE(bool on) { setRtpOptionE(on); }
  qint32 rtpOutputColumn(qint32 index, const QString& caption, qint32 type, qint32 width) {
    return rtpDataOut(index, caption, type, width);
  }

 private:
  enum class Verb { Print, Preview, DataOut };
  qint32 Run(Verb verb);
  void Log(const QString& member, const QString& value = QString());

  ReportJob job_;
  QStringList calls_;
  int declaredFields_ = -1;  // -1: no field list open
  bool fieldsInOrder_ = true;
};

}  // namespace corvane::platform
