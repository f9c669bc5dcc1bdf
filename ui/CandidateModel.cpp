#include "ui/CandidateModel.h"

#include <limits>

namespace rockpile {

CandidateModel::CandidateModel(QObject* parent) : QAbstractTableModel(parent)
{
    const std::array<std::string, candcol::Count> headers = CandidateHeaders();
    for (int c = 0; c < candcol::Count; ++c)
        headers_[static_cast<std::size_t>(c)] = QString::fromStdString(headers[static_cast<std::size_t>(c)]);
}

int CandidateModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid()) return 0;
    // A view counts rows in int; the search never lists more than that.
    return static_cast<int>(std::min<std::size_t>(order_.size(), std::numeric_limits<int>::max()));
}

int CandidateModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : candcol::Count;
}

QVariant CandidateModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !list_ || index.row() >= rowCount() || index.column() >= candcol::Count)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: {
        const std::size_t row = order_[static_cast<std::size_t>(index.row())];
        if (row != cachedRow_) {
            cachedTexts_ = list_->Texts(row);
            cachedRow_ = row;
        }
        return QString::fromStdString(cachedTexts_[static_cast<std::size_t>(index.column())]);
    }
    case Qt::TextAlignmentRole:
        // Every column is centred but the remarks.
        return index.column() == candcol::Remark ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                                 : QVariant(Qt::AlignCenter);
    default:
        return {};
    }
}

QVariant CandidateModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= candcol::Count) return {};
    if (role == Qt::DisplayRole) return headers_[static_cast<std::size_t>(section)];
    if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignCenter);
    return {};
}

Qt::ItemFlags CandidateModel::flags(const QModelIndex& index) const
{
    // Read-only cells that can be selected.
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void CandidateModel::setRows(std::shared_ptr<const CandidateList> list, std::vector<std::uint32_t> order)
{
    beginResetModel();
    cachedRow_ = static_cast<std::size_t>(-1);
    list_ = std::move(list);
    order_ = list_ ? std::move(order) : std::vector<std::uint32_t>();
    endResetModel();
}

void CandidateModel::clear() { setRows(nullptr, {}); }

void CandidateModel::orderChanged()
{
    // A reset rather than a layout change: nothing refers to the old positions, and
    // the caller selects the first row afresh.
    beginResetModel();
    endResetModel();
}

CandidateTexts CandidateModel::rowTexts(int row) const
{
    return list_->Texts(order_[static_cast<std::size_t>(row)]);
}

void CandidateModel::setHeaderText(int column, const QString& text)
{
    if (column < 0 || column >= candcol::Count) return;
    QString& header = headers_[static_cast<std::size_t>(column)];
    if (header == text) return;
    header = text;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

QString CandidateModel::headerText(int column) const
{
    if (column < 0 || column >= candcol::Count) return {};
    return headers_[static_cast<std::size_t>(column)];
}

}  // namespace rockpile
