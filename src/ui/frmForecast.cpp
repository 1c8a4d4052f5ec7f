#include "ui/frmForecast.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "dialogs/dialogs.h"
#include "ephemeris/names.h"
#include "forecast/agenda_table.h"
#include "forecast/chart_export.h"
#include "forecast/chart_runs.h"
#include "exports/export_view.h"
#include "ui/agenda_model.h"
#include "ui/frmTimeline.h"
#include "persist/registry.h"
#include "persist/whole_file.h"

namespace meridel {

namespace {

constexpr const char* kTitle = "Whole chart";
constexpr const char* kSaveTitle = "Save whole chart";
// The window's own part of the settings store, apart from the main window's saved state.
const std::string kSettingsKey = "\\Forecast";

QPushButton* Button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

QComboBox* List(QWidget* parent, const char* name, const std::vector<std::string>& entries) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    list->addItem(QStringLiteral("All"));
    for (const std::string& e : entries) list->addItem(QString::fromStdString(e));
    return list;
}

// Sun..Pluto, then the Moon: entry i is planet code i.
std::vector<std::string> Bodies() { return {BodyName.begin() + kSun, BodyName.end()}; }

std::optional<std::int16_t> Chosen(const QComboBox* list) {
    if (list->currentIndex() <= 0) return std::nullopt;
    return static_cast<std::int16_t>(list->currentIndex());
}

}  // namespace

frmForecast::frmForecast(QWidget* parent, PairRun runPair) : QWidget(parent, Qt::Window), runPair_(std::move(runPair)) {
    setObjectName(QStringLiteral("frmForecast"));
    setWindowTitle(QString::fromLatin1(kTitle));

    std::vector<std::string> kinds;
    for (int k = 0; k < kAgendaKindGroups; ++k) kinds.push_back(AgendaKindGroupName(static_cast<AgendaKindGroup>(k)));
    cboMoving = List(this, "cboMoving", Bodies());
    cboSecond = List(this, "cboSecond", Bodies());
    cboAspect = List(this, "cboAspect", {AspectName.begin() + kConjunction, AspectName.end()});
    cboKind = List(this, "cboKind", kinds);
    txbFind = new QLineEdit(this);
    txbFind->setObjectName(QStringLiteral("txbFind"));
    txbFind->setPlaceholderText(QStringLiteral("Text in the event"));
    txbFind->setClearButtonEnabled(true);

    model_ = new AgendaModel(this);
    proxy_ = new AgendaProxy(model_, this);
    table = new QTableView(this);
    table->setObjectName(QStringLiteral("table"));
    table->setModel(proxy_);
    table->setSortingEnabled(true);
    table->sortByColumn(static_cast<int>(AgendaColumn::Date), Qt::AscendingOrder);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setAlternatingRowColors(true);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setSectionsMovable(true);
    table->horizontalHeader()->setStretchLastSection(true);
    const std::array<int, kAgendaColumns> widths{90, 50, 340, 100, 150, 90, 45, 130};
    for (int c = 0; c < kAgendaColumns; ++c) table->setColumnWidth(c, widths[static_cast<std::size_t>(c)]);

    progress = new QProgressBar(this);
    progress->setObjectName(QStringLiteral("progress"));
    progress->setFormat(QStringLiteral("%v of %m runs"));
    cmdStop = Button(this, "cmdStop", QStringLiteral("Stop"));
    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    cmdTimeline = Button(this, "cmdTimeline", QStringLiteral("Show timeline"));
    cmdSave = Button(this, "cmdSave", QStringLiteral("Save..."));
    cmdClose = Button(this, "cmdClose", QStringLiteral("Close"));

    auto* filters = new QHBoxLayout;
    const std::array<std::pair<const char*, QWidget*>, 5> labelled{
        {{"Moving planet", cboMoving}, {"Natal body or partner", cboSecond}, {"Aspect", cboAspect}, {"Kind", cboKind},
         {"Find", txbFind}}};
    for (const auto& [caption, control] : labelled) {
        filters->addWidget(new QLabel(QString::fromLatin1(caption), this));
        filters->addWidget(control);
    }
    filters->setStretchFactor(txbFind, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(progress);
    bottom->addWidget(cmdStop);
    bottom->addWidget(lblStatus, 1);
    bottom->addWidget(cmdTimeline);
    bottom->addWidget(cmdSave);
    bottom->addWidget(cmdClose);
    auto* column = new QVBoxLayout(this);
    column->addLayout(filters);
    column->addWidget(table, 1);
    column->addLayout(bottom);

    poll_ = new QTimer(this);
    poll_->setInterval(100);
    connect(poll_, &QTimer::timeout, this, [this] { PollChart(); });
    for (QComboBox* list : {cboMoving, cboSecond, cboAspect, cboKind})
        connect(list, &QComboBox::currentIndexChanged, this, [this] { ApplyFilter(); });
    connect(txbFind, &QLineEdit::textChanged, this, [this] { ApplyFilter(); });
    connect(table, &QTableView::doubleClicked, this, [this](const QModelIndex& index) { table_DoubleClick(index.row()); });
    connect(cmdStop, &QPushButton::clicked, this, [this] { StopChart(); });
    connect(cmdTimeline, &QPushButton::clicked, this, [this] { cmdTimeline_Click(); });
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { close(); });

    resize(1040, 600);
    RestoreSettings();
    SetRunning(false);
}

