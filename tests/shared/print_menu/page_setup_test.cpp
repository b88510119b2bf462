#include "platform/print/page_setup_control.h"
#include "shared/print_setup.h"
#include "session_fixture.h"

#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QWidget>

namespace corvane::shared {
namespace {

const QString kKey = QStringLiteral("RPYETJB");

// What the dialog showed when it opened: paper number, orientation (1 portrait,
// 2 landscape) and the four margins left, top, right, bottom.
struct Page {
  int paper = 0;
  int orientation = 0;
  QList<int> margins;
  bool operator==(const Page& o) const {
    return paper == o.paper && orientation == o.orientation && margins == o.margins;
  }
};

void PrintTo(const Page& p, std::ostream* os) {
  *os << "paper " << p.paper << " orientation " << p.orientation << " margins";
  for (int m : p.margins) *os << ' ' << m;
}

QSpinBox* Margin(QDialog& d, const char* name) { return d.findChild<QSpinBox*>(QString::fromLatin1(name)); }

Page Read(QDialog& d) {
  Page p;
  p.paper = d.findChild<QComboBox*>(QStringLiteral("cboPaper"))->currentData().toInt();
  p.orientation = d.findChild<QRadioButton*>(QStringLiteral("optPortrait"))->isChecked() ? 1 : 2;
  for (const char* name : {"txtLeft", "txtTop", "txtRight", "txtBottom"}) p.margins << Margin(d, name)->value();
  return p;
}

// Fills the dialog as a user would: picks the paper in the list, clicks an
// orientation and types the margins.
void Fill(QDialog& d, const Page& p) {
  auto* paper = d.findChild<QComboBox*>(QStringLiteral("cboPaper"));
  paper->setCurrentIndex(paper->findData(p.paper));
  d.findChild<QRadioButton*>(p.orientation == 1 ? QStringLiteral("optPortrait") : QStringLiteral("optLandscape"))->click();
  const char* names[] = {"txtLeft", "txtTop", "txtRight", "txtBottom"};
  for (int i = 0; i < 4; ++i) Margin(d, names[i])->setValue(p.margins[i]);
}

void ClickOk(QDialog& d) { d.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click(); }

class PageSetupTest : public SessionTest {
 protected:
  // Runs PageSetup on the window; the dialog's opening page is recorded, then the
  // step (if any) fills and confirms it.
  void Run(std::function<void(QDialog&)> step = {}) {
    modals_.Then([this, step](QDialog& d) {
      shown_ = Read(d);
      if (step) step(d);
    });
    PageSetup(&window_, kKey);
  }
  QStringList Stored() const { return common_->pageSettings[kKey]; }

