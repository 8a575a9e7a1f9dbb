// One program per user and work folder: a second real `vantor` process hands
// its files to the running one (here a server in the test process) and ends.

#include "tests/common/temp_folder.h"
#include "ui/single_instance.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QSettings>
#include <QThread>
#include <QtEndian>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
// Runs events until `done` holds or a generous time has passed.
bool WaitFor(const std::function<bool()>& done)
{
  const QDeadlineTimer deadline(60000);
  while (!done() && !deadline.hasExpired())
  {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QThread::msleep(5);
  }
  return done();
}

// The user's runtime and settings folders in a scratch folder, the work
// folder remembered there, as the started program will read them.
class SingleInstanceTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    mSavedRuntime = qgetenv("XDG_RUNTIME_DIR");
    mSavedConfig = qgetenv("XDG_CONFIG_HOME");
    fs::create_directories(Root() / "config");
    fs::create_directories(Work());
    fs::create_directories(Started());
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(Root().string()));
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((Root() / "config").string()));
    QSettings ini(
        QString::fromStdString(
            (Root() / "config" / "Vantor" / "Vantor (R) System Calculation Program.ini").string()),
        QSettings::IniFormat);
    ini.setValue("Settings/Directory", QString::fromStdString(Work().string()));
  }
  void TearDown() override
  {
    Restore("XDG_RUNTIME_DIR", mSavedRuntime);
    Restore("XDG_CONFIG_HOME", mSavedConfig);
  }
  static void Restore(const char* name, const QByteArray& value)
  {
    if (value.isNull())
      qunsetenv(name);
    else
      qputenv(name, value);
  }

  fs::path Root() const { return mTemp.Path(); }
  fs::path Work() const { return Root() / "work"; }
  fs::path Started() const { return Root() / "started here"; }
  QString Name() const { return SingleInstanceName(Work().string()); }

  CTempFolder mTemp;
  QByteArray mSavedRuntime, mSavedConfig;
};

// Leaves a socket file on the name that nobody listens on, as a program
// that crashed does.
void LeaveStaleSocket(const QString& name)
{
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const QByteArray path = name.toLocal8Bit();
  ASSERT_LT(static_cast<std::size_t>(path.size()), sizeof address.sun_path);
  std::copy(path.begin(), path.end(), address.sun_path);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(::listen(fd, 1), 0);
  ::close(fd);
  ASSERT_TRUE(fs::exists(path.toStdString()));
}
} // namespace

TEST_F(SingleInstanceTest, ASecondStartHandsItsFilesToTheRunningProgramAndEnds)
{
  const QString started = QString::fromStdString(Started().string());
  const struct
  {
    QStringList mArguments;
    QStringList mReceived;
    bool mStaleSocket;
  } cases[] = {
      {{"Plant.ad", "/elsewhere/Ware house.ad"},
       {started + "/Plant.ad", "/elsewhere/Ware house.ad"},
       false},
      {{}, {}, false},
      // A socket file left by a crash neither blocks the running program
      // nor the hand-over.
      {{"Plant.ad"}, {started + "/Plant.ad"}, true},
  };
  for (const auto& c : cases)
  {
    SCOPED_TRACE(c.mArguments.join(' ').toStdString());
    if (c.mStaleSocket)
      LeaveStaleSocket(Name());
    QList<QStringList> received;
    CSingleInstance running(Name(), [&received](const QStringList& files) { received << files; });
    ASSERT_EQ(running.Start({}), CSingleInstance::EStart::Listening);

    QProcess second;
    second.setWorkingDirectory(started);
    second.start(VANTOR_PROGRAM_PATH, c.mArguments);
    ASSERT_TRUE(WaitFor([&] { return second.state() == QProcess::NotRunning; }))
        << "the second start did not end";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
    ASSERT_TRUE(WaitFor([&] { return !received.isEmpty(); }));
    EXPECT_EQ(received, QList<QStringList>{c.mReceived});
  }
}

// A message larger than any list of files is refused unread, and the
// program goes on taking well-formed ones.
TEST_F(SingleInstanceTest, AnAbsurdMessageIsRefused)
{
  int calls = 0;
  CSingleInstance running(Name(), [&calls](const QStringList&) { ++calls; });
  ASSERT_EQ(running.Start({}), CSingleInstance::EStart::Listening);

  QLocalSocket socket;
  socket.connectToServer(Name());
  ASSERT_TRUE(socket.waitForConnected(10000));
  QByteArray head(4, '\0');
  qToBigEndian(static_cast<quint32>(kMaxHandOverBytes + 1), head.data());
  socket.write(head + QByteArray(1000, 'x'));
  socket.flush();
  EXPECT_TRUE(WaitFor([&] { return socket.state() == QLocalSocket::UnconnectedState; }));
  QCoreApplication::processEvents();
  EXPECT_EQ(calls, 0);
}

// The running program changed its work folder: a start for the new folder
// finds it there, and the old folder's name is free again.
TEST_F(SingleInstanceTest, TheRunningProgramMovesWithItsWorkFolder)
{
  fs::create_directories(Root() / "old");
  const QString oldName = SingleInstanceName((Root() / "old").string());
  ASSERT_NE(oldName, Name());
  QList<QStringList> received;
  CSingleInstance running(oldName, [&received](const QStringList& files) { received << files; });
  ASSERT_EQ(running.Start({}), CSingleInstance::EStart::Listening);
  LeaveStaleSocket(Name()); // a crash's socket file is no obstacle either
  running.Move(Name());
  EXPECT_FALSE(QFileInfo::exists(oldName));

  QProcess second;
  second.setWorkingDirectory(QString::fromStdString(Work().string()));
  second.start(VANTOR_PROGRAM_PATH, {"Plant.ad"});
  ASSERT_TRUE(WaitFor([&] { return second.state() == QProcess::NotRunning; }));
  EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
  ASSERT_TRUE(WaitFor([&] { return !received.isEmpty(); }));
  EXPECT_EQ(received.front(), QStringList{QString::fromStdString((Work() / "Plant.ad").string())});
}
