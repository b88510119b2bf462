#include "suite/resources/fill_arguments.h"
#include "suite/resources/qt_language.h"
#include "suite/resources/resource_texts.h"

#include <QCalendarWidget>
#include <QRegularExpression>
#include <QSet>
#include <QDialogButtonBox>
#include <QPushButton>

#include <gtest/gtest.h>

namespace corvane::suite {
namespace {

TEST(ResourceTextsTest, GivesTextsWithTheirArgumentsAndAMissingKeyAsItself) {
  const ResourceTexts texts;
  const QString missingAccount = QStringLiteral("Q9.CW.GL.ZWSQL.BAS.03556");
  const QStringList account{"1002"};
  EXPECT_EQ(texts.Text(missingAccount, &account), QString::fromUtf8("科目 1002 不存在！"));
  const QStringList line{"2026-03-05", "201 - 0042"};
  EXPECT_EQ(texts.Text("Q9.GL.ZWSQL.CASHBANK.loading", &line),
            QString::fromUtf8("正在调入银行对账单：2026-03-05  201 - 0042"));
  // Without arguments the placeholder stays, so a caller that forgot them is noticed.
  EXPECT_TRUE(texts.Text(missingAccount).contains(QStringLiteral("%1")));
  for (const QString& key : {QStringLiteral("Q9.GL.ZWSQL.CASHBANK.99999"), QStringLiteral("no.such.key")}) {
    EXPECT_FALSE(texts.Contains(key));
    EXPECT_EQ(texts.Text(key), key);
    EXPECT_EQ(texts.Text(key, &account), key);
  }
}

TEST(ResourceTextsTest, ChoosesTheLanguageAndFallsBackToChinese) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"zh-CN", "zh-CN", "提示"}, {"en-US", "en-US", "Information"}, {"fr-FR", "zh-CN", "提示"}, {"", "zh-CN", "提示"},
  };
  for (const auto& [asked, language, title] : cases) {
    const ResourceTexts texts(QString::fromUtf8(asked));
    EXPECT_EQ(texts.Language(), QString::fromUtf8(language)) << asked;
    EXPECT_EQ(texts.Text("Q9.CW.GL.ZWSQL.BAS.00427"), QString::fromUtf8(title)) << asked;
  }
}

TEST(FillArgumentsTest, FillsPlaceholdersInOrderOnce) {
  struct Case {
    const char* text;
    QStringList args;
    const char* expected;
  };
  const Case cases[] = {
      {"%2 before %1", {"a", "b"}, "b before a"},
      {"%1 and %1", {"x"}, "x and x"},
      {"%1 of %2", {"only"}, "only of %2"},  // a missing value stays visible
      {"%1", {"%2 literal"}, "%2 literal"},  // an argument is never filled again
      {"100%% done by %1", {"me"}, "100% done by me"},
      {"ends with %", {}, "ends with %"},
      {"%0 and %a", {"x"}, "%0 and %a"},
      {"%10/%1", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "ten"}, "ten/1"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FillArguments(QString::fromUtf8(c.text), c.args), QString::fromUtf8(c.expected)) << c.text;
}

// Qt's own buttons and calendars speak the session's language, and a second
// session in another language takes over from the first.
TEST(QtLanguage, StandardButtonsAndCalendarsFollowTheSession) {
  struct Case { const char* language; const char* ok; const char* yes; const char* no; const char* january; };
  const Case cases[] = {{"zh-CN", "确定", "是", "否", "一月"},
                        {"en-US", "OK", "Yes", "No", "January"},
                        {"zh-CN", "确定", "是", "否", "一月"}};
  for (const Case& c : cases) {
    EXPECT_TRUE(InstallQtLanguage(QString::fromLatin1(c.language))) << c.language;
    QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Yes | QDialogButtonBox::No);
    EXPECT_EQ(box.button(QDialogButtonBox::Ok)->text().remove(QLatin1Char('&')), QString::fromUtf8(c.ok)) << c.language;
    EXPECT_TRUE(box.button(QDialogButtonBox::Yes)->text().remove(QLatin1Char('&')).startsWith(QString::fromUtf8(c.yes))) << c.language;
    EXPECT_TRUE(box.button(QDialogButtonBox::No)->text().remove(QLatin1Char('&')).startsWith(QString::fromUtf8(c.no))) << c.language;
    QCalendarWidget calendar;
    EXPECT_EQ(calendar.locale().standaloneMonthName(1), QString::fromUtf8(c.january)) << c.language;
  }
  InstallQtLanguage(QStringLiteral("en-US"));
}

