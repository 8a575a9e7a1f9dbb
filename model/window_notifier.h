#pragma once
// A window that the model can ask to refresh itself. The request is queued by
// the window and handled later on the same thread, never inside the call.
// Windows implement it; the model keeps plain pointers that are never stored.

class CWindowNotifier
{
public:
  virtual ~CWindowNotifier() = default;
  virtual void PostRefresh() = 0;
  // Asks the window to close as the user closing it would (used for report
  // windows) or to go away without asking (volume windows of a closing project).
  virtual void RequestClose() {}
};
