#include "ui/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>
#include <QtEndian>
#include <utility>

namespace
{
// How long a start waits for the running program to connect and to answer;
// generous, as the running program may be busy for a moment.
constexpr int kConnectMs = 5000;
constexpr int kAnswerMs = 10000;
// A connection that has not delivered its message by then is dropped.
constexpr int kReceiveMs = 30000;
constexpr char kTaken = 'K';
} // namespace

QString SingleInstanceName(const std::string& workFolder)
{
  const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (runtime.isEmpty() || workFolder.empty())
    return {};
  const QFileInfo folder(QFile::decodeName(QByteArray::fromStdString(workFolder)));
  QString canonical = folder.canonicalFilePath();
  if (canonical.isEmpty())
    canonical = QDir::cleanPath(folder.absoluteFilePath());
  QCryptographicHash hash(QCryptographicHash::Sha256);
  hash.addData(qEnvironmentVariable("USER").toUtf8());
  hash.addData(QByteArray(1, '\0'));
  hash.addData(canonical.toUtf8());
  // Short enough for a socket path however deep the runtime folder lies.
  return runtime + "/vantor-" + QString::fromLatin1(hash.result().toHex().left(16));
}

CSingleInstance::CSingleInstance(QString name, CFilesHandler handler, QObject* parent)
    : QObject(parent), mName(std::move(name)), mHandler(std::move(handler)),
      mServer(new QLocalServer(this))
{
  mServer->setSocketOptions(QLocalServer::UserAccessOption);
  connect(mServer, &QLocalServer::newConnection, this, &CSingleInstance::Accept);
}

CSingleInstance::EStart CSingleInstance::Start(const QStringList& files)
{
  if (mName.isEmpty())
    return EStart::Alone;
  // Twice at most: a name in use when nobody answered the first try is
  // taken by a program started since, or by the socket file of one that
  // crashed, which is removed when nobody answers again.
  for (int attempt = 0; attempt < 2; ++attempt)
  {
    const EHandOver handed = HandOver(files);
    if (handed != EHandOver::NoProgram)
      return handed == EHandOver::Taken ? EStart::HandedOver : EStart::Alone;
    if (attempt > 0)
      QLocalServer::removeServer(mName);
    if (mServer->listen(mName))
      return EStart::Listening;
    if (mServer->serverError() != QAbstractSocket::AddressInUseError)
      return EStart::Alone;
  }
  return EStart::Alone;
}

void CSingleInstance::Move(const QString& name)
{
  if (name == mName)
    return;
  // Closing removes this program's socket file.
  mServer->close();
  mName = name;
  if (mName.isEmpty())
    return;
  for (int attempt = 0; attempt < 2; ++attempt)
  {
    if (mServer->listen(mName) || mServer->serverError() != QAbstractSocket::AddressInUseError)
      return;
    // A program that answers keeps the name; a crash's socket file goes.
    QLocalSocket probe;
    probe.connectToServer(mName);
    if (probe.waitForConnected(kConnectMs))
      return;
    QLocalServer::removeServer(mName);
  }
}

CSingleInstance::EHandOver CSingleInstance::HandOver(const QStringList& files) const
{
  QLocalSocket socket;
  socket.connectToServer(mName);
  if (!socket.waitForConnected(kConnectMs))
    return EHandOver::NoProgram;
  QByteArray payload;
  for (const QString& path : files)
    payload += path.toUtf8() + '\0';
  if (payload.size() > kMaxHandOverBytes)
    return EHandOver::NoAnswer;
  QByteArray message(4, '\0');
  qToBigEndian(static_cast<quint32>(payload.size()), message.data());
  message += payload;
  socket.write(message);
  while (socket.bytesToWrite() > 0)
    if (!socket.waitForBytesWritten(kAnswerMs))
      return EHandOver::NoAnswer;
  char answer = 0;
  while (socket.bytesAvailable() < 1)
    if (!socket.waitForReadyRead(kAnswerMs))
      return EHandOver::NoAnswer;
  socket.getChar(&answer);
  return answer == kTaken ? EHandOver::Taken : EHandOver::NoAnswer;
}

void CSingleInstance::Accept()
{
  while (QLocalSocket* socket = mServer->nextPendingConnection())
  {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Read(socket); });
    QTimer::singleShot(kReceiveMs, socket, &QLocalSocket::abort);
    Read(socket);
  }
}

void CSingleInstance::Read(QLocalSocket* socket)
{
  if (socket->bytesAvailable() < 4)
    return;
  const QByteArray head = socket->peek(4);
  const qint64 size = qFromBigEndian<quint32>(head.constData());
  if (size > kMaxHandOverBytes)
  {
    socket->abort();
    socket->deleteLater();
    return;
  }
  if (socket->bytesAvailable() < 4 + size)
    return;
  socket->skip(4);
  const QByteArray payload = socket->read(size);
  disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
  if (!payload.isEmpty() && !payload.endsWith('\0'))
  {
    socket->abort();
    socket->deleteLater();
    return;
  }
  // Only absolute paths mean the same here as where they were given.
  QStringList files;
  for (const QByteArray& path : payload.split('\0'))
  {
    const QString file = QString::fromUtf8(path);
    if (!file.isEmpty() && QDir::isAbsolutePath(file))
      files << file;
  }
  socket->putChar(kTaken);
  socket->disconnectFromServer();
  // Acted on later, so that the sender is not kept waiting by the questions
  // opening the files may ask.
  QTimer::singleShot(0, this, [this, files] { mHandler(files); });
}
