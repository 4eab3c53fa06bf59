#pragma once

#include <QColor>
#include <QString>
#include <QStyledItemDelegate>
#include <QTableWidget>

#include <vector>

// The report-style list of the custom dialogs: fixed columns with centred titles and
// text, grid lines, whole-row single selection, blue text on a sand-coloured ground.
// The user may start editing a row's first column in place (click on the selected row,
// or F2), but the edit is never kept: the row shows its old text again afterwards.
class CustomListView : public QTableWidget {
    Q_OBJECT
public:
    struct Column {
        QString title;
        int width;  // pixels
    };

    static QColor groundColour() { return QColor(207, 184, 130); }
    static QColor textColour() { return QColor(0, 0, 255); }

    CustomListView(int id, const std::vector<Column> &columns, QWidget *parent);

    int controlId() const { return id_; }

    // Appends a row with one text per column.
    void appendRow(const QStringList &texts);
    // The first selected row scanning from row 0, or -1.
    int firstSelectedRow() const;
    // Sets one cell's text, repainting only when it changes.
    void setCellText(int row, int column, const QString &text);

private:
    int id_;
};

// Paints the rows of a CustomListView and throws in-place edits away.
class CustomListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    // The edit is dropped: the cell keeps its text.
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
};
