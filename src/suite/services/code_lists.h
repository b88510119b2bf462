#pragma once

#include "platform/services/records.h"

#include <QString>
#include <QStringList>

class QWidget;

namespace corvane::platform {
class DbConnection;
}

namespace corvane::suite {

// The settlement styles (settlestyle) and voucher types (dsign) as the windows
// pick them from lists.
class CodeLists {
 public:
  explicit CodeLists(platform::DbConnection& connection) : connection_(connection) {}

  // "code name" of every settlement style that can be booked (the leaves), by code.
  QStringList SettleStyleEntries();
  bool SettleStyleExists(const QString& code);
  // The code of an entry "code name"; a bare code stays as it is.
  static QString CodeOfEntry(const QString& entryText);

  // The voucher signs in their sequence; the entry is the sign itself, since the
  // grid cell keeps what is chosen and the sign is what is stored.
  QStringList VoucherSignEntries(QStringList* names = nullptr);
  bool GetVoucherSign(const QString& sign, platform::VoucherSignInfo& info);

  // Fills a combo box or a list widget (any other control is left alone). A combo
  // box gets an empty first entry, so that "no settlement style" can be chosen
  // and a list that starts at entry 0 selects nothing by chance. toolTips, when
  // given, go with the entries in order.
  static void FillControl(QWidget* control, bool combo, const QStringList& entries,
                          const QStringList& toolTips = {});

 private:
  platform::DbConnection& connection_;
};

}  // namespace corvane::suite
