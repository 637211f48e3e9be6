#include "app/StatusSheet.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <cmath>

StatusSheet::StatusSheet(QWidget *parent)
    : QDialog(parent, Qt::Sheet), messageLabel(new QLabel(this)), bar(new QProgressBar(this))
{
    setWindowTitle(tr("CP290"));
    bar->setRange(0, static_cast<int>(StatusProgressFullScale));
    bar->setTextVisible(false);
    bar->setMinimumWidth(320);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 18);
    layout->setSpacing(10);
    layout->addWidget(messageLabel);
    layout->addWidget(bar);
}

QString StatusSheet::message() const
{
    return messageLabel->text();
}

void StatusSheet::begin(QWidget *window, const QString &message)
{
    messageLabel->setText(message);
    progress = 0;
    bar->setValue(0);
    if (window && parentWidget() != window)
        setParent(window, windowFlags());
    setWindowModality(window ? Qt::WindowModal : Qt::ApplicationModal);
    open();
    display();
}

void StatusSheet::fill()
{
    progress = StatusProgressFullScale;
    bar->setValue(bar->maximum());
    display();
}

void StatusSheet::end()
{
    done(QDialog::Accepted);
}

void StatusSheet::incrementBy(double delta)
{
    progress = std::min(progress + delta, StatusProgressFullScale);
    bar->setValue(static_cast<int>(std::lround(progress)));
}

// The event loop does not run while the driver works: paint now, taking no user input.
void StatusSheet::display()
{
    bar->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers);
}
