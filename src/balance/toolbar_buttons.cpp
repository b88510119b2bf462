#include "balance/toolbar_buttons.h"

#include "platform/controls/toolbar_host.h"

#include <QAction>
#include <QKeySequence>

namespace corvane::balance {

void AddToolbarButtons(platform::ToolbarHost& toolbar, std::initializer_list<ToolbarButton> buttons) {
  for (const ToolbarButton& b : buttons) {
    if (!b.caption) {
      toolbar.AddSeparator(b.key ? QString::fromLatin1(b.key) : QString());
      continue;
    }
    const QString key = QString::fromLatin1(b.key);
    toolbar.AddButton(key, QString::fromUtf8(b.caption), QString::fromUtf8(b.tip))->setObjectName(key);
    toolbar.SetPicture(key, b.picture);
  }
  toolbar.SetHotKey(QStringLiteral("help"), QKeySequence(Qt::Key_F1));
}

}  // namespace corvane::balance
