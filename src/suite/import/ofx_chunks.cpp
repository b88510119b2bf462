#include "suite/import/ofx_chunks.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string_view>

namespace corvane::suite {

OfxChunks::OfxChunks(const QByteArray& bytes, int perPiece, bool atLeastTheWrapper) : bytes_(bytes) {
  if (perPiece < 1 || !Scan() || transactions_.empty()) return;
  qsizetype inLists = 0;
  for (size_t t = 0; t < transactions_.size();) {
    size_t u = t;
    while (u < transactions_.size() && transactions_[u].list == transactions_[t].list) ++u;
    inLists += transactions_[u - 1].end - transactions_[t].begin;
    t = u;
  }
  const qsizetype n = static_cast<qsizetype>(transactions_.size());
  const qsizetype wrapper = bytes_.size() - inLists;
  const qsizetype average = std::max<qsizetype>(1, inLists / n);
  const qsizetype forWrapper = atLeastTheWrapper ? (wrapper + average - 1) / average : 0;
  perPiece_ = static_cast<int>(std::min<qsizetype>(n, std::max<qsizetype>(perPiece, forWrapper)));
  pieces_ = static_cast<int>((n + perPiece_ - 1) / perPiece_);
}

// The tags in order: comments, declarations and processing instructions passed
// over; an element followed by data holds it (in SGML without an end tag); a
// closing tag closes the elements opened since its own. Only whole transactions
// may be left out of a piece.
bool OfxChunks::Scan() {
  struct Open {
    std::string_view name;
    qsizetype at;
  };
  std::vector<Open> open;
  const QByteArray& all = bytes_;
  auto isName = [](char c) { return c != '>' && c != '/' && c != '<' && !std::isspace(static_cast<unsigned char>(c)); };
  for (qsizetype i = all.indexOf('<'); i >= 0;) {
    qsizetype end;
    if (QByteArrayView(all).sliced(i).startsWith("<!--")) {
      end = all.indexOf("-->", i + 4);
      if (end < 0) return false;
      end += 3;
    } else if (i + 1 < all.size() && (all[i + 1] == '?' || all[i + 1] == '!')) {
      end = all.indexOf('>', i);
      if (end < 0) return false;
      ++end;
    } else {
      const bool closing = i + 1 < all.size() && all[i + 1] == '/';
      qsizetype e = i + 1 + (closing ? 1 : 0);
      const qsizetype s = e;
      while (e < all.size() && isName(all[e])) ++e;
      end = all.indexOf('>', e);
      if (end < 0 || e == s) return false;
      ++end;
      const std::string_view name(all.constData() + s, static_cast<size_t>(e - s));
      if (!closing) {
        // An element followed by data holds data (its end tag, if any, follows the data).
        const qsizetype next = all.indexOf('<', end);
        const qsizetype stop = next < 0 ? all.size() : next;
        const char* d = all.constData();
        if (std::any_of(d + end, d + stop, [](char c) { return !std::isspace(static_cast<unsigned char>(c)); })) {
          const QByteArray endTag = "</" + QByteArray(name.data(), static_cast<qsizetype>(name.size())) + '>';
          if (next >= 0 && QByteArrayView(all).sliced(next).startsWith(endTag)) end = next + endTag.size();
        } else if (all[end - 2] != '/') {
          open.push_back({name, i});
        }
      } else {
        while (!open.empty() && open.back().name != name) {
          if (open.back().name == "STMTTRN") return false;  // a transaction without its end
          open.pop_back();
        }
        if (open.empty()) return false;
        const qsizetype at = open.back().at;
        open.pop_back();
        if (name == "STMTTRN") {
          if (open.empty() || open.back().name != "BANKTRANLIST") return false;
          transactions_.push_back({at, end, open.back().at});
        }
      }
    }
    i = all.indexOf('<', end);
  }
  return open.empty();
}

// The lines of bytes [from, to) without their text: a line that had text keeps
// one space, so that it is not taken for an empty line (which the library drops
// before numbering lines).
void OfxChunks::AppendLeftOut(QByteArray& out, qsizetype from, qsizetype to) const {
  const char* d = bytes_.constData();
  for (const char* p = d + from; p < d + to;) {
    const char* nl = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(d + to - p)));
    const char* text = nl ? nl : d + to;
    if (nl && text > p && text[-1] == '\r') --text;
    if (text > p && (out.isEmpty() || out.back() == '\n')) out += ' ';
    if (!nl) break;
    out += QByteArrayView(text, nl + 1 - text);
    p = nl + 1;
  }
}

QByteArray OfxChunks::Piece(int i, bool fileLines) const {
  const size_t n = transactions_.size();
  const size_t a = static_cast<size_t>(i) * static_cast<size_t>(perPiece_), b = std::min(n, a + static_cast<size_t>(perPiece_));
  QByteArray out;
  out.reserve(bytes_.size() / pieces_ * 2 + (fileLines ? bytes_.count('\n') * 2 : 0));
  qsizetype cursor = 0;
  for (size_t t = 0; t < n;) {
    size_t u = t;
    while (u < n && transactions_[u].list == transactions_[t].list) ++u;
    const qsizetype from = transactions_[t].begin, to = transactions_[u - 1].end;
    out.append(bytes_.constData() + cursor, from - cursor);
    const size_t keepFrom = std::max(t, a), keepTo = std::min(u, b);
    if (keepFrom < keepTo) {
      const qsizetype kept = transactions_[keepFrom].begin, keptEnd = transactions_[keepTo - 1].end;
      if (fileLines) AppendLeftOut(out, from, kept);
      out.append(bytes_.constData() + kept, keptEnd - kept);
      if (fileLines) AppendLeftOut(out, keptEnd, to);
    } else if (fileLines) {
      AppendLeftOut(out, from, to);
    }
    cursor = to;
    t = u;
  }
  out.append(bytes_.constData() + cursor, bytes_.size() - cursor);
  return out;
}

}  // namespace corvane::suite
