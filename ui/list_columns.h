#pragma once
// The program's lists of rows (volumes, openings): how a table view is set
// up, its columns that start as fixed shares of the list's width and give
// room to the texts that need more, a delegate that shows a cell's whole text
// as a tool tip when its column cuts it, and deleting the selected rows.

#include <QAbstractItemView>
#include <QStyledItemDelegate>
#include <functional>
#include <vector>

class QHeaderView;
class QTableView;

// Sets up a list of rows: whole rows are selected (`selection` says how many),
// never edited in place, no grid, no row numbers, no horizontal scroll bar;
// rows of one fixed height (the font's height plus `rowPadding` pixels), so
// the view never measures rows, whatever their number; a header of left-
// aligned captions that are not clicked, moved or highlighted.
void SetUpListTable(QTableView* list, QAbstractItemView::SelectionMode selection, int rowPadding);

// The rows selected in the list, ascending, each once.
std::vector<int> SelectedListRows(const QAbstractItemView* list);

// The Delete button of a list: nothing without a selection; otherwise the
// selection is cleared (its rows are about to go) and `remove` is given the
// rows that were selected, ascending. True when there was something to delete.
bool DeleteSelectedRows(QAbstractItemView* list,
                        const std::function<void(const std::vector<int>&)>& remove);

// Widths of the columns: each starts at its share; columns whose text needs
// more take it from the spare room of the others (never below what their own
// text needs), up to `budget` pixels in all. What cannot be given is shared
// among the needy columns in proportion to what they lack. The widths add up
// to the shares' sum.
std::vector<int> FitColumnWidths(const std::vector<int>& shares, const std::vector<int>& needs,
                                 int budget);

// How much wider than its smallest size the widget's window is. A list at
// its window's smallest size shows the plain shares; as the window grows, its
// columns give the room to the texts that need it.
int WindowGrowth(const QWidget* widget);

// What each column of the view needs: its header and the cells of the first
// rows and of the rows on screen, as the view's delegate measures them. A list
// of thousands of rows is measured in part; a cell it cuts has its tool tip.
std::vector<int> ColumnNeeds(const QAbstractItemView* view, const QHeaderView* header);

// Sets the columns of the view to FitColumnWidths of the shares and its
// needs, with the growth of its window as the budget.
void FitListColumns(QAbstractItemView* view, QHeaderView* header, const std::vector<int>& shares);

// A delegate whose tool tip is the whole text of a cell its column cuts (and
// nothing over a cell shown whole). A cell is cut when the width the delegate
// asks for is more than the column gives.
class CCutCellTipDelegate : public QStyledItemDelegate
{
  Q_OBJECT
public:
  using QStyledItemDelegate::QStyledItemDelegate;
  bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                 const QModelIndex& index) override;
};
