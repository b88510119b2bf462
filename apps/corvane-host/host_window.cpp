#include "host_window.h"

#include "host/menu_dispatcher.h"
#include "host/product_facade.h"
#include "shared/messages.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

HostWindow::HostWindow(corvane::host::clsProductFacade& facade, const QString& subtitle) : facade_(facade) {
  setObjectName(QStringLiteral("HostWindow"));
  setWindowTitle(corvane::shared::GetResString(QStringLiteral("corvane.host.title")));
  auto* central = new QWidget(this);
  auto* column = new QVBoxLayout(central);
  auto* heading = new QLabel(subtitle, central);
  column->addWidget(heading);
  auto* grid = new QGridLayout;
  const QStringList menus{QStringLiteral("RP0303"), QStringLiteral("RP0304"), QStringLiteral("RP0305"),
                          QStringLiteral("RP0306"), QStringLiteral("RP0307"), QStringLiteral("RP0308"),
                          QStringLiteral("RP0309")};
  for (int i = 0; i < menus.size(); ++i) {
    const QString id = menus[i];
    auto* button = new QPushButton(corvane::shared::GetResString(QStringLiteral("corvane.menu.") + id), central);
    button->setObjectName(id);
    button->setMinimumSize(180, 48);
    button->setEnabled(corvane::host::IsMenuAvailable(id));
    connect(button, &QPushButton::clicked, this, [this, id] { facade_.CallFunction(id, QString(), QString(), QString()); });
    grid->addWidget(button, i / 2, i % 2);
  }
  column->addLayout(grid);
  column->addStretch();
  setCentralWidget(central);
}