frmForecast::~frmForecast() {
    StopChart();
    if (isVisible()) SaveSettings();
}

void frmForecast::StartChart(const Sky& sky, const RequestInput& input) {
    StopChart();
    chart_ = ChartResult();
    model_->SetAgenda({}, {});
    input_ = input;
    stop_ = false;
    finished_ = false;
    done_ = 0;
    total_ = static_cast<int>(ChartPairs(input.world).size());
    lblStatus->setText(QStringLiteral("Working out the chart..."));
    // The thread has the sky, the request and its result to itself; the window reads only the
    // counters until finished_ says the result is complete.
    worker_ = std::thread([this, sky, input] {
        result_ = RunChart(
            sky, input,
            [this](int done, int total) {
                total_ = total;
                done_ = done;
            },
            &stop_);
        finished_.store(true, std::memory_order_release);
    });
    SetRunning(true);
    poll_->start();
    show();
    raise();
    activateWindow();
}

void frmForecast::StopChart() {
    if (!worker_.joinable()) return;
    stop_ = true;
    worker_.join();
    poll_->stop();
    result_ = ChartResult();
    SetRunning(false);
    lblStatus->setText(QStringLiteral("Stopped; start the chart again from the main window."));
}

void frmForecast::PollChart() {
    progress->setMaximum(std::max(1, total_.load()));
    progress->setValue(done_.load());
    if (!finished_.load(std::memory_order_acquire)) return;
    worker_.join();
    poll_->stop();
    ChartResult chart = std::move(result_);
    result_ = ChartResult();
    SetRunning(false);
    if (chart.refusal) {
        lblStatus->setText(QStringLiteral("No chart: the request was refused."));
        ShowMessages(chart.refusal->messages);
        return;
    }
    ShowChart(std::move(chart));
}

void frmForecast::ShowChart(ChartResult chart) {
    chart_ = std::move(chart);
    // The period's own days: a listing also names where a transit under way at its start began.
    model_->SetAgenda(AgendaWithin(AgendaOf(chart_.runs, chart_.events, chart_.zoneMinutes), chart_.firstDay, chart_.lastDay),
                      chart_.runs);
    SetRunning(false);
    ApplyFilter();
    // Runs start before the period where a transit was already in effect: show the period's start.
    const QHeaderView* header = table->horizontalHeader();
    if (header->sortIndicatorSection() != static_cast<int>(AgendaColumn::Date) ||
        header->sortIndicatorOrder() != Qt::AscendingOrder)
        return;
    const std::vector<AgendaEntry> shown = ShownEntries();
    const auto first = std::find_if(shown.begin(), shown.end(), [this](const AgendaEntry& e) { return e.day >= chart_.firstDay; });
    if (first == shown.end()) return;
    table->doItemsLayout();  // the scroll bar's range for the new rows
    table->scrollTo(proxy_->index(static_cast<int>(first - shown.begin()), 0), QAbstractItemView::PositionAtTop);
}

void frmForecast::SetRunning(bool running) {
    progress->setVisible(running);
    cmdStop->setVisible(running);
    const bool shown = !running && !chart_.runs.empty();
    cmdSave->setEnabled(shown);
    cmdTimeline->setEnabled(shown);
}

void frmForecast::ApplyFilter() {
    AgendaFilter filter;
    filter.moving = Chosen(cboMoving);
    filter.second = Chosen(cboSecond);
    filter.aspect = Chosen(cboAspect);
    if (cboKind->currentIndex() > 0) filter.kind = static_cast<AgendaKindGroup>(cboKind->currentIndex() - 1);
    filter.text = txbFind->text().toStdString();
    proxy_->SetFilter(std::move(filter));
    if (chart_.runs.empty()) return;
    const TransitRequest& first = chart_.runs.front().request;
    lblStatus->setText(QStringLiteral("%1 chart %2 to %3 (%4): %5 of %6 events shown")
                           .arg(QString::fromStdString(ModeText(first)), QString::fromStdString(IsoDate(chart_.firstDay)),
                                QString::fromStdString(IsoDate(chart_.lastDay)), QString::fromStdString(first.zoneText))
                           .arg(proxy_->rowCount())
                           .arg(model_->rowCount()));
}

