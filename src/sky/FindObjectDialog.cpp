#include "sky/FindObjectDialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

#include "bodies/BodyRegistry.h"
#include "catalogues/ObjectLookup.h"
#include "frame/WindowMessages.h"
#include "ui/AppMessageBox.h"
#include "ui/DialogControls.h"
#include "ui/DialogLayout.h"
#include "ui/SymbolFont.h"
#include "ui/TypedName.h"

namespace noctavo {
namespace {

constexpr const char* helpTopic = "dialog find object.htm";

}  // namespace

const std::vector<ObjectType>& findableObjectTypes() {
  static const std::vector<ObjectType> types = {ObjectType::Sun,  ObjectType::Moon,          ObjectType::Planet,
                                                ObjectType::Star, ObjectType::Constellation, ObjectType::NgcObject};
  return types;
}

std::vector<FindObjectName> findObjectNames(ObjectType type) {
  std::vector<FindObjectName> names;
  int cursor = 0;
  while (cursor >= 0) {
    const AstBody* body = nextBody(type, cursor);
    if (!body) break;
    const std::string name = body->getName();
    // Stars without a name cannot be asked for by name.
    if (!name.empty()) names.push_back({symbolText(name), name});
  }
  if (type == ObjectType::NgcObject) {
    // "IC 101" before "IC 1009": catalogue numbers sort by value.
    std::stable_sort(names.begin(), names.end(), [](const FindObjectName& a, const FindObjectName& b) {
      return catalogueNameLess(a.name, b.name);
    });
  } else {
    std::stable_sort(names.begin(), names.end(), [](const FindObjectName& a, const FindObjectName& b) {
      return QString::compare(a.shown, b.shown, Qt::CaseInsensitive) < 0;
    });
  }
  return names;
}

FindObjectDialog::FindObjectDialog(QObject* skyWindow, QWidget* owner) : QDialog(owner), skyWindow_(skyWindow) {
  setObjectName(QStringLiteral("Dlg_SkyFindObject"));
  setWindowTitle(QStringLiteral("Find Object"));
  setFont(SymbolFont());
  build();
  for (ObjectType type : findableObjectTypes()) typeBox_->addItem(QString::fromLatin1(objectTypeName(type)));
  typeBox_->setCurrentIndex(0);
  fillNames();
  connect(typeBox_, &QComboBox::currentIndexChanged, this, [this] { fillNames(); });
}

void FindObjectDialog::build() {
  typeBox_ = withId(new QComboBox(this), find_object::objectType);
  nameBox_ = withId(new QComboBox(this), find_object::objectName);
  // Long NGC descriptions must not stretch the dialog across the screen.
  nameBox_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  nameBox_->setMinimumContentsLength(24);
  nameBox_->setMaxVisibleItems(20);
  // A name may also be typed ("M31", "Orion Nebula", "alpha Ori").
  acceptTypedNames(nameBox_);

  auto* typeLabel = new QLabel(QStringLiteral("Object &type"), this);
  typeLabel->setBuddy(typeBox_);
  auto* nameLabel = new QLabel(QStringLiteral("Object &name"), this);
  nameLabel->setBuddy(nameBox_);
  auto* fields = new QFormLayout;
  fields->addRow(typeLabel, typeBox_);
  fields->addRow(nameLabel, nameBox_);

  auto* column = new QVBoxLayout(this);
  column->addLayout(fields);
  column->addLayout(okCancelHelpRow(this, helpTopic, [this] { findAndClose(); }));
}

void FindObjectDialog::fillNames() {
  const int index = typeBox_->currentIndex();
  if (index < 0 || index >= static_cast<int>(findableObjectTypes().size())) return;
  const std::vector<FindObjectName> names = findObjectNames(findableObjectTypes()[static_cast<std::size_t>(index)]);
  nameBox_->clear();
  // The Sun and the Moon are found by their type alone. The box stays open
  // to typing: the dialog opens on the Sun, and a user who types "M31"
  // straight away expects it found.
  if (names.size() == 1) {
    nameBox_->setEnabled(true);
    return;
  }
  nameBox_->setUpdatesEnabled(false);
  for (const FindObjectName& entry : names) nameBox_->addItem(entry.shown, QByteArray::fromStdString(entry.name));
  nameBox_->setUpdatesEnabled(true);
  nameBox_->setEnabled(true);
  nameBox_->setCurrentIndex(names.empty() ? -1 : 0);
}

const AstBody* FindObjectDialog::chosenObject() const {
  const int index = typeBox_->currentIndex();
  if (index < 0 || index >= static_cast<int>(findableObjectTypes().size())) return nullptr;
  const ObjectType type = findableObjectTypes()[static_cast<std::size_t>(index)];
  const QString typed = nameBox_->currentText();
  if ((type == ObjectType::Sun || type == ObjectType::Moon) && typed.trimmed().isEmpty()) {
    return bodyByIndex(type, 0);
  }
  if (const int entry = nameBox_->findText(typed, Qt::MatchExactly); entry >= 0) {
    return bodyByName(type, nameBox_->itemData(entry).toByteArray().toStdString());
  }
  // Any other name people use, of any type the dialog offers.
  const AstBody* found = objectOfTypedName(typed);
  if (!found) return nullptr;
  const std::vector<ObjectType>& types = findableObjectTypes();
  return std::find(types.begin(), types.end(), found->getObjectType()) != types.end() ? found : nullptr;
}

void FindObjectDialog::findAndClose() {
  if (const AstBody* object = chosenObject()) {
    accept();
    sendDisplayObject(skyWindow_, *object, false);
    return;
  }
  if (nameBox_->isEnabled() && !nameBox_->currentText().trimmed().isEmpty()) {
    // A typed name that names nothing: said so, and the name can be mended.
    AppMessageBox(noObjectCalledText(nameBox_->currentText()), this, MsgSeverity::Information, MsgButtons::Ok);
    nameBox_->setFocus();
    nameBox_->lineEdit()->selectAll();
    return;
  }
  accept();
}

}  // namespace noctavo
