#pragma once
// The table model behind the two result grids of the design search page.
//
// A search can list millions of candidates, so the grids keep no text per cell: the
// model shows a shared CandidateList through an order (row indices into the list) and
// asks the list for a cell's text only when the view paints it. The list computes a
// candidate again to give its texts, so the model keeps the texts of the row it gave
// last: a view asks for the cells of a row one after the other. The full list and the
// filtered one share the same candidates; only their orders differ. A header click
// permutes the order, the filter selects from it.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include <QAbstractTableModel>
#include <QString>

#include "search/CandidateList.h"

namespace rockpile {

class CandidateModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CandidateModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Shows `order` of `list`; no rows when the list is empty or absent.
    void setRows(std::shared_ptr<const CandidateList> list, std::vector<std::uint32_t> order);
    // No rows.
    void clear();
    // The order was rearranged in place (sorted or reversed); the rows are the same.
    void orderChanged();

    const std::shared_ptr<const CandidateList>& list() const { return list_; }
    const std::vector<std::uint32_t>& order() const { return order_; }
    std::vector<std::uint32_t>& order() { return order_; }
    std::size_t size() const { return order_.size(); }

    // The 17 texts of the row shown at `row`.
    CandidateTexts rowTexts(int row) const;

    // Header texts, by creation index of the column.
    void setHeaderText(int column, const QString& text);
    QString headerText(int column) const;

private:
    std::shared_ptr<const CandidateList> list_;
    std::vector<std::uint32_t> order_;
    std::array<QString, candcol::Count> headers_;
    // The texts of the list row shown last (an index into the list, not a position).
    mutable std::size_t cachedRow_ = static_cast<std::size_t>(-1);
    mutable CandidateTexts cachedTexts_;
};

}  // namespace rockpile
