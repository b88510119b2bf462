#include "platform/print/rtprn.h"

#include "platform/print/report_engine.h"
#include "platform/services/object_factory.h"

#include <exception>

namespace corvane::platform {

namespace {

QString BoolText(bool on) { return on ? QStringLiteral("True") : QStringLiteral("False"); }

QString ObjectText(QObject* object) {
  if (!object) return QStringLiteral("Nothing");
  return object->objectName().isEmpty() ? QString::fromLatin1(object->metaObject()->className())
                                        : object->objectName();
}

}  // namespace

RTPrn::RTPrn(QWidget* owner) : PageSetupControl(owner) {
  job_.owner = owner;
  setObjectName(QStringLiteral("RTPrn1"));
}

void RTPrn::Log(const QString& member, const QString& value) {
  calls_.append(value.isNull() ? member : member + QLatin1Char('=') + value);
}

void RTPrn::setRtpOptionA(bool on) {
  job_.optionA = on;
  Log(QStringLiteral("rtpOptionA"), BoolText(on));
}

void RTPrn::rtpSetOwner(QWidget* window) {
  job_.owner = window;
  Log(QStringLiteral("rtpSetOwner"), ObjectText(window));
}

void RTPrn::setRtpGrid(QObject* grid) {
  job_.bodyGrid = grid;
  Log(QStringLiteral("rtpGrid"), ObjectText(grid));
}

void RTPrn::setRtpGrid2(QObject* grid) {
  job_.secondBody = grid;
  Log(QStringLiteral("rtpGrid2"), ObjectText(grid));
}

void RTPrn::setRtpReportKind(int kind) {
  job_.reportKind = kind;
  Log(QStringLiteral("rtpReportKind"), QString::number(kind));
}

void RTPrn::setRtpDataFile(const QString& file) {
  job_.dataFile = file;
  Log(QStringLiteral("rtpDataFile"), file);
}

void RTPrn::setRtpHeadTemplate(const QString& path) {
  job_.headTemplate = path;
  Log(QStringLiteral("rtpHeadTemplate"), path);
}

void RTPrn::setRtpHeadTable(const QString& table) {
  job_.headTable = table;
  Log(QStringLiteral("rtpHeadTable"), table);
}

void RTPrn::setRtpTailTemplate(const QString& path) {
  job_.tailTemplate = path;
  Log(QStringLiteral("rtpTailTemplate"), path);
}

void RTPrn::setRtpTailTable(const QString& table) {
  job_.tailTable = table;
  Log(QStringLiteral("rtpTailTable"), table);
}

void RTPrn::setRtpOptionB(bool on) {
  job_.optionB = on;
  Log(QStringLiteral("rtpOptionB"), BoolText(on));
}

void RTPrn::setRtpOptionC(int value) {
  job_.optionC = value;
  Log(QStringLiteral("rtpOptionC"), QString::number(value));
}

void RTPrn::setLngrtpPaperSize(qint32 paperNumber) {
  PageSetupControl::setLngrtpPaperSize(paperNumber);
  Log(QStringLiteral("lngrtpPaperSize"), QString::number(paperNumber));
}

void RTPrn::setLngrtpPaperOrient(qint32 orientation) {
  PageSetupControl::setLngrtpPaperOrient(orientation);
  Log(QStringLiteral("lngrtpPaperOrient"), QString::number(orientation));
}

void RTPrn::rtpSetMargin(qint32 left, qint32 top, qint32 right, qint32 bottom) {
  PageSetupControl::rtpSetMargin(left, top, right, bottom);
  Log(QStringLiteral("rtpSetMargin"), QStringLiteral("%1,%2,%3,%4").arg(left).arg(top).arg(right).arg(bottom));
}

void RTPrn::setRtpOptionD(int value) {
  job_.optionD = value;
  Log(QStringLiteral("rtpOptionD"), QString::number(value));
}

void RTPrn::setRtpOptionE(bool on) {
  job_.optionE = on;
  Log(QStringLiteral("rtpOptionE"), BoolText(on));
}

qint32 RTPrn::rtpPrint() {
  Log(QStringLiteral("rtpPrint"));
  return Run(Verb::Print);
}

qint32 RTPrn::rtpPreview() {
  Log(QStringLiteral("rtpPreview"));
  return Run(Verb::Preview);
}

qint32 RTPrn::rtpDataOut(qint32 index, const QString& caption, qint32 type, qint32 width) {
  Log(QStringLiteral("rtpDataOut"), QStringLiteral("%1,%2,%3,%4").arg(index).arg(caption).arg(type).arg(width));
  if (index == kDataOutOpen) {
    job_.fields.clear();
    declaredFields_ = width;
    fieldsInOrder_ = width >= 0;
    return kReportOk;
  }
  if (index == kDataOutRun) {
    const bool complete = declaredFields_ >= 0 && fieldsInOrder_ &&
                          static_cast<int>(job_.fields.size()) == declaredFields_;
    declaredFields_ = -1;
    if (!complete) return kReportDataFieldsWrong;
    return Run(Verb::DataOut);
  }
  // Fields come one by one, 0 to n-1; any other order is a mistake of the caller
  // that the run reports instead of outputting columns under the wrong captions.
  if (index != static_cast<int>(job_.fields.size())) fieldsInOrder_ = false;
  job_.fields.push_back(DataOutField{caption, type, width});
  return kReportOk;
}

qint32 RTPrn::Run(Verb verb) {
  ReportJob job = job_;
  job.paperSize = lngrtpPaperSize();
  job.orientation = lngrtpPaperOrient();
  qint32 left = 0, top = 0, right = 0, bottom = 0;
  rtpGetMargin(left, top, right, bottom);
  job.marginsMm = QMargins(left, top, right, bottom);
  try {
    const std::unique_ptr<ReportEngine> engine = ObjectFactory::Instance().CreateReportEngine();
    switch (verb) {
      case Verb::Print: return engine->Print(job);
      case Verb::Preview: return engine->Preview(job);
      case Verb::DataOut: return engine->DataOut(job);
    }
  } catch (const std::exception&) {
    // An engine that cannot be made or that fails inside is one result code for
    // the window, which tells the user; nothing crosses into the window's code.
  }
  return kEngineCannotStart;
}

}  // namespace corvane::platform
