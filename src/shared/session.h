#pragma once

#include "platform/db/db_connection.h"
#include "platform/services/cash_services.h"
#include "platform/services/common_services.h"
#include "platform/services/login_context.h"
#include "platform/services/ui_style_service.h"
#include "shared/window_registry.h"

#include <QColor>
#include <QString>
#include <memory>

namespace corvane::shared {

// The session state: written by the start-up of Login, read by every window.
// One object per process, since the component runs on the host's one
// user-interface thread. The g-names are those every part of the component
// knows them by.
struct Session {
  platform::LoginContext* gLogin = nullptr;
  std::unique_ptr<platform::CommonServices> gCommonServices;
  std::unique_ptr<platform::CashServices> gCashServices;
  std::unique_ptr<platform::UiStyleService> gUiStyle;

  // 0 account mode (code, gl_accvouch, rp_bankrecp by ccode); non-zero book mode
  // (RP_Book, RP_Flow, rp_bankrecp_rp by cBookCode).
  int gBookMode = 0;
  QString gProduct;
  QString gSysCode;

  QColor gColorLightGrey;
  QColor gColorLightRose;
  QColor gColorLightYellow;
  int gColWidthA = 0;  // twips: digest column of the enterprise opening items
  int gColWidthB = 0;  // twips: amount columns

  std::unique_ptr<platform::DbConnection> gPrintFormatDb;
  QString gPrintExTable;
  QString gPrintFormatPath;
  QString gHelpFile;  // the component's own help file

  // Set by the host before Login: the folder standing in for the system folder
  // (it holds ZQCOMSQL/Zqformat.db; empty: the user's application data folder),
  // and the application folder.
  QString systemFolder;
  QString applicationFolder;
  // The short date format whose text the start-up guard checks for "-": empty
  // for the system's (the locale's short date format, LC_TIME), or the format a
  // host that stands in for the system gives.
  QString dateTextFormat;

  WindowRegistry windows;

  bool BookMode() const { return gBookMode != 0; }
  // The services; CashServices and UiStyleService are created by their first user.
  platform::CommonServices& Common();
  platform::CashServices& Cash();
  platform::UiStyleService& UiStyle();
  platform::DbConnection& Db() { return Common().GetConnection(); }

  static Session& Current();
};

}  // namespace corvane::shared
