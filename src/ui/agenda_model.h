// The agenda of a chart as a Qt table: one row per entry in the chart's date order, its cells
// and order from the agenda table (forecast/agenda_table.h), and a proxy that filters and sorts
// by those rules.
#pragma once

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <vector>

#include "forecast/agenda_table.h"

namespace meridel {

class AgendaModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void SetAgenda(std::vector<AgendaEntry> entries, std::vector<RunRecord> runs);
    const AgendaEntry& Entry(int row) const { return entries_[static_cast<std::size_t>(row)]; }
    const std::vector<RunRecord>& Runs() const { return runs_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<AgendaEntry> entries_;
    std::vector<RunRecord> runs_;  // for the orbs' degrees
};

class AgendaProxy : public QSortFilterProxyModel {
public:
    AgendaProxy(AgendaModel* source, QObject* parent);
    void SetFilter(AgendaFilter filter);
    // The entries shown, in the order shown.
    std::vector<AgendaEntry> ShownEntries() const;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    // Equal cells keep the agenda's own order.
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    AgendaModel* source_;
    AgendaFilter filter_;
};

}  // namespace meridel