const char* const kLanguages[] = {"zh-CN", "en-US"};

// Every resource key the component looks up, with the number of arguments its
// callers pass; "a-b" stands for the numbers a to b (same width).
struct UsedKeys {
  const char* prefix;
  int arguments;
  const char* names;
};
const UsedKeys kUsed[] = {
    {"Q9.CW.GL.ZWSQL.BAS.", 0,
     "00427 03494 03526 03529 03531 03535 03536 03543 03544 03547-03550 03553-03555 03568 03900-03922 03924-03963"},
    {"Q9.CW.GL.ZWSQL.BAS.", 1, "03556 03838"},
    {"Q9.GL.PzlbSet.VBRes.", 0, "28 33 49"},
    {"Q9.GL.ZWSQL.CASHBANK.", 0,
     "00008 00015 00017 00022-00027 00031 00032 00037 00038 00045 00046 00051-00055 00063 00077 00079 00080 00083 "
     "00084 00087 00089 00090 00092 00094 00096 00098 00100 00104 00107 00108 00110 00112 00114 00115 00137-00140 "
     "00182 00195 00488 00496 00500 00502 00503 00510 00511 00522 00541-00543 00570 00571 00598 00604 00610 00613 "
     "00616 00620 00643 00648 00652 00656 00658 00667 00680 00707 00710 00711 00713 00715 00716 00722-00726 00728 "
     "00730 00746-00749 00752-00756 00760-00762 00765 00797 00798 00802 00837 00841 00842 00845-00848 00865 00881 "
     "00891 00892 00895 00897-00901 00903 00905 00907-00913 00935 01075 01076 baltypeerr"},
    {"Q9.GL.ZWSQL.CASHBANK.", 1,
     "00838 00843 checkindexerr confirmcancel indexerror notfind notfondkm notfound notfoundrec overdate"},
    {"Q9.GL.ZWSQL.CASHBANK.", 2, "loading loadingbill makegrid"},
    {"Q9.GL.ZZPZ.", 0, "00933"},
    {"Q9.GL.ZZPZ.", 1, "02809 12741"},
    {"Q9.GL.ZZTool.", 2, "00662"},
    {"Q9.GL.ZZTool.", 1, "00661"},
    {"corvane.suite.", 0, "title claim.nofunction noconnection notready cash.nologin rights.nologin print.notempdir"},
    {"corvane.suite.", 1,
     "claim.registered claim.notregistered account.missing book.missing book.noflowid rights.invalid calendar.none"},
    {"corvane.suite.", 2, "claim.noright claim.inuse cash.baddate calendar.missing calendar.baddates calendar.gap"},
    {"corvane.recon.", 0, "loadingdate"},
    {"corvane.recon.", 1, "notfoundflow"},
    {"corvane.import.", 0, "startfield endfield"},
    {"corvane.print.", 0, "marginstoowide"},
    {"corvane.print.", 1, "papernumbered"},
    {"corvane.suite.", 3, "lock.refused lock.refusedbook"},
};

