#include "desk/window/SamplingMenu.h"

#include <QActionGroup>

namespace Desk {

namespace {

struct SpeedChoice {
    const char* text;
    double speed;
};

constexpr SpeedChoice kSpeeds[] = {
    {"&Real time", 1.0}, {"&10 times real time", 10.0}, {"1&00 times real time", 100.0}, {"As &fast as possible", 0.0},
};

} // namespace

SamplingMenu::SamplingMenu(Session& session, Report report, QWidget* parent)
    : QMenu(tr("&Sampling"), parent), control_(session), report_(std::move(report))
{
    start_ = addAction(tr("&Start sampling"), this, &SamplingMenu::StartSampling);
    stop_ = addAction(tr("S&top sampling"), &control_, &SamplingControl::Stop);
    addSeparator();
    AddSpeeds();
    connect(this, &QMenu::aboutToShow, this, &SamplingMenu::UpdateItems);
    connect(&control_, &SamplingControl::stopped, this, &SamplingMenu::UpdateItems);
    UpdateItems();
}

void SamplingMenu::AddSpeeds()
{
    QMenu* speed = addMenu(tr("S&peed"));
    speeds_ = new QActionGroup(this);
    for (const SpeedChoice& choice : kSpeeds) {
        QAction* action = speed->addAction(tr(choice.text));
        action->setCheckable(true);
        action->setData(choice.speed);
        action->setChecked(choice.speed == SamplingControl::kRealTime);
        speeds_->addAction(action);
    }
}

bool SamplingMenu::StartSampling()
{
    QString refusal;
    const bool started = control_.Start(Speed(), &refusal);
    if (!started && !refusal.isEmpty()) {
        report_(refusal);
    }
    UpdateItems();
    return started;
}

void SamplingMenu::SetSpeed(double speed)
{
    for (QAction* action : speeds_->actions()) {
        action->setChecked(action->data().toDouble() == speed);
    }
}

double SamplingMenu::Speed() const
{
    const QAction* chosen = speeds_->checkedAction();
    return chosen != nullptr ? chosen->data().toDouble() : SamplingControl::kRealTime;
}

void SamplingMenu::UpdateItems()
{
    start_->setEnabled(!control_.Running());
    stop_->setEnabled(control_.Running());
}

} // namespace Desk
