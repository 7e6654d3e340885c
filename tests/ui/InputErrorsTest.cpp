#include <gtest/gtest.h>

#include <QDialog>
#include <QLabel>
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

struct SeenReport {
  QString caption;
  QString text;
  QWidget* owner = nullptr;
};

// Reports through `report`, answers the box and tells what it showed.
SeenReport reportAndAnswer(const std::function<void()>& report) {
  SeenReport seen;
  testing::whenModalAppears([&seen](QWidget* box) {
    seen.caption = box->windowTitle();
    if (auto* label = qobject_cast<QLabel*>(findControlOrNull(box, 135))) seen.text = label->text();
    seen.owner = box->parentWidget();
    qobject_cast<QDialog*>(box)->done(static_cast<int>(MsgResult::Ok));
  });
  report();
  return seen;
}

TEST(InputErrorReports, EachShowsItsTextAsAnErrorOwnedByTheDialogAndFocusesTheField) {
  using Report = std::function<void(QWidget*, int)>;
  const std::vector<std::pair<Report, QString>> cases = {
      {ReportInvalidAngle, "You entered an invalid angle"},
      {ReportInvalidDayNumber, "You entered an invalid day number"},
      {ReportInvalidJulianDay, "You entered an invalid Julian Day number"},
      {ReportInvalidLatitude, "You entered an invalid latitude"},
      {ReportInvalidLongitude, "You entered an invalid longitude"},
      {ReportInvalidTimeZone, "You entered an invalid time zone"},
      {[](QWidget* d, int id) { ReportInvalidInput(QStringLiteral("The graph must have a line"), d, id); },
       "The graph must have a line"},
  };
  for (const auto& [report, text] : cases) {
    FieldDialog dialog;
    ASSERT_EQ(dialog.focusWidget(), dialog.other);
    const SeenReport seen = reportAndAnswer([&] { report(&dialog, fieldId); });
    EXPECT_EQ(seen.text, text);
    EXPECT_EQ(seen.caption, QStringLiteral("Noctavo error"));
    EXPECT_EQ(seen.owner, &dialog);
    EXPECT_EQ(dialog.focusWidget(), dialog.field) << text.toStdString();
  }
}

TEST(InputErrorReports, AFieldTheDialogDoesNotHaveIsAnInternalErrorButTheMessageStillShows) {
  FieldDialog dialog;
  testing::InternalErrorRecorder recorder;
  EXPECT_EQ(reportAndAnswer([&] { ReportInvalidAngle(&dialog, 999); }).text, QStringLiteral("You entered an invalid angle"));
  EXPECT_EQ(recorder.count(), 1u);
}

}  // namespace
}  // namespace noctavo