QStringList Keys(const UsedKeys& used) {
  QStringList keys;
  for (const QString& name : QString::fromLatin1(used.names).split(u' ')) {
    const QStringList range = name.split(u'-');
    if (range.size() == 1) {
      keys << used.prefix + name;
      continue;
    }
    for (int n = range[0].toInt(); n <= range[1].toInt(); ++n)
      keys << used.prefix + QStringLiteral("%1").arg(n, range[0].size(), 10, QLatin1Char('0'));
  }
  return keys;
}

TEST(ShippedTextsTest, FilesLoadCleanlyWithTheSameKeysTranslated) {
  const ResourceTexts chinese;
  const ResourceTexts english(QStringLiteral("en-US"));
  EXPECT_TRUE(chinese.LoadProblems().isEmpty()) << chinese.LoadProblems().join(u'\n').toStdString();
  EXPECT_TRUE(english.LoadProblems().isEmpty()) << english.LoadProblems().join(u'\n').toStdString();
  const QStringList keys = chinese.Keys();
  const QStringList englishKeys = english.Keys();
  EXPECT_EQ(QSet<QString>(keys.cbegin(), keys.cend()), QSet<QString>(englishKeys.cbegin(), englishKeys.cend()));
  const QRegularExpression han(QStringLiteral("[\\x{4e00}-\\x{9fff}]"));
  for (const QString& key : keys) {
    if (chinese.Text(key).contains(han)) {
      EXPECT_NE(english.Text(key), chinese.Text(key)) << key.toStdString();
    }
  }
}

// A text that skips a placeholder (%2 without %1) or has fewer than the callers
// pass would drop an argument silently.
TEST(ShippedTextsTest, EveryUsedKeyHasATextWithItsArguments) {
  int count = 0;
  for (const UsedKeys& used : kUsed) count += static_cast<int>(Keys(used).size());
  ASSERT_EQ(count, 263);
  for (const char* language : kLanguages) {
    const ResourceTexts texts(QString::fromLatin1(language));
    for (const UsedKeys& used : kUsed) {
      for (const QString& key : Keys(used)) {
        SCOPED_TRACE(::testing::Message() << language << " " << key.toStdString());
        ASSERT_TRUE(texts.Contains(key));
        const QString text = texts.Text(key);
        EXPECT_FALSE(text.trimmed().isEmpty());
        EXPECT_EQ(HighestPlaceholder(text), used.arguments);
        for (int n = 1; n <= used.arguments; ++n) EXPECT_TRUE(text.contains(QStringLiteral("%%1").arg(n))) << n;
      }
    }
  }
}

// The openers find an open window by comparing its caption, without regard to
// letter case, with the text of a key: the two must stay equal in every language
// and no other window may carry it, or a second menu click opens a second window.
TEST(ShippedTextsTest, SingleInstanceCaptionsMatchTheirWindowsOnly) {
  const QString prefix = QStringLiteral("Q9.CW.GL.ZWSQL.CASHBANK.");
  const std::pair<const char*, const char*> cases[] = {{"Q9.CW.GL.ZWSQL.BAS.03536", "frmYHDZD"},
                                                       {"Q9.CW.GL.ZWSQL.BAS.03548", "frmYETJB"},
                                                       {"Q9.CW.GL.ZWSQL.BAS.03544", "frmYHDZCX"},
                                                       {"Q9.CW.GL.ZWSQL.BAS.03550", "frmYHCQWD"}};
  for (const char* language : kLanguages) {
    const ResourceTexts texts(QString::fromLatin1(language));
    QStringList windowCaptions;
    for (const QString& key : texts.Keys()) {
      if (key.startsWith(prefix + "frm") && !key.mid(prefix.size()).contains(u'.')) windowCaptions << texts.Text(key).toUpper();
    }
    for (const auto& [captionKey, window] : cases) {
      const QString caption = texts.Text(prefix + window);
      EXPECT_EQ(caption, texts.Text(captionKey)) << language << " " << window;
      EXPECT_EQ(windowCaptions.count(caption.toUpper()), 1) << language << " " << window;
    }
  }
}

}  // namespace
}  // namespace corvane::suite
