#include "ui/window_registry.h"

#include <algorithm>

QMdiSubWindow* CWindowRegistry::Find(const CProjectDocument& document, const CArea* volume,
                                     bool report) const
{
  for (const CEntry& entry : mEntries)
    if (entry.mDocument == &document && entry.mVolume == volume && entry.mReport == report)
      return entry.mWindow;
  return nullptr;
}

void CWindowRegistry::Set(const CProjectDocument& document, const CArea* volume, bool report,
                          QMdiSubWindow* window)
{
  std::erase_if(mEntries,
                [&](const CEntry& entry) {
                  return entry.mDocument == &document && entry.mVolume == volume &&
                         entry.mReport == report;
                });
  if (!window)
    return;
  mEntries.push_back({&document, volume, report, window});
  // A window destroyed without leaving its project (its parent went first)
  // leaves no entry behind.
  QObject::connect(window, &QObject::destroyed, [this, window] { Forget(window); });
}

QMdiSubWindow* CWindowRegistry::ProjectWindow(const CProjectDocument& document) const
{
  return Find(document, nullptr, false);
}

void CWindowRegistry::SetProjectWindow(const CProjectDocument& document, QMdiSubWindow* window)
{
  Set(document, nullptr, false, window);
}

QMdiSubWindow* CWindowRegistry::ReportWindow(const CProjectDocument& document) const
{
  return Find(document, nullptr, true);
}

void CWindowRegistry::SetReportWindow(const CProjectDocument& document, QMdiSubWindow* window)
{
  Set(document, nullptr, true, window);
}

QMdiSubWindow* CWindowRegistry::VolumeWindow(const CProjectDocument& document,
                                             const CArea* volume) const
{
  return volume ? Find(document, volume, false) : nullptr;
}

void CWindowRegistry::SetVolumeWindow(const CProjectDocument& document, const CArea* volume,
                                      QMdiSubWindow* window)
{
  if (volume)
    Set(document, volume, false, window);
}

void CWindowRegistry::Forget(const QMdiSubWindow* window)
{
  std::erase_if(mEntries, [window](const CEntry& entry) { return entry.mWindow == window; });
}

CWindowRegistry& WindowRegistry()
{
  static CWindowRegistry registry;
  return registry;
}
