#pragma once
// The child windows of each open project, keyed by its document: its project
// window, its one report window and one window a volume. A window is
// forgotten when it leaves its project (Forget) and when it is destroyed, so
// a lookup never finds a window that is gone or on its way out.

#include <QMdiSubWindow>
#include <vector>

class CArea;
class CProjectDocument;

class CWindowRegistry
{
public:
  QMdiSubWindow* ProjectWindow(const CProjectDocument& document) const;
  void SetProjectWindow(const CProjectDocument& document, QMdiSubWindow* window);
  QMdiSubWindow* ReportWindow(const CProjectDocument& document) const;
  void SetReportWindow(const CProjectDocument& document, QMdiSubWindow* window);
  QMdiSubWindow* VolumeWindow(const CProjectDocument& document, const CArea* volume) const;
  // nullptr forgets the volume's window.
  void SetVolumeWindow(const CProjectDocument& document, const CArea* volume,
                       QMdiSubWindow* window);
  // Forgets the window wherever it is registered.
  void Forget(const QMdiSubWindow* window);

private:
  // The project window has no volume; the report window is the entry with
  // mReport set.
  struct CEntry
  {
    const CProjectDocument* mDocument;
    const CArea* mVolume;
    bool mReport;
    QMdiSubWindow* mWindow;
  };
  QMdiSubWindow* Find(const CProjectDocument& document, const CArea* volume, bool report) const;
  void Set(const CProjectDocument& document, const CArea* volume, bool report,
           QMdiSubWindow* window);

  std::vector<CEntry> mEntries;
};

// The registry of the program's windows.
CWindowRegistry& WindowRegistry();
