#include "shared/byte_text.h"
#include "shared/session.h"

#include "fake_services.h"
#include "suite/services/text_width.h"

#include <gtest/gtest.h>

namespace corvane::shared {
namespace {

// The suite's own byte widths behind the session's common services.
class ByteWidths : public testing::FakeCommonServices {
 public:
  int GetByteLength(const QString& t) override { return suite::ByteLength(t); }
  QString LeftBytes(const QString& t, int w) override { return suite::LeftBytes(t, w); }
};

TEST(FitToWidthTest, CutsOrPadsToExactlyTheWidth) {
  Session::Current().gCommonServices = std::make_unique<ByteWidths>();
  struct Case { const char* text; int width; const char* expected; };
  const Case cases[] = {
      {"abc", 5, "abc  "},      {"abcdef", 4, "abcd"},      {"abc", 3, "abc"},
      {"银行存款", 5, "银行 "},  // the character across the edge gives way to a blank
      {"银行", 7, "银行   "},   {"abc", 0, ""},             {"abc", -3, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FitToWidth(QString::fromUtf8(c.text), c.width), QString::fromUtf8(c.expected)) << c.text << c.width;
  }
  Session::Current().gCommonServices.reset();
}

}  // namespace
}  // namespace corvane::shared
