#include "ui/agenda_model.h"

namespace meridel {

void AgendaModel::SetAgenda(std::vector<AgendaEntry> entries, std::vector<RunRecord> runs) {
    beginResetModel();
    entries_ = std::move(entries);
    runs_ = std::move(runs);
    endResetModel();
}

int AgendaModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

int AgendaModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kAgendaColumns; }

QVariant AgendaModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return QString::fromStdString(AgendaCell(Entry(index.row()), static_cast<AgendaColumn>(index.column()), runs_));
}

QVariant AgendaModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    return QString::fromStdString(AgendaColumnTitle(static_cast<AgendaColumn>(section)));
}

AgendaProxy::AgendaProxy(AgendaModel* source, QObject* parent) : QSortFilterProxyModel(parent), source_(source) {
    setSourceModel(source);
}

void AgendaProxy::SetFilter(AgendaFilter filter) {
    filter_ = std::move(filter);
    invalidateFilter();
}

std::vector<AgendaEntry> AgendaProxy::ShownEntries() const {
    std::vector<AgendaEntry> shown;
    shown.reserve(static_cast<std::size_t>(rowCount()));
    for (int row = 0; row < rowCount(); ++row) shown.push_back(source_->Entry(mapToSource(index(row, 0)).row()));
    return shown;
}

bool AgendaProxy::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    return AgendaRowShown(source_->Entry(sourceRow), filter_);
}

bool AgendaProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const int order = CompareAgendaRows(source_->Entry(left.row()), source_->Entry(right.row()),
                                        static_cast<AgendaColumn>(left.column()), source_->Runs());
    return order != 0 ? order < 0 : left.row() < right.row();
}

}  // namespace meridel
