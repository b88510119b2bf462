#include "suite/resources/qt_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

namespace corvane::suite {

namespace {
std::unique_ptr<QTranslator>& Installed() {
  static std::unique_ptr<QTranslator> translator;
  return translator;
}
}  // namespace

bool InstallQtLanguage(const QString& language) {
  const QLocale locale(QString(language).replace(QLatin1Char('-'), QLatin1Char('_')));
  QLocale::setDefault(locale);
  std::unique_ptr<QTranslator>& installed = Installed();
  if (installed) {
    QCoreApplication::removeTranslator(installed.get());
    installed.reset();
  }
  // Qt's texts are English already; an English session needs no translation.
  if (locale.language() == QLocale::English) return true;
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    return false;
  QCoreApplication::installTranslator(translator.get());
  installed = std::move(translator);
  return true;
}

}  // namespace corvane::suite
