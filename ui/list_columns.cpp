#include "ui/list_columns.h"

#include <QHeaderView>
#include <QMdiSubWindow>
#include <QHelpEvent>
#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QStyle>
#include <QTableView>
#include <QToolTip>
#include <algorithm>
#include <numeric>

namespace
{
// Rows measured from the top of a list, besides those on screen.
constexpr int kMeasuredRows = 256;
} // namespace

std::vector<int> FitColumnWidths(const std::vector<int>& shares, const std::vector<int>& needs,
                                 int budget)
{
  std::vector<int> widths = shares;
  const std::size_t n = std::min(shares.size(), needs.size());
  long spare = 0;
  long lacking = 0;
  for (std::size_t c = 0; c < n; ++c)
  {
    if (needs[c] > shares[c])
      lacking += needs[c] - shares[c];
    else
      spare += shares[c] - needs[c];
  }
  if (lacking == 0)
    return widths;
  const long given = std::min({spare, lacking, static_cast<long>(std::max(budget, 0))});
  if (given == 0)
    return widths;
  // The room given is taken from the spare columns in proportion to what
  // each can spare, and handed to the needy ones in proportion to their lack.
  long taken = 0;
  long handed = 0;
  std::size_t lastSpare = n;
  std::size_t lastNeedy = n;
  for (std::size_t c = 0; c < n; ++c)
  {
    if (needs[c] > shares[c])
    {
      const long part = given * (needs[c] - shares[c]) / lacking;
      widths[c] = shares[c] + static_cast<int>(part);
      handed += part;
      lastNeedy = c;
    }
    else if (spare > 0)
    {
      const long part = given * (shares[c] - needs[c]) / spare;
      widths[c] = shares[c] - static_cast<int>(part);
      taken += part;
      lastSpare = c;
    }
  }
  // Rounding leftovers go to the last column of each kind, so the total holds.
  if (lastNeedy < n)
    widths[lastNeedy] += static_cast<int>(given - handed);
  if (lastSpare < n)
    widths[lastSpare] -= static_cast<int>(given - taken);
  return widths;
}

int WindowGrowth(const QWidget* widget)
{
  // A child window of the main window's client area counts as the window.
  const QWidget* window = widget ? widget->window() : nullptr;
  for (const QWidget* w = widget; w; w = w->parentWidget())
    if (qobject_cast<const QMdiSubWindow*>(w))
    {
      window = w;
      break;
    }
  return window ? std::max(0, window->width() - window->minimumWidth()) : 0;
}

std::vector<int> ColumnNeeds(const QAbstractItemView* view, const QHeaderView* header)
{
  const QAbstractItemModel* model = view->model();
  const int columns = model ? model->columnCount() : 0;
  std::vector<int> needs(static_cast<std::size_t>(std::max(columns, 0)), 0);
  if (!model)
    return needs;
  QAbstractItemDelegate* delegate = view->itemDelegate();
  const int rows = model->rowCount();
  const int firstShown = std::max(0, view->indexAt(QPoint(0, 0)).row());
  int lastShown = view->indexAt(QPoint(0, view->viewport()->height() - 1)).row();
  if (lastShown < 0)
    lastShown = rows - 1;
  QStyleOptionViewItem option;
  option.initFrom(view->viewport());
  option.font = view->font();
  option.fontMetrics = view->fontMetrics();
  option.features = QStyleOptionViewItem::HasDisplay;
  auto measure = [&](int row)
  {
    for (int c = 0; c < columns; ++c)
      needs[static_cast<std::size_t>(c)] = std::max(
        needs[static_cast<std::size_t>(c)], delegate->sizeHint(option, model->index(row, c)).width());
  };
  const QFontMetrics headerMetrics(header->font());
  const int headerMargin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
  for (int c = 0; c < columns; ++c)
    needs[static_cast<std::size_t>(c)] =
      headerMetrics.horizontalAdvance(model->headerData(c, Qt::Horizontal).toString()) +
      2 * headerMargin;
  const int top = std::min(rows, kMeasuredRows);
  for (int row = 0; row < top; ++row)
    measure(row);
  for (int row = std::max(firstShown, top); row <= lastShown && row < rows; ++row)
    measure(row);
  return needs;
}

void FitListColumns(QAbstractItemView* view, QHeaderView* header, const std::vector<int>& shares)
{
  const std::vector<int> widths =
    FitColumnWidths(shares, ColumnNeeds(view, header), WindowGrowth(view));
  for (std::size_t c = 0; c < widths.size(); ++c)
    header->resizeSection(static_cast<int>(c), widths[c]);
}

bool CCutCellTipDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                    const QStyleOptionViewItem& option, const QModelIndex& index)
{
  if (!event || !view || event->type() != QEvent::ToolTip || !index.isValid())
    return QStyledItemDelegate::helpEvent(event, view, option, index);
  const QString text = index.data(Qt::DisplayRole).toString();
  if (!text.isEmpty() && sizeHint(option, index).width() > option.rect.width())
  {
    QToolTip::showText(event->globalPos(), text, view->viewport(), option.rect);
    return true;
  }
  QToolTip::hideText();
  event->ignore();
  return false;
}

void SetUpListTable(QTableView* list, QAbstractItemView::SelectionMode selection, int rowPadding)
{
  list->setSelectionMode(selection);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->setShowGrid(false);
  list->setWordWrap(false);
  list->setCornerButtonEnabled(false);
  list->setTabKeyNavigation(false);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  QHeaderView* rows = list->verticalHeader();
  rows->hide();
  const int rowHeight = list->fontMetrics().height() + rowPadding;
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setMinimumSectionSize(rowHeight);
  rows->setDefaultSectionSize(rowHeight);
  QHeaderView* header = list->horizontalHeader();
  header->setSectionsClickable(false);
  header->setSectionsMovable(false);
  header->setHighlightSections(false);
  header->setSectionResizeMode(QHeaderView::Interactive);
  header->setStretchLastSection(false);
  header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

std::vector<int> SelectedListRows(const QAbstractItemView* list)
{
  std::vector<int> rows;
  for (const QModelIndex& index : list->selectionModel()->selectedRows())
    rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

bool DeleteSelectedRows(QAbstractItemView* list,
                        const std::function<void(const std::vector<int>&)>& remove)
{
  const std::vector<int> rows = SelectedListRows(list);
  if (rows.empty())
    return false;
  list->selectionModel()->clearSelection();
  remove(rows);
  return true;
}
