// One instance per user: the claim of the first instance, the requests of
// later starts, a socket left behind by a crash, and the main window's
// answers to "activate" and "close".
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <csignal>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include "gui_test_support.h"
#include "platform/instance_channel.h"
#include "platform/termination_signals.h"
#include "shell/instance_start.h"

using namespace lexmora;
using namespace lexmora::test;
using platform::InstanceChannel;

namespace {

// Leaves a socket file that nobody listens on, as a crashed instance does.
bool LeaveStaleSocket(const QString& path) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  if (fd < 0) return false;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const QByteArray bytes = path.toLocal8Bit();
  std::memcpy(address.sun_path, bytes.constData(), std::min<std::size_t>(bytes.size(), sizeof address.sun_path - 1));
  const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  ::close(fd);
  return bound && QFileInfo::exists(path);
}

// Runs the event loop until the list holds n requests (or 5 s pass).
bool WaitForRequests(const QStringList& received, int n) {
  return QTest::qWaitFor([&] { return received.size() >= n; }, 5000);
}

}  // namespace

class InstanceChannelTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { socket_ = QString::fromStdString((dir_.path() / "instance").string()); }
  void cleanup() { QFile::remove(socket_); }

  // SIGTERM, SIGINT and SIGHUP reach the event loop as a Qt signal; one
  // object per process holds the handlers.
  void terminationSignalsReachTheEventLoop() {
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
      platform::TerminationSignals ending;
      QVERIFY(ending.Installed());
      QVERIFY(!platform::TerminationSignals().Installed());
      QSignalSpy requested(&ending, &platform::TerminationSignals::Requested);
      ::raise(sig);
      QTRY_COMPARE(requested.count(), 1);
      QCOMPARE(requested.at(0).at(0).toInt(), sig);
      QVERIFY(ending.Received());
    }
  }

  void FirstListensLaterStartsHandOver() {
    InstanceChannel first(socket_);
    QCOMPARE(first.ClaimOrSend(QStringLiteral("activate")), InstanceChannel::Claim::First);
    QVERIFY(first.Listening());
    QStringList received;
    first.SetHandler([&received](const QString& r) { received << r; });

    InstanceChannel second(socket_);
    QCOMPARE(second.ClaimOrSend(QStringLiteral("activate")), InstanceChannel::Claim::Second);
    QVERIFY(!second.Listening());
    QVERIFY(platform::SendInstanceRequest(socket_, QStringLiteral("close")));
    QVERIFY(WaitForRequests(received, 2));
    QCOMPARE(received, QStringList({QStringLiteral("activate"), QStringLiteral("close")}));

    // An empty request only asks whether one runs: nothing arrives.
    InstanceChannel probe(socket_);
    QCOMPARE(probe.ClaimOrSend(QString()), InstanceChannel::Claim::Second);
    QTest::qWait(100);
    QCOMPARE(received.size(), 2);
  }

  void RequestsBeforeTheHandlerWaitForIt() {
    InstanceChannel first(socket_);
    QCOMPARE(first.ClaimOrSend(QString()), InstanceChannel::Claim::First);
    QVERIFY(platform::SendInstanceRequest(socket_, QStringLiteral("activate")));
    QTest::qWait(200);  // delivered to nobody yet
    QStringList received;
    first.SetHandler([&received](const QString& r) { received << r; });
    QVERIFY(WaitForRequests(received, 1));
    QCOMPARE(received.first(), QStringLiteral("activate"));
  }

  void NobodyListensAndTheSocketIsFreedAtTheEnd() {
    QVERIFY(!platform::SendInstanceRequest(socket_, QStringLiteral("close"), 300));
    QVERIFY(!QFileInfo::exists(socket_));
    {
      InstanceChannel first(socket_);
      QCOMPARE(first.ClaimOrSend(QString()), InstanceChannel::Claim::First);
      QVERIFY(QFileInfo::exists(socket_));
    }
    // The ended instance took its socket away: the next start is first.
    QVERIFY(!QFileInfo::exists(socket_));
    InstanceChannel next(socket_);
    QCOMPARE(next.ClaimOrSend(QString()), InstanceChannel::Claim::First);
  }

  void StaleSocketIsTakenOver() {
    QVERIFY(LeaveStaleSocket(socket_));
    QVERIFY(!platform::SendInstanceRequest(socket_, QStringLiteral("activate"), 300));
    InstanceChannel first(socket_);
    QCOMPARE(first.ClaimOrSend(QStringLiteral("activate")), InstanceChannel::Claim::First);
    QStringList received;
    first.SetHandler([&received](const QString& r) { received << r; });
    QVERIFY(platform::SendInstanceRequest(socket_, QStringLiteral("activate")));
    QVERIFY(WaitForRequests(received, 1));
  }

  void OffStartClosesTheRunningOneAndNeverListens() {
    InstanceChannel off(socket_);
    QCOMPARE(gui::ClaimInstance(off, true), gui::InstanceStart::End);  // none runs
    QVERIFY(!off.Listening());
    QVERIFY(!QFileInfo::exists(socket_));

    InstanceChannel first(socket_);
    QCOMPARE(gui::ClaimInstance(first, false), gui::InstanceStart::Run);
    QStringList received;
    first.SetHandler([&received](const QString& r) { received << r; });
    InstanceChannel plain(socket_);
    QCOMPARE(gui::ClaimInstance(plain, false), gui::InstanceStart::End);
    InstanceChannel closing(socket_);
    QCOMPARE(gui::ClaimInstance(closing, true), gui::InstanceStart::End);
    QVERIFY(WaitForRequests(received, 2));
    QCOMPARE(received, QStringList({QStringLiteral("activate"), QStringLiteral("close")}));
  }

  void InstanceNamesAreScopedBySettingsFile() {
    QCOMPARE(gui::InstanceName(QString()), QStringLiteral("VORNKELDALexmoraDictionary"));
    const QString a = gui::InstanceName(QStringLiteral("/tmp/a.conf"));
    QVERIFY(a.startsWith(QStringLiteral("VORNKELDALexmoraDictionary-")));
    QVERIFY(a != gui::InstanceName(QStringLiteral("/tmp/b.conf")));
    QCOMPARE(a, gui::InstanceName(QStringLiteral("/tmp/./a.conf")));
    // Per user: the user id is part of the socket's file name.
    QVERIFY(platform::InstanceSocketPath(QStringLiteral("x")).endsWith(QStringLiteral("x-%1").arg(::getuid())));
  }

  void WindowAnswersActivateAndClose() {
    TempDir folder;
    CopySampleFolder(folder.path());
    InstanceChannel first(socket_);
    QCOMPARE(first.ClaimOrSend(QString()), InstanceChannel::Claim::First);
    gui::MainWindowOptions options;
    options.programDir = QString::fromStdString(folder.path().string());
    options.displayIconOnTaskBar = false;
    options.keyboardLayouts = std::make_shared<platform::NullKeyboardLayouts>();
    options.instance = &first;
    gui::TLexmoraAzeriDictionaries window(options);

    // A request before the window is shown waits for the show.
    QVERIFY(platform::SendInstanceRequest(socket_, QStringLiteral("activate")));
    QTest::qWait(200);
    QVERIFY(!window.isVisible());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(200);  // the waiting request is answered
    window.showMinimized();
    QTRY_VERIFY_WITH_TIMEOUT(window.isMinimized(), 2000);
    QVERIFY(platform::SendInstanceRequest(socket_, QStringLiteral("activate")));
    QTRY_VERIFY_WITH_TIMEOUT(!window.isMinimized(), 3000);
    QVERIFY(window.isVisible());

    // The application's activation selects the input box text.
    window.InputBox()->setText(QStringLiteral("kitab"));
    window.InputBox()->deselect();
    window.AppActivating();
    QCOMPARE(window.InputBox()->selectedText(), QStringLiteral("kitab"));

    // The agent's popup: a word shown in its group, a word marked in a group
    // that is not the current one.
    QVERIFY(platform::SendInstanceRequest(socket_, QStringLiteral("show 2 şəhər")));
    QTRY_COMPARE_WITH_TIMEOUT(window.SelectedHeadword(), QStringLiteral("şəhər"), 3000);
    QCOMPARE(window.CurrentGroup(), 2);
    QCOMPARE(window.InputBox()->text(), QStringLiteral("şəhər"));
    const int house = window.Session().ExactRow(1, u"house");
    QVERIFY(house >= 0);
    QVERIFY(platform::SendInstanceRequest(socket_, QStringLiteral("mark 1 house")));
    QTRY_VERIFY_WITH_TIMEOUT(window.Session().Group(1).userList[static_cast<std::size_t>(house)] == 1, 3000);
    QVERIFY(window.Session().ListChanged(1));
    QVERIFY(platform::SendInstanceRequest(socket_, QStringLiteral("mark 1 no-such-word")));

    QVERIFY(platform::SendInstanceRequest(socket_, QStringLiteral("close")));
    QTRY_VERIFY_WITH_TIMEOUT(!window.isVisible(), 3000);
  }

 private:
  TempDir dir_;
  QString socket_;
};

QTEST_MAIN(InstanceChannelTest)
#include "instance_channel_test.moc"
