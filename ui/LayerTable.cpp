#include "ui/LayerTable.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QStyleOptionProgressBar>
#include <QTableWidget>

#include "core/ComputePile.h"
#include <algorithm>
#include <array>
#include <cmath>

namespace rockpile {
namespace {

using K = LayerColumnKind;

const std::array<LayerColumn, col::Count> kColumns = {{
    {"strgrd00_Int_Nun", "岩层", K::Integer, 36},
    {"strgrd01_Flo_lr", "嵌岩 lr(m)", K::Currency, 72},
    {"strgrd02_Str_fenghuachengdu", " 风化程度", K::PopupList, 72},
    {"strgrd03_Str_wanzhengchengdu", " 完整程度", K::PopupList, 72},
    {"strgrd04_Flo_wangzhengzhishu", "完整性指数", K::Currency, 76},
    {"strgrd05_Flo_frk", "frk (MPa)", K::Currency, 72},
    {"strgrd06_Flo_c1", "端阻系数 C1", K::Currency, 80},
    {"strgrd07_Flo_c2", "侧阻系数 C2", K::Currency, 80},
    {"strgrd08_Flo_xishuC1", "计算采用 C1", K::Float, 80},
    {"strgrd09_Flo_xishuC2", "计算采用 C2", K::Float, 80},
    {"strgrd10_Flo_qpk", "端阻 qpa(kPa)", K::Currency, 92},
    {"strgrd11_Flo_qsrk", "侧阻 qra(kPa)", K::Currency, 92},
    {"strgrd12_Flo_Quk", "   Ra (kN)", K::Float, 80},
    {"strgrd13_Flo_Qpk", "   Rpa (kN)", K::Float, 80},
    {"strgrd14_Flo_SegemaQsrik", " ∑Rria (kN)", K::Float, 84},
    {"strgrd15_Flo_Qsrik", "   Rria (kN)", K::Float, 84},
    {"strgrd16_Str_percent", "   Rria/Ra", K::Text, 76},
    {"strgrd17_Pic_percent", "侧阻占比图例", K::ProgressBar, 92},
    {"strgrd18_Str_beizhu", "       备        注", K::Text, 200},
    {"strgrd19_Str_Ysjycd", "", K::Text, 64},
    {"strgrd20_Flo_ChazhiC1", "插值系数C1", K::Currency, 80},
    {"strgrd21_Flo_ChazhiC2", "插值系数C2", K::Currency, 80},
}};

// Digits with an optional sign and one optional decimal point, as typed.
const QRegularExpression kCurrencyTyping(QStringLiteral("[-+]?[0-9]*\\.?[0-9]*"));

}  // namespace

const LayerColumn& LayerColumnAt(int column) { return kColumns.at(static_cast<size_t>(column)); }

QStringList WeatheringItems() { return {QStringLiteral("微风化"), QStringLiteral("中风化")}; }

QStringList IntegrityItems()
{
    QStringList items;
    for (const char* text : kIntegrityClasses) items << QString::fromUtf8(text);
    return items;
}

bool IsLayerInputColumn(int column)
{
    return (column >= col::Lr && column <= col::C2Manual) || column == col::Qpa ||
           column == col::Qra;
}

void SetUpLayerTable(QTableWidget* table)
{
    table->setColumnCount(col::Count);
    table->setRowCount(1);
    for (int c = 0; c < col::Count; ++c) {
        const LayerColumn& column = kColumns[static_cast<size_t>(c)];
        auto* header = new QTableWidgetItem(QString::fromUtf8(column.header));
        header->setData(Qt::UserRole, QString::fromLatin1(column.name));
        table->setHorizontalHeaderItem(c, header);
    }
    table->setItemDelegate(new LayerTableDelegate(table));
    table->verticalHeader()->hide();
    table->setShowGrid(true);
    table->setTabKeyNavigation(true);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setSelectionBehavior(QAbstractItemView::SelectItems);
    table->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);

    QHeaderView* header = table->horizontalHeader();
    header->setSectionsMovable(true);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setHighlightSections(false);
    // Column 0, the layer number, stays at the left whatever the user moves.
    QObject::connect(header, &QHeaderView::sectionMoved, table, [header] {
        if (header->visualIndex(col::Number) != 0) {
            const QSignalBlocker blocker(header);
            header->moveSection(header->visualIndex(col::Number), 0);
        }
    });

    for (int c = 0; c < col::Count; ++c)
        table->setColumnHidden(c, !(c == col::Number || c == col::Lr ||
                                    c == col::Integrity || c == col::Frk));
    ScaleLayerTable(table, 1.0);
}

void ScaleLayerTable(QTableWidget* table, double scale)
{
    for (int c = 0; c < col::Count; ++c)
        table->setColumnWidth(c, int(std::lround(kColumns[static_cast<size_t>(c)].width * scale)));
    table->verticalHeader()->setMinimumSectionSize(1);
    table->verticalHeader()->setDefaultSectionSize(int(std::lround(kLayerRowHeight * scale)));
}

LayerGrid::LayerGrid(QWidget* parent) : QTableWidget(parent) {}

QModelIndex LayerGrid::neighbourInputCell(const QModelIndex& from, bool forward) const
{
    // Input cells in reading order: rows from the top, columns as shown.
    const QHeaderView* header = horizontalHeader();
    const int columns = header->count();
    const int cells = rowCount() * columns;
    const auto cellAt = [&](int position) {
        return model()->index(position / columns, header->logicalIndex(position % columns));
    };
    const auto isInput = [&](const QModelIndex& index) {
        return IsLayerInputColumn(index.column()) && !isColumnHidden(index.column()) &&
               !isRowHidden(index.row());
    };
    int position = forward ? -1 : cells;
    if (from.isValid()) position = from.row() * columns + header->visualIndex(from.column());
    for (position += forward ? 1 : -1; position >= 0 && position < cells; position += forward ? 1 : -1) {
        const QModelIndex index = cellAt(position);
        if (isInput(index)) return index;
    }
    return QModelIndex();
}

