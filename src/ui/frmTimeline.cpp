#include "ui/frmTimeline.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "calendar/clock.h"
#include "dialogs/dialogs.h"
#include "ephemeris/names.h"
#include "timeline/lane_groups.h"
#include "picture/timeline_export.h"
#include "ui/timeline_view.h"

namespace meridel {

namespace {

const char* const kHint = "Ctrl+wheel or + and - zoom, 0 shows the whole period; Shift+wheel, the arrow keys or "
                          "dragging move about; an exact hit's marker names its time.";
constexpr const char* kSaveTitle = "Save timeline";

QPushButton* Button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

}  // namespace

frmTimeline::frmTimeline(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmTimeline"));
    setWindowTitle(QStringLiteral("Timeline"));
    cmdZoomIn = Button(this, "cmdZoomIn", QStringLiteral("Zoom in"));
    cmdZoomOut = Button(this, "cmdZoomOut", QStringLiteral("Zoom out"));
    cmdWholePeriod = Button(this, "cmdWholePeriod", QStringLiteral("Whole period"));
    chkWindowColours = new QCheckBox(QStringLiteral("Window colours"), this);
    chkWindowColours->setObjectName(QStringLiteral("chkWindowColours"));
    chkWindowColours->setChecked(true);
    cmdSavePicture = Button(this, "cmdSavePicture", QStringLiteral("Save picture..."));
    cmdClose = Button(this, "cmdClose", QStringLiteral("Close"));
    picture = new TimelineView(this);
    lblPointer = new QLabel(QString::fromLatin1(kHint), this);
    lblPointer->setObjectName(QStringLiteral("lblPointer"));

    auto* buttons = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(cmdZoomIn), static_cast<QWidget*>(cmdZoomOut),
                       static_cast<QWidget*>(cmdWholePeriod), static_cast<QWidget*>(chkWindowColours)})
        buttons->addWidget(w);
    buttons->addStretch(1);
    buttons->addWidget(cmdSavePicture);
    buttons->addWidget(cmdClose);
    groupRow_ = new QHBoxLayout;
    groupRow_->addStretch(1);
    auto* column = new QVBoxLayout(this);
    column->addLayout(buttons);
    column->addLayout(groupRow_);
    column->addWidget(picture, 1);
    column->addWidget(lblPointer);

    connect(cmdZoomIn, &QPushButton::clicked, this, [this] { picture->ZoomBy(1.25); });
    connect(cmdZoomOut, &QPushButton::clicked, this, [this] { picture->ZoomBy(1 / 1.25); });
    connect(cmdWholePeriod, &QPushButton::clicked, this, [this] { picture->ShowWholePeriod(); });
    connect(chkWindowColours, &QCheckBox::toggled, this, [this] { chkWindowColours_Click(); });
    connect(cmdSavePicture, &QPushButton::clicked, this, [this] { cmdSavePicture_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { close(); });
    connect(picture, &TimelineView::PointerMoved, this, [this](const QString& text) {
        lblPointer->setText(text.isEmpty() ? QString::fromLatin1(kHint) : text);
    });
    resize(1100, 640);
}

void frmTimeline::ShowRuns(const std::vector<RunRecord>& runs, const Sky& sky) {
    grouped_ = Timeline();
    ShowGroupButtons();
    Present(BuildTimeline(runs, sky, ActiveClock().CurrentMoment()));
}

void frmTimeline::ShowGroupedRuns(const std::vector<RunRecord>& runs, const Sky& sky, const SkyOwnEvents& events) {
    grouped_ = BuildTimeline(runs, sky, ActiveClock().CurrentMoment());
    // Headed by moving planet, with the stations, lunations and eclipses on the axis.
    if (!runs.empty()) MarkChart(grouped_, events, runs.front().request.zoneText);
    folded_.clear();
    ShowGroupButtons();
    Present(WithGroupsFolded(grouped_, folded_));
}

void frmTimeline::ShowGroupButtons() {
    for (QPushButton* b : cmdGroups) delete b;
    cmdGroups.clear();
    for (const std::int16_t group : LaneGroups(grouped_)) {
        const QString name = QString::fromStdString(BodyName[static_cast<std::size_t>(group)]);
        QPushButton* b = Button(this, "cmdGroup", QStringLiteral("\u25BE ") + name);
        b->setCheckable(true);
        b->setChecked(true);
        b->setToolTip(QStringLiteral("Fold or open the lanes of moving %1").arg(name));
        connect(b, &QPushButton::toggled, this, [this, b, group, name](bool open) {
            b->setText((open ? QStringLiteral("\u25BE ") : QStringLiteral("\u25B8 ")) + name);
            if (open) {
                folded_.erase(group);
            } else {
                folded_.insert(group);
            }
            picture->SetTimeline(WithGroupsFolded(grouped_, folded_));
        });
        groupRow_->insertWidget(static_cast<int>(cmdGroups.size()), b);
        cmdGroups.push_back(b);
    }
}

void frmTimeline::Present(Timeline timeline) {
    picture->SetTimeline(std::move(timeline));
    // What the pointer showed belongs to the picture before.
    lblPointer->setText(QString::fromLatin1(kHint));
    // Tall enough for its lanes, within the screen.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int room = screen ? screen->availableGeometry().height() * 9 / 10 : 900;
    const int wanted = static_cast<int>(picture->Layout().height) + height() - picture->viewport()->height() + 4;
    if (!isVisible()) resize(width(), std::clamp(wanted, 320, std::max(320, room)));
    show();
    raise();
    activateWindow();
    picture->setFocus();
}

void frmTimeline::chkWindowColours_Click() {
    picture->SetColors(chkWindowColours->isChecked() ? WindowTimelineColors() : DesktopTimelineColors(QGuiApplication::palette()));
}

void frmTimeline::cmdSavePicture_Click() {
    const auto chosen = ActiveDialogs().ChooseSaveFile(kSaveTitle,
                                                       lastPicturePath_.empty() ? "timeline.png" : lastPicturePath_,
                                                       "PNG image (*.png)|*.png|SVG drawing (*.svg)|*.svg");
    if (!chosen || chosen->empty()) return;
    std::string path = *chosen;
    const QString name = QString::fromStdString(path).section(QLatin1Char('/'), -1);
    if (!name.contains(QLatin1Char('.'))) path += ".png";

    std::string error;
    if (!WriteTimelinePicture(picture->WholePicture(kWidestPicture), picture->Colors(), picture->Fonts(), path, error)) {
        ActiveDialogs().ShowMessage(error, MessageIcon::Exclamation, kSaveTitle);
        return;
    }
    lastPicturePath_ = path;
}

}  // namespace meridel
