#pragma once

#include "bridge/BridgeSettings.h"

#include <QGroupBox>

class QLabel;
class QLineEdit;
class QPushButton;

// The Preferences' "Home Assistant (MQTT)" section: the broker the background helper bridges to,
// its login and discovery prefix, and a "Test Connection" button that tries them at once, off the
// main thread, and says what happened.
class MqttSettingsBox : public QGroupBox {
    Q_OBJECT
public:
    explicit MqttSettingsBox(QWidget *parent = nullptr);

    void showSettings(const BridgeSettings &settings);
    BridgeSettings settings() const;

    QLineEdit *broker;
    QLineEdit *user;
    QLineEdit *password;
    QLineEdit *prefix;
    QPushButton *testButton;
    QLabel *result;

    static constexpr int TestSeconds = 5;

private:
    void testConnection();
    void showProblem();
    void showResult(bool succeeded, const QString &text);
};
