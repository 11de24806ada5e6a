#include "dialogs/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <string>

namespace platform {
namespace {

std::string quoted(const QString& text) {
  QString shown = text;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\\r\\n"));
  shown.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
  shown.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
  return "\"" + shown.toStdString() + "\"";
}

std::string describeBox(const ShownBox& box) {
  if (box.kind == ShownBox::Kind::MsgBox)
    return "message box " + quoted(box.prompt) + " (style " + std::to_string(box.style) + ", title " +
           quoted(box.shownTitle) + ")";
  return "input box " + quoted(box.prompt) + " (title " + quoted(box.shownTitle) + ", default text " +
         quoted(box.defaultText) + ")";
}

std::string describeExpectation(ShownBox::Kind kind, const QString& prompt) {
  return std::string(kind == ShownBox::Kind::MsgBox ? "message box " : "input box ") + quoted(prompt);
}

}  // namespace

ScriptedDialogs::Expectation& ScriptedDialogs::Expectation::withStyle(int s) {
  style = s;
  return *this;
}

ScriptedDialogs::Expectation& ScriptedDialogs::Expectation::withTitle(const QString& t) {
  title = t;
  return *this;
}

ScriptedDialogs::Expectation& ScriptedDialogs::Expectation::withDefaultText(const QString& t) {
  defaultText = t;
  return *this;
}

ScriptedDialogs::~ScriptedDialogs() { verifyAllShown(); }

ScriptedDialogs::Expectation& ScriptedDialogs::expectMsgBox(const QString& prompt, MsgBoxResult answer) {
  Expectation e;
  e.kind = ShownBox::Kind::MsgBox;
  e.prompt = prompt;
  e.button = answer;
  expected_.push_back(std::move(e));
  return expected_.back();
}

ScriptedDialogs::Expectation& ScriptedDialogs::expectInputBox(const QString& prompt, const QString& answer) {
  Expectation e;
  e.kind = ShownBox::Kind::InputBox;
  e.prompt = prompt;
  e.text = answer;
  expected_.push_back(std::move(e));
  return expected_.back();
}

std::vector<QString> ScriptedDialogs::shownPrompts() const {
  std::vector<QString> prompts;
  for (const auto& box : shown_) prompts.push_back(box.prompt);
  return prompts;
}

void ScriptedDialogs::verifyAllShown() {
  for (const auto& e : expected_)
    ADD_FAILURE() << "Expected " << describeExpectation(e.kind, e.prompt) << " was never shown ("
                  << shown_.size() << " box(es) shown in all)";
  expected_.clear();
}

std::optional<ScriptedDialogs::Expectation> ScriptedDialogs::take(const ShownBox& box) {
  if (expected_.empty()) {
    ADD_FAILURE() << "Unexpected " << describeBox(box) << ": the script expected no more boxes";
    return std::nullopt;
  }
  const Expectation& next = expected_.front();
  if (next.kind != box.kind || next.prompt != box.prompt) {
    ADD_FAILURE() << "Unexpected " << describeBox(box) << ": the script expected "
                  << describeExpectation(next.kind, next.prompt) << " next";
    return std::nullopt;
  }
  Expectation e = next;
  expected_.pop_front();
  if (e.style && *e.style != box.style)
    ADD_FAILURE() << describeBox(box) << ": style " << *e.style << " expected, " << box.style << " shown";
  if (e.title && *e.title != box.shownTitle)
    ADD_FAILURE() << describeBox(box) << ": title " << quoted(*e.title) << " expected, " << quoted(box.shownTitle)
                  << " shown";
  if (e.defaultText && *e.defaultText != box.defaultText)
    ADD_FAILURE() << describeBox(box) << ": default text " << quoted(*e.defaultText) << " expected, "
                  << quoted(box.defaultText) << " shown";
  return e;
}

MsgBoxResult ScriptedDialogs::MsgBox(const QString& prompt, int style, const QString& title) {
  ShownBox box;
  box.kind = ShownBox::Kind::MsgBox;
  box.prompt = prompt;
  box.style = style;
  box.title = title;
  box.shownTitle = effectiveTitle(title);
  shown_.push_back(box);
  auto e = take(box);
  if (!e) return closeAnswer(style);
  if (!isButtonOf(style, e->button)) {
    ADD_FAILURE() << describeBox(box) << ": the scripted answer " << int(e->button)
                  << " is not one of its buttons";
    return closeAnswer(style);
  }
  return e->button;
}

QString ScriptedDialogs::InputBox(const QString& prompt, const QString& title, const QString& defaultText) {
  ShownBox box;
  box.kind = ShownBox::Kind::InputBox;
  box.prompt = prompt;
  box.title = title;
  box.shownTitle = effectiveTitle(title);
  box.defaultText = defaultText;
  shown_.push_back(box);
  auto e = take(box);
  if (!e) return {};
  return e->text;
}

}  // namespace platform
