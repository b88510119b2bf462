#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

// What the host program is started with.
struct HostOptions {
  QString database;         // connection string; SQLite file path or postgresql:// URI
  QString user = QStringLiteral("demo");
  QString userName = QStringLiteral("演示会计");
  QString accountSet = QStringLiteral("001");
  QDate loginDate;
  QString language = QStringLiteral("zh-CN");
  std::optional<bool> bookMode;  // set: stored as the account set's choice before the login
  QString menu;             // a function to open at start
  QString screenshot;       // write a picture of the windows to this file and quit
  QString traceFile;
};

// Reads the command line; an error text when it cannot.
std::optional<HostOptions> ParseHostOptions(const QStringList& arguments, QString& error);
