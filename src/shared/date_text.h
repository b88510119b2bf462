#pragma once

#include <QDate>
#include <QString>
#include <QStringView>
#include <optional>

namespace corvane::shared {

// The suite's display text for "no date".
inline constexpr char16_t kNoDateText[] = u"0100.01.01";

// Reads a date typed or stored as text: year, month and day separated by ".", "-"
// or "/" (the same separator twice, month and day of one or two digits, a
// four-digit year), "2026年1月5日", or eight digits "20260105". Blanks around it are
// ignored. Nothing for a text that is no real calendar day.
std::optional<QDate> ParseDateText(QStringView text);

// "yyyy.mm.dd"; kNoDateText for no date.
QString FormatDateText(const std::optional<QDate>& date);

// Rewrites s into the display form "yyyy.mm.dd" and returns it. A text that is no
// date gives the empty text and leaves s as it was typed, so a box that refuses it
// still shows what the user has to correct.
QString NormalizeDateText(QString& s);

}  // namespace corvane::shared
