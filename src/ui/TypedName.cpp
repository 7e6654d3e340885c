#include "ui/TypedName.h"

#include <QComboBox>
#include <QCompleter>

#include "catalogues/ObjectLookup.h"
#include "ui/SymbolFont.h"

namespace noctavo {

const AstBody* objectOfTypedName(const QString& typed) {
  // Superscript digits are plain digits to the lookup: the symbol font has
  // other uses for some of their bytes.
  QString plain = typed;
  plain.replace(QChar(0x00B9), QLatin1Char('1')).replace(QChar(0x00B2), QLatin1Char('2'));
  plain.replace(QChar(0x00B3), QLatin1Char('3'));
  return findObjectByUserName(symbolBytes(plain));
}

QString noObjectCalledText(const QString& typed) {
  return QStringLiteral("No object is called \"%1\".").arg(typed.trimmed());
}

void acceptTypedNames(QComboBox* nameBox) {
  nameBox->setEditable(true);
  nameBox->setInsertPolicy(QComboBox::NoInsert);
  nameBox->completer()->setCompletionMode(QCompleter::PopupCompletion);
}

}  // namespace noctavo
