#include "app/StatusSheet.h"

#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <cmath>

class StatusSheetWindow : public QDialog {
public:
    StatusSheetWindow(QWidget *window, const QString &message)
        : QDialog(window, Qt::Sheet), messageLabel(new QLabel(message, this)), bar(new QProgressBar(this))
    {
        setObjectName(QStringLiteral("statusWindow"));
        setWindowTitle(tr("CP290"));
        setAttribute(Qt::WA_DeleteOnClose);
        setWindowModality(window ? Qt::WindowModal : Qt::ApplicationModal);
        bar->setRange(0, static_cast<int>(StatusProgressFullScale));
        bar->setTextVisible(false);
        bar->setMinimumWidth(320);
        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(20, 16, 20, 18);
        layout->setSpacing(10);
        layout->addWidget(messageLabel);
        layout->addWidget(bar);
    }

    void showProgress(const QString &message, double progress)
    {
        messageLabel->setText(message);
        bar->setValue(static_cast<int>(std::lround(progress)));
    }

    void paintNow() { bar->repaint(); }

private:
    QLabel *messageLabel;
    QProgressBar *bar;
};

StatusSheet::StatusSheet(QObject *parent) : QObject(parent)
{
}

StatusSheet::~StatusSheet()
{
    end();
}

bool StatusSheet::isVisible() const
{
    return sheet && sheet->isVisible();
}

void StatusSheet::begin(QWidget *window, const QString &message)
{
    text = message;
    progress = 0;
    if (sheet && sheet->parentWidget() != window)
        end();
    if (!sheet) {
        sheet = new StatusSheetWindow(window, message);
        sheet->open();
    }
    display();
}

void StatusSheet::fill()
{
    progress = StatusProgressFullScale;
    display();
}

void StatusSheet::end()
{
    if (StatusSheetWindow *closing = sheet) {
        sheet = nullptr;
        closing->close();  // and deleted, as made for this showing
    }
}

void StatusSheet::incrementBy(double delta)
{
    progress = std::min(progress + delta, StatusProgressFullScale);
    if (sheet)
        sheet->showProgress(text, progress);
}

// The event loop does not run while the driver works: paint now, taking no user input.
void StatusSheet::display()
{
    if (!sheet)
        return;
    sheet->showProgress(text, progress);
    sheet->paintNow();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers);
}
