#pragma once

#include <functional>

#include <QMargins>
#include <QObject>
#include <QPageLayout>
#include <QPointer>

class QDialog;
class QWidget;

namespace corvane::platform {

// The page set-up part of a report window's print control (the window names it
// "RTPrn1"). It holds the page a report prints on: the paper by its Windows
// number, the orientation (1 portrait, 2 landscape) and four margins in whole
// millimetres, in the order left, top, right, bottom.
//
// rtpPageSetup shows the page dialog modally and reports the choice as one code,
// paper + 65536 × orientation, or -1 when the user cancelled.
class PageSetupControl : public QObject {
  Q_OBJECT

 public:
  static constexpr qint32 kCancelled = -1;
  static constexpr qint32 kOrientationUnit = 65536;

  // owner: the window the dialog belongs to; also the QObject parent.
  explicit PageSetupControl(QWidget* owner = nullptr);

  qint32 lngrtpPaperSize() const { return paperSize_; }
  void setLngrtpPaperSize(qint32 paperNumber) { paperSize_ = paperNumber; }
  qint32 lngrtpPaperOrient() const { return orientation_; }
  // 1 portrait; any other value landscape (report outputs pass 0 for it).
  void setLngrtpPaperOrient(qint32 orientation) { orientation_ = orientation == 1 ? 1 : 2; }

  void rtpSetMargin(qint32 left, qint32 top, qint32 right, qint32 bottom);
  void rtpGetMargin(qint32& left, qint32& top, qint32& right, qint32& bottom) const;

  virtual qint32 rtpPageSetup();

  // The page as Qt's printing classes take it.
  QPageLayout PageLayout() const;

  // Gives the page dialog the session's captions before it shows (set once by the
  // component at log-in; none leaves the design captions).
  static void SetDialogLocalizer(std::function<void(QDialog&)> localizer);

 private:
  QPointer<QWidget> owner_;
  qint32 paperSize_;
  qint32 orientation_ = 1;
  QMargins margins_{15, 15, 15, 15};
};

}  // namespace corvane::platform
