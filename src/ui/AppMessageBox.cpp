#include "ui/AppMessageBox.h"

#include <QApplication>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStyle>

#include <algorithm>
#include <array>
#include <cstdlib>

#include "catalogues/CoreServices.h"
#include "time/InternalError.h"
#include "ui/DialogControls.h"
#include "ui/SymbolFont.h"

namespace noctavo {
namespace {

constexpr const char* moduleName = "AST_GEN";

constexpr int textControlId = 135;
constexpr std::array<int, 4> buttonIds = {253, 254, 255, 256};

// The dialog's fixed geometry, pixels.
constexpr int clientWidth = 360;
constexpr int margin = 12;
constexpr int iconSize = 32;
constexpr int buttonWidth = 75;
constexpr int buttonHeight = 23;

struct ButtonSet {
  int count;  // including Help
  std::array<const char*, 4> texts;
  std::array<MsgResult, 3> results;  // of the buttons before Help
  bool escapeAllowed;
  MsgResult escapeResult;
};

// The four sets, in the order of MsgButtons.
const std::array<ButtonSet, 4> buttonSets = {{
    {2, {"OK", "Help", nullptr, nullptr}, {MsgResult::Ok}, true, MsgResult::Ok},
    {3, {"OK", "Cancel", "Help", nullptr}, {MsgResult::Ok, MsgResult::Cancel}, true, MsgResult::Cancel},
    {3, {"&Yes", "&No", "Help", nullptr}, {MsgResult::Yes, MsgResult::No}, false, MsgResult::No},
    {4, {"&Yes", "&No", "Cancel", "Help"}, {MsgResult::Yes, MsgResult::No, MsgResult::Cancel}, true,
     MsgResult::Cancel},
}};

class MessageBoxDialog : public QDialog {
 public:
  MessageBoxDialog(const QString& text, QWidget* owner, MsgSeverity severity, const ButtonSet& set)
      : QDialog(owner), set_(set) {
    setObjectName(QStringLiteral("Dlg_MessageBox"));
    setFont(SymbolFont());  // every control shows the program's symbols
    setWindowTitle(QStringLiteral("%1 %2").arg(QString::fromLatin1(productName),
                                               QString::fromLatin1(severityCaptionWord(severity))));

    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(iconSize, iconSize));
    icon->setGeometry(margin, margin, iconSize, iconSize);

    auto* message = new QLabel(text, this);
    setControlId(message, textControlId);
    message->setWordWrap(true);
    message->setTextFormat(Qt::PlainText);
    const int textLeft = 2 * margin + iconSize;
    const int textWidth = clientWidth - textLeft - margin;
    const int textHeight = std::max(iconSize, message->heightForWidth(textWidth));
    message->setGeometry(textLeft, margin, textWidth, textHeight);

    auto* separator = new QFrame(this);
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);
    const int separatorTop = margin + textHeight + margin;
    separator->setGeometry(margin, separatorTop, clientWidth - 2 * margin, 2);

    const int buttonTop = separatorTop + 2 + margin;
    for (std::size_t i = 0; i < buttonIds.size(); ++i) {
      auto* button = new QPushButton(this);
      setControlId(button, buttonIds[i]);
      button->setGeometry(0, buttonTop, buttonWidth, buttonHeight);
      button->hide();
      buttons_[i] = button;
    }
    showButtons();
    setFixedSize(clientWidth, buttonTop + buttonHeight + margin);
  }

  // Escape and the close box both arrive here.
  void reject() override {
    if (set_.escapeAllowed) done(static_cast<int>(set_.escapeResult));
  }

 private:
  void showButtons() {
    const int helpIndex = set_.count - 1;
    const std::vector<int> lefts = evenButtonRow(clientWidth, buttons_[0]->width(), set_.count);
    for (int i = 0; i < set_.count; ++i) {
      QPushButton* button = buttons_[static_cast<std::size_t>(i)];
      button->setText(QString::fromLatin1(set_.texts[static_cast<std::size_t>(i)]));
      button->move(lefts[static_cast<std::size_t>(i)], buttons_[0]->y());
      button->show();
      if (i == helpIndex) {
        // Help is part of every row but has nothing to show.
        button->setEnabled(false);
        continue;
      }
      const MsgResult result = set_.results[static_cast<std::size_t>(i)];
      connect(button, &QPushButton::clicked, this, [this, result] { done(static_cast<int>(result)); });
    }
    buttons_[0]->setDefault(true);
    buttons_[0]->setFocus();
  }

  const ButtonSet& set_;
  std::array<QPushButton*, 4> buttons_{};
};

// An internal error while the report of another is on screen must not loop.
bool& reportingInternalError() {
  static bool reporting = false;
  return reporting;
}

MsgSeverity severityOf(MessageSeverity severity) {
  switch (severity) {
    case MessageSeverity::Information: return MsgSeverity::Information;
    case MessageSeverity::Warning: return MsgSeverity::Warning;
    case MessageSeverity::Error: return MsgSeverity::Error;
  }
  return MsgSeverity::Error;
}

}  // namespace

const char* severityCaptionWord(MsgSeverity severity) {
  switch (severity) {
    case MsgSeverity::Information: return "information";
    case MsgSeverity::Warning: return "warning";
    case MsgSeverity::Error: return "error";
  }
  return "";
}

std::vector<int> evenButtonRow(int clientWidth, int buttonWidth, int buttonCount) {
  std::vector<int> lefts;
  if (buttonCount <= 0) return lefts;
  const int gap = (clientWidth - buttonCount * buttonWidth) / (buttonCount + 1);
  for (int i = 0; i < buttonCount; ++i) lefts.push_back(gap + i * (buttonWidth + gap));
  return lefts;
}

MsgResult AppMessageBox(const QString& text, QWidget* owner, MsgSeverity severity, MsgButtons buttons) {
  const int setIndex = static_cast<int>(buttons);
  if (setIndex < 0 || setIndex >= static_cast<int>(buttonSets.size())) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return MsgResult::Cancel;
  }
  const int severityIndex = static_cast<int>(severity);
  if (severityIndex < 0 || severityIndex > static_cast<int>(MsgSeverity::Error)) {
    NOCTAVO_INTERNAL_ERROR(moduleName);
    return MsgResult::Cancel;
  }
  MessageBoxDialog dialog(text, owner, severity, buttonSets[static_cast<std::size_t>(setIndex)]);
  return static_cast<MsgResult>(dialog.exec());
}

void installCoreMessageHandlers(QWidget* mainFrame) {
  QPointer<QWidget> frame(mainFrame);
  setInternalErrorHandler([frame](const char* module, int line) {
    if (!reportingInternalError()) {
      reportingInternalError() = true;
      AppMessageBox(symbolText(internalErrorText(module, line)), frame.data(), MsgSeverity::Information,
                    MsgButtons::Ok);
    }
    // Nothing is saved: the state that led here cannot be trusted.
    std::_Exit(0);
  });
  setUserMessageHandler([frame](MessageSeverity severity, const std::string& text) {
    AppMessageBox(symbolText(text), frame.data(), severityOf(severity), MsgButtons::Ok);
  });
}

}  // namespace noctavo
