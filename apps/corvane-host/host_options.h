#pragma once

#include <QDate>
#include <QProcessEnvironment>
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
  std::optional<bool> bookMode;  // set: the mode of this run, whatever the account set's setting says
  QString menu;             // a function to open at start
  QString screenshot;       // write a picture of the windows to this file and quit
  QString traceFile;
  bool passwordInDatabase = false;  // --db carries a password (visible to every user)
};

// Why the host cannot show its windows in this environment (no display and no Qt
// platform chosen), with how to run it offscreen; nothing when it can.
std::optional<QString> DisplayProblem(const QProcessEnvironment& env);

// Reads the command line; an error text when it cannot (the usage text for --help).
// Needs no application object, so it answers without a display.
std::optional<HostOptions> ParseHostOptions(const QStringList& arguments, QString& error);
