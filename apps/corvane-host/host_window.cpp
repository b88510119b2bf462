#include "host_window.h"

#include "host/menu_dispatcher.h"
#include "host/product_facade.h"
#include "platform/controls/resource_pictures.h"
#include "shared/help_page.h"
#include "shared/messages.h"

#include <QAction>
#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

using corvane::shared::GetResString;

HostWindow::HostWindow(corvane::host::clsProductFacade& facade, const HostSessionInfo& info,
                       std::function<bool(bool)> saveBookMode)
    : facade_(facade), saveBookMode_(std::move(saveBookMode)) {
  setObjectName(QStringLiteral("HostWindow"));
  // Not the reconciliation window's title: the two must be told apart in a task bar.
  setWindowTitle(GetResString(QStringLiteral("corvane.host.window")));
  auto* central = new QWidget(this);
  auto* column = new QVBoxLayout(central);
  auto* heading = new QLabel(info.subtitle, central);
  heading->setObjectName(QStringLiteral("Subtitle"));
  column->addWidget(heading);
  QString mode = GetResString(info.bookMode ? QStringLiteral("corvane.host.mode.book")
                                            : QStringLiteral("corvane.host.mode.account"));
  if (info.modeForThisRun) mode += GetResString(QStringLiteral("corvane.host.mode.thisrun"));
  mode_ = new QLabel(mode, central);
  mode_->setObjectName(QStringLiteral("Mode"));
  column->addWidget(mode_);
  auto* grid = new QGridLayout;
  const QStringList menus{QStringLiteral("RP0303"), QStringLiteral("RP0304"), QStringLiteral("RP0305"),
                          QStringLiteral("RP0306"), QStringLiteral("RP0307"), QStringLiteral("RP0308"),
                          QStringLiteral("RP0309")};
  for (int i = 0; i < menus.size(); ++i) {
    const QString id = menus[i];
    auto* button = new QPushButton(GetResString(QStringLiteral("corvane.menu.") + id), central);
    button->setObjectName(id);
    button->setMinimumSize(180, 48);
    button->setEnabled(corvane::host::IsMenuAvailable(id));
    connect(button, &QPushButton::clicked, this, [this, id] { facade_.CallFunction(id, QString(), QString(), QString()); });
    grid->addWidget(button, i / 2, i % 2);
  }
  column->addLayout(grid);
  column->addStretch();
  setCentralWidget(central);
  BuildMenus(info);
}

QString HostWindow::ModeText() const { return mode_->text(); }

void HostWindow::BuildMenus(const HostSessionInfo& info) {
  QMenu* settings = menuBar()->addMenu(GetResString(QStringLiteral("corvane.host.menu.settings")));
  QAction* books = settings->addAction(GetResString(QStringLiteral("corvane.host.menu.bookmode")));
  books->setObjectName(QStringLiteral("SavedBookMode"));
  books->setCheckable(true);
  books->setChecked(info.savedBookMode);
  connect(books, &QAction::toggled, this, [this, books](bool on) {
    if (saveBookMode_ && saveBookMode_(on)) {
      statusBar()->showMessage(GetResString(QStringLiteral("corvane.host.bookmode.saved")));
    } else {
      const QSignalBlocker keep(books);
      books->setChecked(!on);
    }
  });
  QMenu* help = menuBar()->addMenu(GetResString(QStringLiteral("corvane.host.menu.help")));
  QAction* contents = help->addAction(corvane::platform::ResourcePicture(125),
                                      GetResString(QStringLiteral("corvane.host.menu.helpindex")));
  contents->setObjectName(QStringLiteral("HelpContents"));
  contents->setShortcut(QKeySequence(Qt::Key_F1));
  contents->setShortcutContext(Qt::WindowShortcut);
  connect(contents, &QAction::triggered, this, [] { corvane::shared::ShowHelpPage(QStringLiteral("index")); });
}
