#include "interp/skCommand.h"

#include "pack/gHelpers.h"
#include "platform/uiservices.h"

namespace tobrina {

TSkCommand::TSkCommand(const QString& action) {
  QString remaining = action;
  const QString commandSeparator = QStringLiteral("//");
  const QString argSeparator = QStringLiteral("*");
  while (!remaining.isEmpty()) {
    QString command = SplitToken(remaining, commandSeparator);
    QString word = SplitToken(command, argSeparator);
    if (word.isEmpty()) continue;
    RCommand parsed;
    parsed.Word = word.toLower();
    parsed.ArgText = command;
    parsed.Rest = remaining;
    for (const QString& piece : command.split(u'*'))
      if (!piece.isEmpty()) parsed.Args << piece;
    commands_.push_back(std::move(parsed));
  }
}

QString TSkCommand::CommandText(int i) const {
  const RCommand& c = commands_.at(std::size_t(i));
  QString text = c.Word;
  for (const QString& arg : c.Args) text += u'*' + arg;
  return text;
}

QString ActionArgument(const RCommand& command, int n) {
  if (n < 0 || n >= command.Args.size()) return {};
  const QString& arg = command.Args[n];
  const QString lower = arg.toLower();
  if (TextBefore(lower, QStringLiteral("(")) != u"open_file") return arg;
  QString filter;
  if (const qsizetype open = lower.indexOf(u'('); open >= 0) {
    const qsizetype close = lower.indexOf(u')', open + 1);
    filter = lower.mid(open + 1, close < 0 ? -1 : close - open - 1);
  }
  return Ui().openFileName({QString(), u'*' + filter, QString()});
}

QString FillPlaceholder(const QString& actionTemplate, const QString& value, bool append) {
  if (actionTemplate.isEmpty()) return {};
  const QString placeholder = QStringLiteral("insert");
  if (actionTemplate.contains(placeholder)) return QString(actionTemplate).replace(placeholder, value);
  if (!append) return actionTemplate;
  return actionTemplate + (actionTemplate.endsWith(u'*') ? QString() : QStringLiteral("*")) + value;
}

}  // namespace tobrina
