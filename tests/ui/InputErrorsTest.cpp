#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>
#include <QVBoxLayout>

#include <functional>
#include <vector>

#include "support/InternalErrorRecorder.h"
#include "support/ModalDialogs.h"
#include "ui/AppMessageBox.h"
#include "ui/DialogControls.h"
#include "ui/InputErrors.h"

namespace noctavo {
namespace {

constexpr int fieldId = 123;
constexpr int otherFieldId = 122;

// A dialog with two fields; the keyboard focus starts on the other one.
class FieldDialog : public QDialog {
 public:
  FieldDialog() {
    auto* layout = new QVBoxLayout(this);
    for (QLineEdit** edit : {&other, &field}) {
      *edit = new QLineEdit(this);
      layout->addWidget(*edit);
    }
    setControlId(other, otherFieldId);
    setControlId(field, fieldId);
    show();
    other->setFocus();
  }
  QLineEdit* other;
  QLineEdit* field;
};

TEST(InputErrorReports, EachShowsItsTextAsAnErrorOwnedByTheDialogAndFocusesTheField) {
  using Report = std::function<void(QWidget*, int)>;
  const std::vector<std::pair<Report, QString>> cases = {
      {ReportInvalidJulianDay, "You entered an invalid Julian Day number"},
      {[](QWidget* d, int id) { ReportInvalidInput(QStringLiteral("The graph must have a line"), d, id); },
       "The graph must have a line"},
      // A field the dialog does not have is an internal error, but the message still shows.
      {[](QWidget* d, int) { ReportInvalidAngle(d, 999); }, "You entered an invalid angle"},
  };
  testing::InternalErrorRecorder recorder;
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const auto& [report, text] = cases[i];
    FieldDialog dialog;
    ASSERT_EQ(dialog.focusWidget(), dialog.other);
    testing::ModalWatch watch;
    report(&dialog, fieldId);
    ASSERT_EQ(watch.count(), 1) << text.toStdString();
    EXPECT_EQ(watch.shown[0].text, text);
    EXPECT_EQ(watch.shown[0].caption, QStringLiteral("Noctavo error"));
    EXPECT_EQ(watch.shown[0].owner, &dialog);
    if (i + 1 < cases.size()) {
      EXPECT_EQ(dialog.focusWidget(), dialog.field) << text.toStdString();
    }
  }
  EXPECT_EQ(recorder.count(), 1u);
}

}  // namespace
}  // namespace noctavo
