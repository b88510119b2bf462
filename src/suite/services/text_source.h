#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace corvane::suite {

// Where the suite's services take their resource texts and window captions
// from. The services never keep texts of their own beyond a fallback for the
// few keys they need: the language files own every text.
class TextSource {
 public:
  virtual ~TextSource() = default;
  // The text of a key with its arguments filled in order (args null: none);
  // a key the texts lack comes back as the key itself.
  virtual QString Text(const QString& key, const QStringList* args) = 0;
  // Sets the captions of a window's controls from the texts under the prefix;
  // gives the number of captions set.
  virtual int LocalizeControls(QWidget* window, const QString& prefix) = 0;
};

// Lets any object with the two operations (the resource texts of the suite)
// serve as a TextSource without that class knowing about the services.
template <class Texts>
class TextSourceAdapter : public TextSource {
 public:
  explicit TextSourceAdapter(Texts& texts) : texts_(texts) {}
  QString Text(const QString& key, const QStringList* args) override { return texts_.Text(key, args); }
  int LocalizeControls(QWidget* window, const QString& prefix) override {
    return texts_.LocalizeControls(window, prefix);
  }

 private:
  Texts& texts_;
};

// The text of a key, or the fallback when there is no source or the source
// lacks the key, so that a message of the services never shows a bare key.
// "%1", "%2", … of the fallback take the arguments in order.
QString TextOr(TextSource* source, const QString& key, const QString& fallback, const QStringList& args = {});

}  // namespace corvane::suite