  testing::ScriptedModals modals_;
  QWidget window_;
  Page shown_;
};

TEST_F(PageSetupTest, StoredSettingsOpenTheDialogAndTheChoiceIsStoredBack) {
  common_->pageSettings[kKey] = {"8", "False", "10", "12", "14", "16", "keep"};
  Run([](QDialog& d) {
    Fill(d, {9, 1, {20, 21, 22, 23}});
    ClickOk(d);
  });
  EXPECT_EQ(modals_.Shown(), std::vector<QString>{QStringLiteral("PageSetupDialog")});
  EXPECT_EQ(shown_, (Page{8, 2, {10, 12, 14, 16}}));
  EXPECT_EQ(Stored(), (QStringList{"9", "True", "20", "21", "22", "23", "keep"}));
  EXPECT_EQ(common_->saved, std::vector<QString>{kKey});
}

TEST_F(PageSetupTest, OrientationIsStoredAsTrueForPortraitOnly) {
  struct Case { int orientation; const char* stored; };
  for (const Case& c : {Case{1, "True"}, Case{2, "False"}}) {
    common_->pageSettings[kKey] = {"9", "True", "", "", "", "", ""};
    Run([&](QDialog& d) {
      Fill(d, {9, c.orientation, {10, 10, 10, 10}});
      ClickOk(d);
    });
    EXPECT_EQ(Stored()[0], QStringLiteral("9"));
    EXPECT_EQ(Stored()[1], QString::fromLatin1(c.stored)) << "orientation " << c.orientation;
  }
}

TEST_F(PageSetupTest, CancelledDialogStoresNothing) {
  const QStringList before{"8", "False", "10", "12", "14", "16", ""};
  common_->pageSettings[kKey] = before;
  Run([](QDialog& d) {
    Fill(d, {9, 1, {1, 1, 1, 1}});
    d.findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
  });
  EXPECT_TRUE(common_->saved.empty());
  EXPECT_EQ(Stored(), before);
}

// Without stored margins the control keeps its own: those of the window's RTPrn1.
TEST_F(PageSetupTest, EmptyMarginsLeaveTheWindowsControlAlone) {
  auto* control = new platform::PageSetupControl(&window_);
  control->setObjectName(QStringLiteral("RTPrn1"));
  control->rtpSetMargin(5, 6, 7, 8);
  common_->pageSettings[kKey] = {"11", "True", "", "99", "99", "99", ""};
  Run([](QDialog& d) { ClickOk(d); });
  EXPECT_EQ(shown_, (Page{11, 1, {5, 6, 7, 8}}));
  EXPECT_EQ(Stored(), (QStringList{"11", "True", "5", "6", "7", "8", ""}));
}

// A key never set up (the service gives empty texts) or a damaged entry opens the
// dialog on the control's own page instead of failing.
TEST_F(PageSetupTest, UnreadableSettingsOpenOnTheDefaultPage) {
  const QList<QStringList> stored{
      {"", "", "", "", "", "", ""},
      {"abc", "maybe", "1", "x", "3", "4", ""},
      {"9"},  // a short list from the service
  };
  for (const QStringList& s : stored) {
    common_->pageSettings[kKey] = s;
    Run([](QDialog& d) { ClickOk(d); });
    EXPECT_EQ(shown_, (Page{9, 1, {15, 15, 15, 15}})) << s.join(QLatin1Char(',')).toStdString();
    EXPECT_EQ(Stored().size(), 7);
  }
}

TEST_F(PageSetupTest, PaperUnknownToThisMachineIsKept) {
  common_->pageSettings[kKey] = {"500", "False", "10", "10", "10", "10", ""};
  Run([](QDialog& d) { ClickOk(d); });
  EXPECT_EQ(shown_.paper, 500);
  EXPECT_EQ(Stored()[0], QStringLiteral("500"));
  EXPECT_EQ(Stored()[1], QStringLiteral("False"));
}

TEST_F(PageSetupTest, MarginsWiderThanThePaperAreRefusedUntilCorrected) {
  common_->pageSettings[kKey] = {"9", "True", "10", "10", "10", "10", ""};
  bool stayedOpen = false;
  Run([&](QDialog& d) {
    Fill(d, {9, 1, {120, 10, 90, 10}});  // 210 mm wide A4
    ClickOk(d);
    stayedOpen = d.isVisible();
    Margin(d, "txtLeft")->setValue(30);
    ClickOk(d);
  });
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(messages_.Count(), 1);
  EXPECT_EQ(Stored(), (QStringList{"9", "True", "30", "10", "90", "10", ""}));
}

TEST_F(PageSetupTest, LandscapeTurnsThePaperForTheMarginCheck) {
  common_->pageSettings[kKey] = {"9", "True", "10", "10", "10", "10", ""};
  Run([](QDialog& d) {
    Fill(d, {9, 2, {120, 10, 90, 10}});  // 297 mm wide when turned
    ClickOk(d);
  });
  EXPECT_EQ(messages_.Count(), 0);
  EXPECT_EQ(Stored()[2], QStringLiteral("120"));
}

// A print control whose dialog answers with a given code.
class AnsweringControl : public platform::PageSetupControl {
 public:
  AnsweringControl(QWidget* owner, qint32 code) : PageSetupControl(owner), code_(code) {
    setObjectName(QStringLiteral("RTPrn1"));
  }
  qint32 rtpPageSetup() override { return code_; }

 private:
  qint32 code_;
};

TEST_F(PageSetupTest, DialogCodesThatNameNoPaperStoreNothing) {
  for (qint32 code : {-1, -65536, 1000 + 65536, 1000 + 2 * 65536, 65535}) {
    QWidget window;
    new AnsweringControl(&window, code);
    common_->pageSettings.clear();
    common_->saved.clear();
    PageSetup(&window, kKey);
    EXPECT_TRUE(common_->saved.empty()) << code;
  }
}

TEST_F(PageSetupTest, DialogCodeSplitsIntoPaperAndOrientation) {
  struct Case { qint32 code; const char* paper; const char* orientation; };
  for (const Case& c : {Case{9 + 2 * 65536, "9", "False"}, Case{9 + 65536, "9", "True"},
                        Case{999 + 65536, "999", "True"}, Case{1, "1", "False"}}) {
    QWidget window;
    new AnsweringControl(&window, c.code);
    common_->pageSettings[kKey] = {"8", "True", "", "", "", "", "x"};
    PageSetup(&window, kKey);
    EXPECT_EQ(Stored(), (QStringList{c.paper, c.orientation, "15", "15", "15", "15", "x"})) << c.code;
  }
}

}  // namespace
}  // namespace corvane::shared