QModelIndex LayerGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    if (action == MoveNext || action == MovePrevious) {
        const QModelIndex next = neighbourInputCell(currentIndex(), action == MoveNext);
        return next.isValid() ? next : currentIndex();
    }
    return QTableWidget::moveCursor(action, modifiers);
}

bool LayerGrid::focusNextPrevChild(bool next)
{
    // Within the table while there is an input cell in that direction; out of it after
    // the last and before the first.
    if (tabKeyNavigation() && neighbourInputCell(currentIndex(), next).isValid())
        return QTableWidget::focusNextPrevChild(next);
    return QWidget::focusNextPrevChild(next);
}

void LayerGrid::keyPressEvent(QKeyEvent* event)
{
    const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    if (tab && (event->modifiers() & Qt::ControlModifier)) {
        leave(event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier));
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void LayerGrid::focusInEvent(QFocusEvent* event)
{
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason) {
        const QModelIndex start =
            neighbourInputCell(QModelIndex(), event->reason() == Qt::TabFocusReason);
        if (start.isValid()) setCurrentIndex(start);
    }
    QTableWidget::focusInEvent(event);
}

void LayerGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    // Tab out of the editor of the last input cell (Shift+Tab out of the first) ends the
    // edit and leaves the table instead of wrapping around to the other end.
    const bool forward = hint == QAbstractItemDelegate::EditNextItem;
    if ((forward || hint == QAbstractItemDelegate::EditPreviousItem) &&
        !neighbourInputCell(currentIndex(), forward).isValid()) {
        QTableWidget::closeEditor(editor, QAbstractItemDelegate::NoHint);
        leave(forward);
        return;
    }
    QTableWidget::closeEditor(editor, hint);
}

void LayerGrid::leave(bool forward)
{
    setFocus(Qt::OtherFocusReason);
    QWidget::focusNextPrevChild(forward);
}

bool LayerTableDelegate::eventFilter(QObject* object, QEvent* event)
{
    auto* editor = qobject_cast<QWidget*>(object);
    if (editor && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (tab && (key->modifiers() & Qt::ControlModifier)) {
            emit commitData(editor);
            emit closeEditor(editor, NoHint);
            // The table has the focus again; it leaves as from a cell.
            if (auto* table = qobject_cast<QWidget*>(parent())) {
                QKeyEvent again(QEvent::KeyPress, key->key(), key->modifiers());
                QCoreApplication::sendEvent(table, &again);
            }
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

QWidget* LayerTableDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const
{
    const int column = index.column();
    if (!IsLayerInputColumn(column)) return nullptr;
    switch (LayerColumnAt(column).kind) {
    case K::Currency: {
        auto* editor = new QLineEdit(parent);
        editor->setValidator(new QRegularExpressionValidator(kCurrencyTyping, editor));
        editor->setInputMethodHints(Qt::ImhFormattedNumbersOnly);
        editor->setFrame(false);
        return editor;
    }
    case K::PopupList: {
        auto* editor = new QComboBox(parent);
        editor->addItems(column == col::Weathering ? WeatheringItems() : IntegrityItems());
        // A pick ends the edit at once, as a popup list does.
        connect(editor, &QComboBox::activated, this, [this, editor] {
            auto* self = const_cast<LayerTableDelegate*>(this);
            emit self->commitData(editor);
            emit self->closeEditor(editor);
        });
        return editor;
    }
    default:
        return QStyledItemDelegate::createEditor(parent, option, index);
    }
}

void LayerTableDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const QString text = index.data(Qt::EditRole).toString();
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        combo->setCurrentIndex(combo->findText(text));
    } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        line->setText(text);
    } else {
        QStyledItemDelegate::setEditorData(editor, index);
    }
}

void LayerTableDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                      const QModelIndex& index) const
{
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        if (combo->currentIndex() >= 0) model->setData(index, combo->currentText(), Qt::EditRole);
    } else if (auto* line = qobject_cast<QLineEdit*>(editor);
               line && LayerColumnAt(index.column()).kind == K::Currency) {
        model->setData(index, QString::fromStdString(CurrencyText(line->text().toStdString())), Qt::EditRole);
    } else {
        QStyledItemDelegate::setModelData(editor, model, index);
    }
}

void LayerTableDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const
{
    if (LayerColumnAt(index.column()).kind != K::ProgressBar) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // The cell background and selection as any cell, then the bar instead of the text.
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    cell.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);

    const QString text = index.data(Qt::DisplayRole).toString();
    if (text.trimmed().isEmpty()) return;
    const double share = ReadNumber(text.toStdString());
    QStyleOptionProgressBar bar;
    bar.rect = option.rect.adjusted(3, 4, -3, -4);
    bar.state = option.state | QStyle::State_Horizontal;
    bar.direction = option.direction;
    bar.fontMetrics = option.fontMetrics;
    bar.minimum = 0;
    bar.maximum = 1000;
    bar.progress = int(std::lround(std::clamp(share, 0.0, 100.0) * 10));
    bar.textVisible = false;
    style->drawControl(QStyle::CE_ProgressBar, &bar, painter, widget);
}

}  // namespace rockpile
