#include "ui/project_tab_errors.h"

#include "model/project.h"
#include "model/text_lines.h"
#include "ui/qt_text.h"

#include <QAbstractListModel>
#include <QGroupBox>
#include <QListView>
#include <QPainter>
#include <QTextOption>
#include <QVBoxLayout>

// The lines of a CTextLines, converted only when a line is shown.
class CTextLinesModel : public QAbstractListModel
{
public:
  using QAbstractListModel::QAbstractListModel;
  void SetLines(CTextLines lines)
  {
    beginResetModel();
    mLines = std::move(lines);
    endResetModel();
  }
  int rowCount(const QModelIndex& parent = {}) const override
  {
    return parent.isValid() ? 0 : static_cast<int>(mLines.Count());
  }
  QVariant data(const QModelIndex& index, int role) const override
  {
    if (role != Qt::DisplayRole || !index.isValid() ||
        static_cast<std::size_t>(index.row()) >= mLines.Count())
      return {};
    return ToQt(mLines[static_cast<std::size_t>(index.row())]);
  }
  Qt::ItemFlags flags(const QModelIndex& index) const override
  {
    return index.isValid() ? Qt::ItemIsEnabled : Qt::NoItemFlags; // never selectable
  }

private:
  CTextLines mLines;
};

qreal CTabStopDelegate::TabStop(const QFontMetrics& metrics) { return 8.0 * metrics.averageCharWidth(); }

void CTabStopDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const
{
  painter->save();
  painter->fillRect(option.rect, option.palette.color(QPalette::Base));
  painter->setFont(option.font);
  painter->setPen(option.palette.color(QPalette::Text));
  const QFontMetrics metrics(option.font, painter->device());
  QTextOption layout(Qt::AlignLeft | Qt::AlignVCenter);
  layout.setWrapMode(QTextOption::NoWrap);
  layout.setTabStopDistance(TabStop(metrics));
  const QRectF text = QRectF(option.rect).adjusted(2, 0, 0, 0);
  painter->drawText(text, index.data().toString(), layout);
  painter->restore();
}

QSize CTabStopDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
  const QFontMetrics metrics(option.font);
  const qreal stop = TabStop(metrics);
  // The width as drawn: each tab moves on to the next stop.
  qreal x = 0;
  const QStringList parts = index.data().toString().split('\t');
  for (qsizetype i = 0; i < parts.size(); ++i)
  {
    if (i > 0)
      x = (static_cast<int>(x / stop) + 1) * stop;
    x += metrics.horizontalAdvance(parts[i]);
  }
  return {static_cast<int>(x) + 4, metrics.height() + 1};
}

CVTXPageSummary::CVTXPageSummary(CProjectPageHost& sheet)
    : CVTXProjectPage(sheet), mList(new QListView), mModel(new CTextLinesModel(this))
{
  mList->setModel(mModel);
  mList->setItemDelegate(new CTabStopDelegate(mList));
  mList->setSelectionMode(QAbstractItemView::NoSelection);
  mList->setEditTriggers(QAbstractItemView::NoEditTriggers);
  mList->setUniformItemSizes(true);
  mList->setFocusPolicy(Qt::NoFocus);
  // An untitled frame around the list.
  auto* frame = new QGroupBox(this);
  auto* inner = new QVBoxLayout(frame);
  inner->addWidget(mList);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(frame);
}

void CVTXPageSummary::Refresh()
{
  CTextLines lines;
  if (CProject* project = Project())
    project->ErrorSummary(lines);
  mModel->SetLines(std::move(lines));
}

QStringList CVTXPageSummary::Lines() const
{
  QStringList lines;
  for (int row = 0; row < mModel->rowCount(); ++row)
    lines << mModel->data(mModel->index(row), Qt::DisplayRole).toString();
  return lines;
}
