#include "platform/services/period_list.h"

#include <QComboBox>

namespace corvane::platform {

namespace {

// Marks the entry that bounds nothing; period entries carry no such data.
constexpr int kNoBoundRole = Qt::UserRole + 31;

}  // namespace

void PeriodList::AddNoBoundEntry(QComboBox* list, const QString& caption) {
  list->addItem(caption);
  list->setItemData(list->count() - 1, true, kNoBoundRole);
}

QString PeriodList::PeriodTextAt(const QComboBox* list, int index) {
  if (!list || index < 0 || index >= list->count()) return QString();
  if (list->itemData(index, kNoBoundRole).toBool()) return QString();
  return list->itemText(index);
}

QString PeriodList::ChosenPeriodText(const QComboBox* list) {
  return list ? PeriodTextAt(list, list->currentIndex()) : QString();
}

}  // namespace corvane::platform
