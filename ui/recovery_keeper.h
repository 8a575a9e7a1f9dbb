#pragma once
// Keeps a recovery copy of every open project that has unsaved changes (see
// CRecoveryStore). It follows each project's document: a change that leaves
// the project modified makes its copy due, and a change that leaves it
// unmodified (a save, or edits taken back) removes the copy. Due copies are
// written at each tick of an interval (a minute in the program), so a
// project is copied at most once an interval and only after it changed. The
// project image is made on the calling (GUI) thread, which takes a moment
// even for a large project; the files are written on a worker thread of
// their own, one job after the other, so that a removal never overtakes the
// write before it. Closing a project removes its copy.

#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

class CProject;
class CProjectDocument;
class CRecoveryStore;

class CRecoveryKeeper : public QObject
{
public:
  // The store must be open and outlive the keeper.
  CRecoveryKeeper(CRecoveryStore& store, std::chrono::milliseconds interval);
  ~CRecoveryKeeper() override;

  // Follows the document (once, however often called).
  void Watch(CProjectDocument& document);
  // The project was restored from a copy an ended program left: its own
  // copy is written at once, and the old copy goes once that is written.
  void Adopt(const CProject* project, std::string oldCopy);
  // The project is about to close: its copy goes and it is no longer followed.
  void Forget(const CProject* project);
  // Writes every due copy now (each tick of the interval does).
  void WriteDue();
  // Waits until the worker has written and removed all it was given.
  void Wait();
  // The copy kept for the project; empty when it has none.
  std::string CopyOf(const CProject* project) const;

private:
  class CWatch;
  CWatch* Find(const CProject* project) const;
  // Removes the watch's copies (the one it wrote and an adopted one).
  void Drop(CWatch& watch);
  void Run(std::function<void()> job);

  CRecoveryStore& mStore;
  std::vector<std::unique_ptr<CWatch>> mWatches;
  QTimer mTimer;
  QThreadPool mWorker;
};

// The keeper of the program (nullptr when none is kept, as in most tests).
CRecoveryKeeper* RecoveryKeeper();
void SetRecoveryKeeper(CRecoveryKeeper* keeper);
