#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace corvane::host {

// The host's help window: the component's own HTML pages (help/<language>/<page>.html,
// compiled in) in a text browser, so help works without a browser and without a
// network. One window per session; opening another page brings it to the front.
class HelpViewer : public QWidget {
  Q_OBJECT

 public:
  // Shows the page of a menu id ("RP0305") in the language of the session; an id
  // without a page of its own, or "index", shows the index.
  static HelpViewer* Open(const QString& pageId, const QString& language);
  // The open help window, or nullptr.
  static HelpViewer* Current();

  // The resource path of a page: ":/corvane/help/<language>/<id in lower case>.html";
  // the index of the language when the page is missing, and the Chinese pages for a
  // language without pages.
  static QString PagePath(const QString& pageId, const QString& language);

  QString ShownPage() const { return shown_; }
  QTextBrowser* Browser() const { return browser_; }

 private:
  explicit HelpViewer(const QString& language);
  void Show(const QString& path);

  QTextBrowser* browser_;
  QString language_;
  QString shown_;
};

}  // namespace corvane::host
