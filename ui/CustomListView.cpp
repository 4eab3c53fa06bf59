#include "CustomListView.h"

#include <QHeaderView>

CustomListView::CustomListView(int id, const std::vector<Column> &columns, QWidget *parent)
    : QTableWidget(0, static_cast<int>(columns.size()), parent), id_(id)
{
    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Plain);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setHighlightSections(false);
    setItemDelegate(new CustomListDelegate(this));

    QPalette pal = palette();
    pal.setColor(QPalette::Base, groundColour());
    pal.setColor(QPalette::Window, groundColour());
    pal.setColor(QPalette::Text, textColour());
    setPalette(pal);

    for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
        auto *header = new QTableWidgetItem(columns[c].title);
        header->setTextAlignment(Qt::AlignCenter);
        setHorizontalHeaderItem(c, header);
        setColumnWidth(c, columns[c].width);
    }
}

void CustomListView::appendRow(const QStringList &texts)
{
    const int row = rowCount();
    insertRow(row);
    for (int c = 0; c < columnCount(); ++c) {
        auto *item = new QTableWidgetItem(c < texts.size() ? texts[c] : QString());
        item->setTextAlignment(Qt::AlignCenter);
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (c == 0)
            flags |= Qt::ItemIsEditable;  // the label may be edited, never kept
        item->setFlags(flags);
        setItem(row, c, item);
    }
}

int CustomListView::firstSelectedRow() const
{
    int first = -1;
    for (const QModelIndex &index : selectionModel()->selectedIndexes()) {
        if (first < 0 || index.row() < first)
            first = index.row();
    }
    return first;
}

void CustomListView::setCellText(int row, int column, const QString &text)
{
    QTableWidgetItem *cell = item(row, column);
    if (cell && cell->text() != text)
        cell->setText(text);
}

void CustomListDelegate::setModelData(QWidget *, QAbstractItemModel *, const QModelIndex &) const {}
