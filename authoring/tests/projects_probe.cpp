// An authoring program's main window as a process of its own that creates
// and deletes projects on its picker, for the tests that run several
// programs on one program folder at once.
//
//   projects_probe PROGRAM_FOLDER LOCATION BARRIER PREFIX COUNT
//
// It starts as the program does (its project list read from PROGRAM_FOLDER),
// writes BARRIER/ready-<pid> and waits for BARRIER/go, so that programs
// that loaded the same list work at the same moment. Then it creates the
// projects PREFIX0 to PREFIX<COUNT-1> in LOCATION and deletes each
// even-numbered one once the next is made. Its boxes are answered as the
// user would: OK to "Created", Yes to the delete's question. Any other box,
// or a project missing from its picker, is printed on stderr and makes the
// exit status 1.
//
// With QUENDREL_PROBE_KILLED_AT set to the name of a step of a create or a
// delete (project_changes::testing), the probe is killed (SIGKILL) the first
// time it gets there.

#include <unistd.h>

#include <QApplication>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "dialogs/dialog_service.h"
#include "form5.h"
#include "project_changes.h"
#include "system/app_paths.h"
#include "web/fake_text_fetcher.h"

namespace {

bool failed = false;

void fail(const QString& what) {
  std::fprintf(stderr, "%s\n", what.toLocal8Bit().constData());
  failed = true;
}

class UserAnswers : public platform::DialogService {
 public:
  platform::MsgBoxResult MsgBox(const QString& prompt, int style, const QString&) override {
    if (prompt == QLatin1String("Created")) return platform::vbOK;
    if (prompt == QLatin1String("Detele this project?")) return platform::vbYes;
    fail(QStringLiteral("box: ") + prompt);
    return platform::closeAnswer(style);
  }
  QString InputBox(const QString& prompt, const QString&, const QString&) override {
    fail(QStringLiteral("input box: ") + prompt);
    return {};
  }
};

void waitForGo(const std::filesystem::path& barrier) {
  std::ofstream(barrier / ("ready-" + std::to_string(::getpid())));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!std::filesystem::exists(barrier / "go") && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::microseconds(200));
}

void create(Form5& form, const QString& location, const QString& name) {
  form.SSTab1.setTab(0);
  form.Option1.click();
  form.Dir1.setPath(location);
  form.txtProjectName.setText(name);
  form.cmdBuildNewProj.click();
}

void remove(Form5& form, const QString& name) {
  form.SSTab1.setTab(0);
  form.Option2.click();
  for (int i = 0; i < form.listProjects.ListCount(); ++i)
    if (form.listProjects.List(i) == name) {
      form.listProjects.select(i);
      form.Command1.click();
      return;
    }
  fail(QStringLiteral("not in the picker: ") + name);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 6) return 2;
  QApplication app(argc, argv);
  platform::setAppPath(QString::fromLocal8Bit(argv[1]));
  platform::setProgramTitle(QStringLiteral("Quendrel"));
  if (const char* killedAt = std::getenv("QUENDREL_PROBE_KILLED_AT"))
    project_changes::testing::setStepHook([step = std::string(killedAt)](std::string_view reached) {
      if (reached == step) ::raise(SIGKILL);
    });
  UserAnswers answers;
  platform::setDialogService(&answers);
  platform::ScopedFetcher fetcher;
  fetcher->alwaysReply(QStringLiteral("0"));
  const QString location = QString::fromLocal8Bit(argv[2]);
  const QString prefix = QString::fromLocal8Bit(argv[4]);
  const int count = std::stoi(argv[5]);

  Form5 form;
  form.Load();
  form.Show();
  waitForGo(argv[3]);
  for (int i = 0; i < count; ++i) {
    create(form, location, prefix + QString::number(i));
    if (i % 2 == 1) remove(form, prefix + QString::number(i - 1));
  }
  platform::setDialogService(nullptr);
  return failed ? 1 : 0;
}
