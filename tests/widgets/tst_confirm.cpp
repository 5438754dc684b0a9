// The answering of the messenger's two dialogs, against a scripted messenger:
// which dialogs are pressed, in which order, and when it gives up.
#include <QTest>
#include <map>

#include "output/confirmbuddylistload.h"

using namespace huevox;
using platform::WindowId;

namespace {

struct ScriptedDialog {
  WindowId id;
  std::string title;
  int shownFromLook = 1;   // the look-up of its title that first finds it
  int goneAfterLook = 0;   // it closes by itself after that look-up (0: never)
  bool pressCloses = true;
  bool closed = false;
};

class ScriptedMessenger final : public platform::DialogAutomation {
 public:
  explicit ScriptedMessenger(std::vector<ScriptedDialog> dialogs) : dialogs_(std::move(dialogs)) {}
  std::string Unavailable() const override { return {}; }
  std::vector<WindowId> FindDialogs(std::string_view title) override {
    const int look = ++looks[std::string(title)];
    std::vector<WindowId> open;
    for (const ScriptedDialog& d : dialogs_)
      if (d.title == title && look >= d.shownFromLook && !d.closed && !(d.goneAfterLook && look > d.goneAfterLook))
        open.push_back(d.id);
    return open;
  }
  bool PressFirstButton(WindowId id) override {
    pressed.push_back(id);
    for (ScriptedDialog& d : dialogs_)
      if (d.id == id) d.closed = d.pressCloses;
    return true;
  }
  std::map<std::string, int> looks;
  std::vector<WindowId> pressed;

 private:
  std::vector<ScriptedDialog> dialogs_;
};

const std::string kFirst = kLoadBuddyListTitle, kSecond = kMessengerTitle;

}  // namespace

Q_DECLARE_METATYPE(std::vector<ScriptedDialog>)
Q_DECLARE_METATYPE(std::vector<WindowId>)

class ConfirmTest : public QObject {
  Q_OBJECT

 private slots:
  void answers_data() {
    QTest::addColumn<std::vector<ScriptedDialog>>("dialogs");
    QTest::addColumn<std::vector<WindowId>>("before");
    QTest::addColumn<std::vector<WindowId>>("pressed");
    QTest::addColumn<QString>("problem");  // part of it; empty when both were answered
    QTest::addColumn<bool>("secondSought");
    using D = std::vector<ScriptedDialog>;
    using W = std::vector<WindowId>;
    QTest::newRow("both, the second late") << D{{1, kFirst}, {2, kSecond, 4}} << W{} << W{1, 2} << "" << true;
    QTest::newRow("same titles open before are not ours")
        << D{{7, kFirst}, {8, kSecond}, {1, kFirst, 3}, {2, kSecond}} << W{7, 8} << W{1, 2} << "" << true;
    QTest::newRow("no first dialog") << D{{2, kSecond}} << W{} << W{} << "“Load Buddy List” dialog within" << false;
    QTest::newRow("first gone while settling")
        << D{{1, kFirst, 1, 1}, {2, kSecond}} << W{} << W{} << "“Load Buddy List” dialog could not" << false;
    QTest::newRow("press does not close the first")
        << D{{1, kFirst, 1, 0, false}, {2, kSecond}} << W{} << W{1} << "“Load Buddy List” dialog could not" << false;
    QTest::newRow("no second dialog") << D{{1, kFirst}} << W{} << W{1} << "“AOL Instant Messenger” dialog within" << true;
  }

  void answers() {
    QFETCH(std::vector<ScriptedDialog>, dialogs);
    QFETCH(std::vector<WindowId>, before);
    QFETCH(std::vector<WindowId>, pressed);
    QFETCH(QString, problem);
    QFETCH(bool, secondSought);
    ScriptedMessenger messenger(dialogs);
    const ConfirmResult result = ConfirmBuddyListLoad(messenger, before, {0.5, 0.5});
    QCOMPARE(messenger.pressed, pressed);
    QCOMPARE(result.done, problem.isEmpty());
    QVERIFY2(problem.isEmpty() ? result.problem.isEmpty() : result.problem.contains(problem),
             qPrintable(result.problem));
    QCOMPARE(messenger.looks.count(kSecond) == 1, secondSought);
  }
};

QTEST_GUILESS_MAIN(ConfirmTest)
#include "tst_confirm.moc"
