#pragma once
// The layer table StringGrid_QB2: one row per rock layer, 22 typed columns. Every cell
// holds a text; the column kind decides how a cell is edited and drawn:
//   integer, float, text  read-only cells written by the program
//   currency              a number field that accepts only the characters of a decimal
//                         number and keeps two decimals ("1" becomes "1.00")
//   popup list            a drop-down list of fixed texts
//   progress bar          the number of the cell (a share in percent) drawn as a bar
// Only the input columns 1 to 7, 10 and 11 can be edited.

#include <QStringList>
#include <QStyledItemDelegate>
#include <QTableWidget>

#include "core/PageRules.h"
#include "core/PileInput.h"

namespace rockpile {

enum class LayerColumnKind { Integer, Currency, PopupList, Float, Text, ProgressBar };

struct LayerColumn {
    const char* name;    // name of the column
    const char* header;  // header text, blanks included
    LayerColumnKind kind;
    int width;           // design width
};

// The 22 columns in their order (index = column number).
const LayerColumn& LayerColumnAt(int column);

// The items of the popup-list columns 2 (weathering) and 3 (integrity class).
QStringList WeatheringItems();
QStringList IntegrityItems();

// Columns the user can edit.
bool IsLayerInputColumn(int column);

// The text a currency cell keeps for a typed text, and which columns show for the
// modes: CurrencyText and RockRules (core/PageRules.h).

// Design height of a row of the table.
inline constexpr int kLayerRowHeight = 24;

// Creates the columns with their headers, widths, kinds and start visibility (0, 1, 3
// and 5 shown) and one empty row; keeps column 0 at the left when columns are moved.
void SetUpLayerTable(QTableWidget* table);

// Column widths and row heights for a page scale.
void ScaleLayerTable(QTableWidget* table, double scale);

// The layer table as a control of the page. Tab and Shift+Tab step through the cells
// the user can edit (visible input columns, row by row in the shown column order), also
// out of an open editor; after the last such cell Tab leaves the table for the next
// control of the page, and before the first Shift+Tab leaves it for the previous one.
// Ctrl+Tab and Ctrl+Shift+Tab leave at once from any cell. Entering by Tab starts at the
// first input cell, entering by Shift+Tab at the last.
class LayerGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit LayerGrid(QWidget* parent = nullptr);

    // The input cell after (forward) or before `from` in reading order; from an invalid
    // index, the first or the last input cell. Invalid when there is none.
    QModelIndex neighbourInputCell(const QModelIndex& from, bool forward) const;

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    // Hands the focus to the next or previous control of the window.
    void leave(bool forward);
};

class LayerTableDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Ctrl+Tab and Ctrl+Shift+Tab in an editor end the edit and leave the table.
    bool eventFilter(QObject* object, QEvent* event) override;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

}  // namespace rockpile
