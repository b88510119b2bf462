#include "../session_fakes.h"

#include "platform/print/page_setup_control.h"
#include "shared/print_setup.h"

#include <QDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace corvane::shared {
namespace {

const QString kKey = "RPYETJB";
const char* const kMargins[] = {"txtLeft", "txtTop", "txtRight", "txtBottom"};

// The dialog's page as the seven stored texts: paper, "True" for portrait, the
// margins left, top, right, bottom (the seventh is not the dialog's).
QStringList Read(QDialog& d) {
  QStringList page{d.findChild<QComboBox*>("cboPaper")->currentData().toString(),
                   d.findChild<QRadioButton*>("optPortrait")->isChecked() ? "True" : "False"};
  for (const char* name : kMargins) page << QString::number(d.findChild<QSpinBox*>(name)->value());
  return page;
}

// Types a page given as the same texts (nothing when it is empty) and clicks OK.
void Confirm(QDialog& d, const QStringList& page = {}) {
  if (!page.isEmpty()) {
    auto* paper = d.findChild<QComboBox*>("cboPaper");
    paper->setCurrentIndex(paper->findData(page[0].toInt()));
    d.findChild<QRadioButton*>(page[1] == "True" ? "optPortrait" : "optLandscape")->click();
    for (int i = 0; i < 4; ++i) d.findChild<QSpinBox*>(kMargins[i])->setValue(page[2 + i].toInt());
  }
  d.findChild<QPushButton*>("cmdOK")->click();
}

class PageSetupTest : public testing::SessionTest {
 protected:
  // Runs PageSetup on the window with stored settings; the dialog's opening page
  // is recorded, then the user types a page and confirms, or closes the dialog.
  void Run(const QStringList& stored, const QStringList& typed = {}, bool confirm = true) {
    common->pageSettings[kKey] = stored;
    common->saved.clear();
    modals.Then([this, typed, confirm](QDialog& d) {
      shown_ = Read(d);
      if (confirm) Confirm(d, typed);
    });
    PageSetup(&window_, kKey);
  }
  QStringList Stored() const { return common->pageSettings[kKey]; }

  QWidget window_;
  QStringList shown_;
};

TEST_F(PageSetupTest, StoredSettingsOpenTheDialogAndTheChoiceIsStoredBack) {
  struct Case { QStringList stored; QStringList shown; QStringList typed = {}; bool confirm = true; };
  const Case cases[] = {
      {{"8", "False", "10", "12", "14", "16", "keep"}, {"8", "False", "10", "12", "14", "16"},
       {"9", "True", "20", "21", "22", "23"}},
      {{"8", "False", "10", "12", "14", "16", ""}, {"8", "False", "10", "12", "14", "16"},
       {"9", "True", "1", "1", "1", "1"}, false},  // cancelled
      {{"9", "True", "10", "10", "10", "10", ""}, {"9", "True", "10", "10", "10", "10"},
       {"9", "False", "120", "10", "90", "10"}},  // 297 mm across when turned
      {{"500", "False", "10", "10", "10", "10", ""}, {"500", "False", "10", "10", "10", "10"}},  // unknown paper kept
      // Unreadable settings open on the control's own page instead of failing.
      {{"", "", "", "", "", "", ""}, {"9", "True", "15", "15", "15", "15"}},
      {{"abc", "maybe", "1", "x", "3", "4", ""}, {"9", "True", "15", "15", "15", "15"}},
      {{"9"}, {"9", "True", "15", "15", "15", "15"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored.join(',').toStdString());
    Run(c.stored, c.typed, c.confirm);
    EXPECT_EQ(shown_, c.shown);
    const QStringList page = (c.typed.isEmpty() ? c.shown : c.typed) + QStringList{c.stored.value(6)};
    EXPECT_EQ(Stored(), c.confirm ? page : c.stored);
    EXPECT_EQ(common->saved.size(), c.confirm ? 1u : 0u);
  }
  EXPECT_EQ(modals.Shown().front(), "PageSetupDialog");
}

TEST_F(PageSetupTest, MarginsWiderThanThePaperAreRefusedUntilCorrected) {
  bool stayedOpen = false;
  common->pageSettings[kKey] = {"9", "True", "10", "10", "10", "10", ""};
  modals.Then([&](QDialog& d) {
    Confirm(d, {"9", "True", "120", "10", "90", "10"});  // 210 mm wide A4
    stayedOpen = d.isVisible();
    Confirm(d, {"9", "True", "30", "10", "90", "10"});
  });
  PageSetup(&window_, kKey);
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(messages.Count(), 1);
  EXPECT_EQ(Stored(), (QStringList{"9", "True", "30", "10", "90", "10", ""}));
}

// A print control whose dialog answers with a given code: paper + 65536 x
// orientation (1 portrait, 2 landscape).
class AnsweringControl : public platform::PageSetupControl {
 public:
  AnsweringControl(QWidget* owner, qint32 code) : PageSetupControl(owner), code_(code) { setObjectName("RTPrn1"); }
  qint32 rtpPageSetup() override { return code_; }

 private:
  qint32 code_;
};

TEST_F(PageSetupTest, DialogCodeSplitsIntoPaperAndOrientationOrStoresNothing) {
  struct Case { qint32 code; QStringList stored; };
  const Case cases[] = {
      {9 + 2 * 65536, {"9", "False", "15", "15", "15", "15", "x"}},
      {999 + 65536, {"999", "True", "15", "15", "15", "15", "x"}},
      {-1, {}}, {1000 + 2 * 65536, {}}, {65535, {}},  // no paper named: nothing stored
  };
  for (const Case& c : cases) {
    QWidget window;
    new AnsweringControl(&window, c.code);
    common->pageSettings[kKey] = {"8", "True", "", "", "", "", "x"};
    common->saved.clear();
    PageSetup(&window, kKey);
    EXPECT_EQ(common->saved.empty(), c.stored.isEmpty()) << c.code;
    if (!c.stored.isEmpty()) {
      EXPECT_EQ(Stored(), c.stored) << c.code;
    }
  }
}

}  // namespace
}  // namespace corvane::shared