std::vector<AgendaEntry> frmForecast::ShownEntries() const { return proxy_->ShownEntries(); }

void frmForecast::table_DoubleClick(int row) {
    if (row < 0 || row >= proxy_->rowCount() || !runPair_) return;
    const AgendaEntry& entry = model_->Entry(proxy_->mapToSource(proxy_->index(row, 0)).row());
    if (const auto input = PairRunInput(input_, entry)) runPair_(*input);
}

void frmForecast::cmdSave_Click() {
    if (chart_.runs.empty()) return;
    const auto chosen = ActiveDialogs().ChooseSaveFile(
        kSaveTitle, lastSavePath_.empty() ? "chart.ics" : lastSavePath_,
        "iCalendar files (*.ics)|*.ics|CSV files (*.csv)|*.csv|JSON files (*.json)|*.json|Text, the agenda (*.txt)|*.txt");
    if (!chosen || chosen->empty()) return;
    const std::string& path = *chosen;
    const std::string bytes = ExportChart(OutputFormatOfPath(path), chart_, ShownEntries(), CurrentUtcStamp());
    const std::string error = ReplaceFileWhole(QString::fromStdString(path), QByteArray::fromStdString(bytes));
    if (!error.empty()) {
        ActiveDialogs().ShowMessage("Cannot write " + path + ": " + error, MessageIcon::Exclamation, kSaveTitle);
        return;
    }
    lastSavePath_ = path;
}

void frmForecast::cmdTimeline_Click() {
    if (chart_.runs.empty()) return;
    if (!TimelineWindow) TimelineWindow = new frmTimeline(this);
    TimelineWindow->ShowGroupedRuns(chart_.runs, chart_.sky, chart_.events);
}

void frmForecast::closeEvent(QCloseEvent* event) {
    StopChart();
    SaveSettings();
    if (TimelineWindow) TimelineWindow->hide();
    event->accept();
}

// Size "W H", the lists' positions "M S A K", the text sought, and the columns (order, widths and
// sorting) as the table's header keeps them.
void frmForecast::RestoreSettings() {
    std::string value;
    if (RestoreRegistryValue(kSettingsKey, "Size", value, "")) {
        const QStringList parts = QString::fromStdString(value).split(QLatin1Char(' '));
        if (parts.size() == 2 && parts[0].toInt() >= 300 && parts[1].toInt() >= 200)
            resize(parts[0].toInt(), parts[1].toInt());
    }
    if (RestoreRegistryValue(kSettingsKey, "Filters", value, "")) {
        const QStringList parts = QString::fromStdString(value).split(QLatin1Char(' '));
        const std::array<QComboBox*, 4> lists{cboMoving, cboSecond, cboAspect, cboKind};
        for (qsizetype i = 0; i < parts.size() && i < 4; ++i) {
            const int position = parts[i].toInt();
            if (position >= 0 && position < lists[static_cast<std::size_t>(i)]->count())
                lists[static_cast<std::size_t>(i)]->setCurrentIndex(position);
        }
    }
    if (RestoreRegistryValue(kSettingsKey, "Find", value, "")) txbFind->setText(QString::fromStdString(value).trimmed());
    if (RestoreRegistryValue(kSettingsKey, "Columns", value, ""))
        table->horizontalHeader()->restoreState(QByteArray::fromBase64(QByteArray::fromStdString(value)));
}

void frmForecast::SaveSettings() const {
    SaveRegistryValue(kSettingsKey, "Size", QStringLiteral("%1 %2").arg(width()).arg(height()).toStdString());
    SaveRegistryValue(kSettingsKey, "Filters",
                      QStringLiteral("%1 %2 %3 %4")
                          .arg(cboMoving->currentIndex())
                          .arg(cboSecond->currentIndex())
                          .arg(cboAspect->currentIndex())
                          .arg(cboKind->currentIndex())
                          .toStdString());
    SaveRegistryValue(kSettingsKey, "Find", txbFind->text().toStdString());
    SaveRegistryValue(kSettingsKey, "Columns", table->horizontalHeader()->saveState().toBase64().toStdString());
}

}  // namespace meridel
