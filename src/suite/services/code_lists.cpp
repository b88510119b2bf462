#include "suite/services/code_lists.h"

#include "platform/db/db_connection.h"

#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>

namespace corvane::suite {

QStringList CodeLists::SettleStyleEntries() {
  const platform::ResultSet r = connection_.Query(
      QStringLiteral("select cSSCode, cSSName from settlestyle where bSSEnd = 1 order by cSSCode"));
  QStringList entries;
  for (const auto& row : r.rows) {
    const QString code = row[0].ToString().trimmed();
    const QString name = row[1].ToString().trimmed();
    entries << (name.isEmpty() ? code : code + QLatin1Char(' ') + name);
  }
  return entries;
}

bool CodeLists::SettleStyleExists(const QString& code) {
  const QString c = code.trimmed();
  if (c.isEmpty()) return false;
  return !connection_.QueryValue(QStringLiteral("select 1 from settlestyle where cSSCode = ?"), {c}).IsNull();
}

QString CodeLists::CodeOfEntry(const QString& entryText) {
  const QString t = entryText.trimmed();
  const qsizetype blank = t.indexOf(QLatin1Char(' '));
  return blank < 0 ? t : t.left(blank);
}

QStringList CodeLists::VoucherSignEntries(QStringList* names) {
  const platform::ResultSet r =
      connection_.Query(QStringLiteral("select csign, ctext from dsign order by isignseq"));
  QStringList entries;
  for (const auto& row : r.rows) {
    entries << row[0].ToString().trimmed();
    if (names) *names << row[1].ToString().trimmed();
  }
  return entries;
}

bool CodeLists::GetVoucherSign(const QString& sign, platform::VoucherSignInfo& info) {
  const QString s = CodeOfEntry(sign);
  if (s.isEmpty()) return false;
  const platform::ResultSet r =
      connection_.Query(QStringLiteral("select csign, ctext, isignseq from dsign where csign = ?"), {s});
  if (r.rows.empty()) return false;
  info.Sign = r.rows[0][0].ToString().trimmed();
  info.Name = r.rows[0][1].ToString().trimmed();
  info.SignSeq = static_cast<int>(r.rows[0][2].ToInt());
  return true;
}

void CodeLists::FillControl(QWidget* control, bool combo, const QStringList& entries, const QStringList& toolTips) {
  if (auto* box = qobject_cast<QComboBox*>(control)) {
    const QSignalBlocker quiet(box);
    box->clear();
    if (combo) box->addItem(QString());
    for (qsizetype i = 0; i < entries.size(); ++i) {
      box->addItem(entries[i]);
      if (i < toolTips.size()) box->setItemData(box->count() - 1, toolTips[i], Qt::ToolTipRole);
    }
    box->setCurrentIndex(0);
  } else if (auto* list = qobject_cast<QListWidget*>(control)) {
    const QSignalBlocker quiet(list);
    list->clear();
    for (qsizetype i = 0; i < entries.size(); ++i) {
      auto* item = new QListWidgetItem(entries[i], list);
      if (i < toolTips.size()) item->setToolTip(toolTips[i]);
    }
  }
}

}  // namespace corvane::suite
