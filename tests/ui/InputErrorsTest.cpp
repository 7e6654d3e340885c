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

constexpr int latitudeFieldId = 123;
constexpr int otherFieldId = 122;

// A dialog with two fields; the keyboard focus starts on the other one.
class FieldDialog : public QDialog {
 public:
  FieldDialog() {
    auto* layout = new QVBoxLayout(this);
    other = new QLineEdit(this);
    field = new QLineEdit(this);
    setControlId(other, otherFieldId);
    setControlId(field, latitudeFieldId);
    layout->addWidget(other);
    layout->addWidget(field);
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

void answerAndRecord(SeenReport& seen) {
  testing::whenModalAppears([&seen](QWidget* box) {
    seen.caption = box->windowTitle();
    if (auto* label = qobject_cast<QLabel*>(findControlOrNull(box, 135))) seen.text = label->text();
    seen.owner = box->parentWidget();
    qobject_cast<QDialog*>(box)->done(static_cast<int>(MsgResult::Ok));
  });
}

TEST(InputErrorReports, EachShowsItsTextAsAnErrorOwnedByTheDialog) {
  using Report = std::function<void(QWidget*, int)>;
  const std::vector<std::pair<Report, QString>> cases = {
      {ReportInvalidAngle, "You entered an invalid angle"},
      {ReportInvalidDayNumber, "You entered an invalid day number"},
      {ReportInvalidJulianDay, "You entered an invalid Julian Day number"},
      {ReportInvalidLatitude, "You entered an invalid latitude"},
      {ReportInvalidLongitude, "You entered an invalid longitude"},
      {ReportInvalidTimeZone, "You entered an invalid time zone"},
  };
  for (const auto& [report, text] : cases) {
    FieldDialog dialog;
    SeenReport seen;
    answerAndRecord(seen);
    report(&dialog, latitudeFieldId);
    EXPECT_EQ(seen.text, text);
    EXPECT_EQ(seen.caption, QStringLiteral("Noctavo error"));
    EXPECT_EQ(seen.owner, &dialog);
  }
}

TEST(InputErrorReports, GiveTheKeyboardFocusBackToTheOffendingField) {
  FieldDialog dialog;
  ASSERT_EQ(dialog.focusWidget(), dialog.other);
  SeenReport seen;
  answerAndRecord(seen);
  ReportInvalidLatitude(&dialog, latitudeFieldId);
  EXPECT_EQ(dialog.focusWidget(), dialog.field);
}

TEST(InputErrorReports, AnyTextCanBeReported) {
  FieldDialog dialog;
  SeenReport seen;
  answerAndRecord(seen);
  ReportInvalidInput(QStringLiteral("The graph must have at least one line"), &dialog, otherFieldId);
  EXPECT_EQ(seen.text, QStringLiteral("The graph must have at least one line"));
  EXPECT_EQ(dialog.focusWidget(), dialog.other);
}

TEST(InputErrorReports, AFieldTheDialogDoesNotHaveIsAnInternalErrorButTheMessageStillShows) {
  FieldDialog dialog;
  testing::InternalErrorRecorder recorder;
  SeenReport seen;
  answerAndRecord(seen);
  ReportInvalidAngle(&dialog, 999);
  EXPECT_EQ(recorder.count(), 1u);
  EXPECT_EQ(seen.text, QStringLiteral("You entered an invalid angle"));
}

}  // namespace
}  // namespace noctavo
