#pragma once

#include <QString>

#include "bodies/AstBody.h"

class QComboBox;

namespace noctavo {

// The object a name typed into a name box names, the way people name
// objects (catalogues/ObjectLookup.h: "M31", "Orion Nebula", "α² Lib");
// null when it names nothing.
const AstBody* objectOfTypedName(const QString& typed);

// The message for a typed name that names nothing.
QString noObjectCalledText(const QString& typed);

// Makes a name box take typed names: the entries that begin so are offered
// below the box, but the text is never completed in place (typing "M 4"
// must not become "M 40") nor added to the list.
void acceptTypedNames(QComboBox* nameBox);

}  // namespace noctavo
