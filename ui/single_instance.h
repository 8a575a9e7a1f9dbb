#pragma once
// One running program per user and work folder. A later start hands the
// files it was given to the program already running and ends; the running
// program opens them as files named on its command line and comes to the
// front.
//
// The programs meet on a local socket in the user's runtime folder whose
// name is derived from the user and the canonical work-folder path. A
// message is a 4-byte big-endian byte count followed by that many bytes of
// UTF-8 absolute paths, each ended by a NUL (a path holds none); the
// receiver reads it whole, answers one byte and only then acts, so the
// sender never waits for what opening the files asks the user. A message
// larger than kMaxHandOverBytes is refused unread.

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <string>

class QLocalServer;
class QLocalSocket;

inline constexpr qint64 kMaxHandOverBytes = 1 << 20;

// The socket name for the work folder (a path in the user's runtime folder).
QString SingleInstanceName(const std::string& workFolder);

class CSingleInstance : public QObject
{
  Q_OBJECT
public:
  // Called in the running program for each start handed over to it, with
  // the files that start was given (possibly none).
  using CFilesHandler = std::function<void(const QStringList& files)>;

  CSingleInstance(QString name, CFilesHandler handler, QObject* parent = nullptr);

  enum class EStart
  {
    HandedOver, // another program took the files: end this one
    Listening,  // this is the running program now
    Alone       // no program took them and none could listen: run on its own
  };
  // Hands `files` to a running program, else listens for later starts. A
  // socket file left by a program that crashed is removed.
  EStart Start(const QStringList& files);
  // The running program's work folder changed: later starts for the new
  // folder find it under that folder's name, and the old name is given up.
  // Where a program for the new folder is already running, that one keeps
  // the name and this one takes no more hand-overs.
  void Move(const QString& name);

private:
  enum class EHandOver
  {
    Taken,     // a running program has the files
    NoProgram, // nobody listens on the name
    NoAnswer   // somebody listens but did not take them
  };
  EHandOver HandOver(const QStringList& files) const;
  void Accept();
  void Read(QLocalSocket* socket);

  QString mName;
  CFilesHandler mHandler;
  QLocalServer* mServer;
};
