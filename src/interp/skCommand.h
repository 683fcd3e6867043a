#pragma once
// Action strings: the little language that every control, link, menu and key
// of the descriptions carries.
//
//   action   := command ( "//" command )*        empty commands are skipped
//   command  := word [ "*" argtext ]             word compared lower-cased
//   argtext  := arg ( "*" arg )*                 empty args are dropped
//
// "//" always separates commands, inside arguments too; there is no quoting
// and no trimming: a blank belongs to the word or argument that holds it.
// An argument "open_file(.ext)" asks the user for a file when it is fetched.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <vector>

namespace tobrina {

struct RCommand {
  QString Word;     // lower-cased
  QString ArgText;  // everything after the first "*", unsplit
  QStringList Args; // non-empty arguments, in order
  QString Rest;     // the action text after this command's "//"
};

class TSkCommand final {
 public:
  explicit TSkCommand(const QString& action);
  const std::vector<RCommand>& commands() const { return commands_; }
  int count() const { return int(commands_.size()); }
  // "form_close*2": the word and each argument after a "*".
  QString CommandText(int i) const;

 private:
  std::vector<RCommand> commands_;
};

// Argument n (0-based) of a command, empty when it has fewer; an
// "open_file(...)" argument becomes the file the user picks (empty if cancelled).
QString ActionArgument(const RCommand& command, int n);

// Replaces every "insert" of the template by value; with append, a template
// without "insert" gets "*" (unless it ends with one) and the value added.
QString FillPlaceholder(const QString& actionTemplate, const QString& value, bool append);

// The record every action travels in.
struct RHelpAction {
  QString Action;
  int AnchorHeight = 0;
  int AnchorLeft = 0;
  int AnchorTop = 0;
  QPointer<QObject> Sender;
};

}  // namespace tobrina
