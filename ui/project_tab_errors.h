#pragma once
// The "Errors" page: a read-only list of the project's error summary, one
// line per entry, with tab characters expanded to tab stops.

#include "ui/project_page.h"

#include <QStyledItemDelegate>

class CTextLinesModel;
class QListView;

// Draws a line of text with its tab characters expanded to tab stops of
// eight average character widths.
class CTabStopDelegate : public QStyledItemDelegate
{
  Q_OBJECT
public:
  using QStyledItemDelegate::QStyledItemDelegate;
  // The distance between tab stops in pixels for a font.
  static qreal TabStop(const QFontMetrics& metrics);
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

class CVTXPageSummary : public CVTXProjectPage
{
  Q_OBJECT
public:
  explicit CVTXPageSummary(CProjectPageHost& sheet);
  void Refresh() override;

  QListView* List() const { return mList; }
  // The lines shown, in order (for tests and the screen alike).
  QStringList Lines() const;

private:
  QListView* mList;
  CTextLinesModel* mModel;
};
