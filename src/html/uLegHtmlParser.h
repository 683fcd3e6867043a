#pragma once
// The HTML tokenizer behind the full-text search. One pass over a page raises
// one event per text run, tag, comment, script body or declaration, and one
// per malformed piece; it builds no tree. Every string an event receives is a
// view into the page, or into a scratch buffer when entities were decoded, so
// it is valid only while the event runs.

#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <vector>

namespace tobrina {

class TLegHtmlParser;

struct THtmlAttribute {
  QStringView name;
  QStringView value;
};

// The attributes of one tag, in document order. Attributes written without
// a value are not listed. Owned by the tokenizer and reused for every tag.
class THtmlAttributes {
 public:
  qsizetype size() const { return qsizetype(items_.size()); }
  bool empty() const { return items_.empty(); }
  const THtmlAttribute& operator[](qsizetype i) const { return items_[std::size_t(i)]; }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }
  // The first value of that name, names compared without regard to case; a
  // null view when the tag has no such attribute.
  QStringView value(QStringView name) const;
  // "name=value" per attribute, for callers that keep them past the event.
  QStringList lines() const;

 private:
  friend class TLegHtmlParser;
  std::vector<THtmlAttribute> items_;
};

// Codes given to OnError.
enum THtmlError : int {
  heUnexpectedEnd = 1,    // the text ends inside a tag, declaration, attribute or comment ending
  heUnclosedComment = 2,  // a comment without a closing "--"
  heLessInTag = 4,        // a "<" inside a tag; the walk resumes at the tag's ">"
  heGreaterInText = 5,    // a ">" in a text run; the walk resumes at the next "<"
  heUnclosedScript = 6,   // a script without "</script>"
};

using THtmlTokenEvent = std::function<void(TLegHtmlParser& sender, QStringView token)>;
using THtmlTagEvent =
    std::function<void(TLegHtmlParser& sender, QStringView tag, const THtmlAttributes& attributes)>;
// posError is 1-based; set abort to end the parse.
using THtmlErrorEvent =
    std::function<void(TLegHtmlParser& sender, int error, qsizetype posError, bool& abort)>;

class TLegHtmlParser {
 public:
  TLegHtmlParser();
  TLegHtmlParser(const TLegHtmlParser&) = delete;
  TLegHtmlParser& operator=(const TLegHtmlParser&) = delete;

  // The page as lines. Setting it discards the text cached from the old lines.
  const QStringList& content() const { return content_; }
  void setContent(const QStringList& lines);

  // Decode character entity references in tag names, attributes, declarations
  // and text runs. On by default.
  bool translate() const { return translate_; }
  void setTranslate(bool on) { translate_ = on; }

  // When set, Parse() does not rebuild an empty cached text from content().
  bool endParser() const { return endParser_; }
  void setEndParser(bool on) { endParser_ = on; }

  // Walks the lines of content(), each followed by CR LF. The joined text is
  // cached until the content changes.
  void Parse();
  // Walks the given text as it is, without touching content(); the fast way
  // for text already in memory. Positions in errors count in this text.
  void Parse(QStringView text);
  // From inside a handler: no further event once it returns. A later parse
  // starts again from the beginning. A parse started from inside a handler of
  // the same tokenizer is ignored.
  void StopParse();

  THtmlTokenEvent OnBlock;    // every raw piece, before the event for its kind
  THtmlTagEvent OnTag;        // start and end tags ("/p"), name as written
  THtmlTokenEvent OnText;     // a text run, trimmed and decoded, never empty
  THtmlTokenEvent OnComment;  // the inside of a comment outside a script
  THtmlTokenEvent OnScript;   // a script's body
  THtmlTokenEvent OnDTDTag;   // a declaration, without "<!" and ">"
  THtmlErrorEvent OnError;    // a malformed piece; without it errors pass silently

 private:
  // A piece of the page or of the scratch buffer.
  struct Span {
    bool inScratch = false;
    qsizetype pos = 0;
    qsizetype len = 0;
  };
  enum class State { Normal, Script, ScriptComment };

  void Walk(QStringView text);
  void TextRun();
  void Markup();
  void Comment(qsizetype start);
  void ScriptBody();
  bool ReadAttributes(qsizetype& p, bool keep);
  qsizetype SkipBlanks(qsizetype p) const;
  qsizetype FindScriptEnd(qsizetype from) const;
  void SkipLineBreak();
  void Fail(int error, qsizetype at);
  void FailAtEnd(int error);
  bool Emit(const THtmlTokenEvent& event, QStringView token);
  Span Translated(qsizetype pos, qsizetype len);
  QStringView View(Span span) const;

  QStringList content_;
  QString cache_;
  bool translate_ = true;
  bool endParser_ = false;

  // The walk.
  QStringView text_;
  qsizetype pos_ = 0;
  State state_ = State::Normal;
  int error_ = 0;
  qsizetype errorPos_ = 0;
  bool parsing_ = false;
  bool stopped_ = false;
  QString scratch_;                           // decoded strings of the current piece
  std::vector<std::pair<Span, Span>> spans_;  // attribute names and values of the current tag
  THtmlAttributes attributes_;
};

// A lower-cased needle matched the way the search compares: a text contains
// it when the text, lower-cased character by character, holds it. Built once
// per search; matching allocates nothing.
class TLoweredNeedle {
 public:
  explicit TLoweredNeedle(const QString& lowerNeedle);
  bool empty() const { return needle_.isEmpty(); }
  bool foundIn(QStringView text) const;

 private:
  QString needle_;
  std::vector<char16_t> firsts_;  // every character that lower-cases to the needle's first
};

enum class THtmlTextScope {
  AllText,
  OutsideTitle,  // text between the tags "title" and "/title" (as written) is left out
};

// Whether a text run of the page (entities decoded; tags, comments and
// scripts left out) contains the needle, compared without regard to case.
// Each run is searched on its own, as the tokenizer reports it; the walk
// stops at the first match. An empty needle is never found.
bool HtmlTextContains(QStringView html, QStringView lowerNeedle,
                      THtmlTextScope scope = THtmlTextScope::AllText);

}  // namespace tobrina
