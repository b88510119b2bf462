#pragma once

#include "shared/frm_yhkmxz.h"
#include "shared/session.h"

#include <QComboBox>

namespace corvane::testing {

// Answers the account or book selection as a user going through every function
// would: the first account or book unless one is chosen, from the beginning (the
// start list's first entry) to the last period, confirmed.
inline void ChooseFirstForTheWholeRange(shared::frmYHKMXZ& choose) {
  const bool book = shared::Session::Current().BookMode();
  QComboBox* start = book ? choose.cmbStartDate() : choose.Combo2();
  QComboBox* end = book ? choose.cmbEndDate() : choose.Combo3();
  QComboBox* list = book ? choose.cmbBook() : choose.Combo1();
  if (list->currentIndex() < 0 && list->count() > 0) list->setCurrentIndex(0);
  if (start->isVisibleTo(&choose) && start->count() > 0) start->setCurrentIndex(0);
  if (end->isVisibleTo(&choose) && end->count() > 0) end->setCurrentIndex(end->count() - 1);
  choose.Command1_Click();
}

}  // namespace corvane::testing
