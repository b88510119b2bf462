#include "shared/window_dressing.h"

#include "shared/session.h"

#include <QFont>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QWidget>
#include <exception>

namespace corvane::shared {

namespace {

// The component's icon: the character for "account" on a bank-blue square.
QIcon ComponentIcon() {
  static const QIcon icon = [] {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(31, 78, 140));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    QFont f = p.font();
    f.setPixelSize(20);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, QStringLiteral("账"));
    return QIcon(pm);
  }();
  return icon;
}

}  // namespace

int LocalizeForm(QWidget* frm, const QString& keyPrefix, const QString& text2, const QString& text3) {
  try {
    return Session::Current().Common().LocalizeControls(frm, keyPrefix, text2, text3);
  } catch (const std::exception&) {
    return 0;
  }
}

void InitToolbar(QWidget* frm) {
  if (!frm) return;
  auto* host = frm->findChild<QWidget*>(QStringLiteral("CTBCtrl1"));
  if (!host) return;
  if (host->property("toolbarStyle").toInt() == 1) return;
  if (auto* own = frm->findChild<QWidget*>(QStringLiteral("Toolbar1")); own && own != host && !host->isAncestorOf(own))
    own->setVisible(false);
  host->setVisible(true);
  host->move(host->x(), 0);
}

void SetFormIcon(QWidget* frm) {
  if (frm) frm->setWindowIcon(ComponentIcon());
}

void ClearFormIcon(QWidget* frm) {
  static const QIcon none = [] {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    return QIcon(pm);
  }();
  if (frm) frm->setWindowIcon(none);
}

}  // namespace corvane::shared
