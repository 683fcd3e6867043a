#pragma once
// Builds windows from small description texts written to a temporary folder.

#include <memory>

#include "controls/skForm.h"
#include "interp/skUseStract.h"
#include "platform/uiservices.h"
#include "support.h"

namespace tobrina::test {

class InterpTest : public PackTest {
 protected:
  // Writes the description (UTF-8 with a byte order mark) and builds it.
  TSkStract& build(const QString& text, const QString& file = QStringLiteral("struct_t.txt")) {
    const QString path = temp.write(file, QByteArray("\xEF\xBB\xBF") + text.toUtf8());
    form = std::make_unique<TfrmFORM>();
    stract = std::make_unique<TSkStract>(form.get(), path);
    if (recordHandOver)
      stract->OnWindowAction = [this](const RHelpAction& r) {
        handedOver << r.Action;
        if (stract->splashProgress()) splashAtHandOver = stract->splashProgress()->value();
      };
    stract->LoadDescription();
    stract->ActivateDescription();
    return *stract;
  }
  QStringList names(Kind kind = Kind::All) const {
    QStringList out;
    for (QObject* o : stract->registry(kind)) out << o->objectName();
    return out;
  }
  void TearDown() override {
    stract.reset();
    form.reset();
    PackTest::TearDown();
  }

  ScopedScriptedUi ui;
  bool recordHandOver = true;
  QStringList handedOver;
  int splashAtHandOver = -1;
  std::unique_ptr<TfrmFORM> form;
  std::unique_ptr<TSkStract> stract;
};

}  // namespace tobrina::test
