#pragma once

#include <QDialog>
#include <QPointer>
#include <QStringList>

#include <vector>

#include "bodies/AstBody.h"
#include "bodies/ObjectType.h"

class QComboBox;

namespace noctavo {

// Control ids of the Find Object dialog "Dlg_SkyFindObject" (OK, Cancel and
// Help: ui/DialogLayout.h).
namespace find_object {
inline constexpr int objectType = 1020;
inline constexpr int objectName = 154;
}  // namespace find_object

// The object types the dialog offers, in their order: every type but the
// Earth.
const std::vector<ObjectType>& findableObjectTypes();

// One entry of the names list: the text shown and the name as the
// catalogues spell it (the program's byte encoding).
struct FindObjectName {
  QString shown;
  std::string name;
};
// The names of a type's objects, sorted as a sorted list box sorts them
// (letter case aside; NGC and IC numbers by value): only stars with a name,
// constellations in the current language.
std::vector<FindObjectName> findObjectNames(ObjectType type);

// "Find Object": an object type and, for all types but the Sun and the
// Moon, the object's name, chosen from the list or typed in any form
// findObjectByUserName knows ("M31", "Orion Nebula", "alpha Ori"). OK sends
// the object to the Sky window as UM_DISPLAY_OBJECT without activation and
// closes; a typed name that names nothing is said so and the dialog stays.
// Cancel closes. F1 and Help show "dialog find object.htm".
class FindObjectDialog : public QDialog {
  Q_OBJECT

 public:
  FindObjectDialog(QObject* skyWindow, QWidget* owner);

  QComboBox* typeBox() const { return typeBox_; }
  QComboBox* nameBox() const { return nameBox_; }
  // The object the current choice or typed name names; null when none does.
  const AstBody* chosenObject() const;

 private:
  void build();
  void fillNames();
  void findAndClose();

  QPointer<QObject> skyWindow_;
  QComboBox* typeBox_ = nullptr;
  QComboBox* nameBox_ = nullptr;
};

}  // namespace noctavo
