#include "host/help_viewer.h"

#include "platform/controls/resource_pictures.h"
#include "shared/messages.h"

#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

namespace corvane::host {

namespace {

QPointer<HelpViewer>& Instance() {
  static QPointer<HelpViewer> viewer;
  return viewer;
}

QString HelpLanguage(const QString& language) {
  return QFile::exists(QStringLiteral(":/corvane/help/%1/index.html").arg(language)) ? language
                                                                                      : QStringLiteral("zh-CN");
}

}  // namespace

QString HelpViewer::PagePath(const QString& pageId, const QString& language) {
  const QString folder = QStringLiteral(":/corvane/help/") + HelpLanguage(language) + QLatin1Char('/');
  const QString page = folder + pageId.trimmed().toLower() + QStringLiteral(".html");
  return !pageId.trimmed().isEmpty() && QFile::exists(page) ? page : folder + QStringLiteral("index.html");
}

HelpViewer::HelpViewer(const QString& language) : QWidget(nullptr, Qt::Window), language_(language) {
  setObjectName(QStringLiteral("corvaneHelp"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(shared::GetResString(QStringLiteral("corvane.help.title")));
  auto* bar = new QToolBar(this);
  bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  browser_ = new QTextBrowser(this);
  browser_->setObjectName(QStringLiteral("helpBrowser"));
  browser_->setOpenExternalLinks(false);
  QAction* back = bar->addAction(platform::ThemePicture(QStringLiteral("go-previous")),
                                 shared::GetResString(QStringLiteral("corvane.help.back")));
  QAction* index = bar->addAction(platform::ThemePicture(QStringLiteral("go-home")),
                                  shared::GetResString(QStringLiteral("corvane.help.index")));
  connect(back, &QAction::triggered, browser_, &QTextBrowser::backward);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
  back->setEnabled(false);
  connect(index, &QAction::triggered, this, [this] { Show(PagePath(QString(), language_)); });
  connect(browser_, &QTextBrowser::sourceChanged, this, [this](const QUrl& url) { shown_ = url.path(); });
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(bar);
  layout->addWidget(browser_);
  resize(720, 560);
}

void HelpViewer::Show(const QString& path) {
  browser_->setSource(QUrl(QStringLiteral("qrc") + path));
}

HelpViewer* HelpViewer::Open(const QString& pageId, const QString& language) {
  QPointer<HelpViewer>& viewer = Instance();
  if (!viewer) viewer = new HelpViewer(language);
  // A window shown modally blocks every top-level window but its own; help asked
  // for from it opens as a window of that window, so it can be read and closed
  // while the modal window waits.
  QWidget* modal = QApplication::activeModalWidget();
  if (viewer->parentWidget() != modal) viewer->setParent(modal, Qt::Window);
  viewer->Show(PagePath(pageId, language));
  viewer->show();
  viewer->raise();
  viewer->activateWindow();
  return viewer;
}

HelpViewer* HelpViewer::Current() { return Instance(); }

}  // namespace corvane::host
