#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <deque>
#include <functional>

#include <QMessageBox>
class QWidget;

// Alert sheets on the application's main window: a title, a message and the single button "OK".
// Requests never block; they are shown one after another in the order they were made.
class AlertSheets : public QObject {
    Q_OBJECT
public:
    using MainWindowLookup = std::function<QWidget *()>;

    explicit AlertSheets(MainWindowLookup mainWindow, QObject *parent = nullptr);
    ~AlertSheets() override;

    // `didEnd` runs when the user has dismissed this alert.
    void beginAlertSheet(const QString &title, const QString &message, std::function<void()> didEnd = {});
    // Makes the driver's alerts (and every other core alert) sheets too.
    void installAsAlertPresenter();

    QMessageBox *visibleAlert() const { return current; }
    int pendingCount() const { return static_cast<int>(waiting.size()); }

private:
    struct Request {
        QString title;
        QString message;
        std::function<void()> didEnd;
    };
    void showNext();

    MainWindowLookup mainWindow;
    std::deque<Request> waiting;
    QPointer<QMessageBox> current;
};
